#include "ukereso_preferences.h"

#include "dialogs.h"
#include "utree_dm.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QVBoxLayout>

namespace finder {

TPreferencesForm::TPreferencesForm(const fb::Database &mainConnection, QString programFolder, QWidget *parent)
    : QDialog(parent), IBTransaction1(IBDatabase1, readOnlyParams()),
      Test_group(IBDatabase1, IBTransaction1, QStringLiteral("TAX_GROUP"), {QStringLiteral("TAXGRP_ID")},
                 QStringLiteral("TAXGRP_ID"), this),
      m_main(mainConnection), m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("TPreferencesForm"));
    setWindowTitle(QStringLiteral("Beállítások"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(418, 119);
    IBDatabase1.params = connectionParams();

    Label1 = new QLabel(QStringLiteral("Adatbázis kiválasztása"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    dbcombo = new QComboBox(this);
    dbcombo->setObjectName(QStringLiteral("dbcombo"));
    dbcombo->setEditable(true);
    // The list grows only through the test, never by pressing Enter.
    dbcombo->setInsertPolicy(QComboBox::NoInsert);
    dbcombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    dbcombo->setMinimumContentsLength(30);
    Label1->setBuddy(dbcombo);
    RxSpeedButton1 = new QToolButton(this);
    RxSpeedButton1->setObjectName(QStringLiteral("RxSpeedButton1"));
    RxSpeedButton1->setText(QStringLiteral("..."));
    okbtn = new QPushButton(QStringLiteral("OK"), this);
    okbtn->setObjectName(QStringLiteral("okbtn"));
    okbtn->setDefault(true);
    cancelbtn = new QPushButton(QStringLiteral("Mégsem"), this);
    cancelbtn->setObjectName(QStringLiteral("cancelbtn"));

    auto *row = new QHBoxLayout;
    row->addWidget(dbcombo, 1);
    row->addWidget(RxSpeedButton1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okbtn);
    buttons->addWidget(cancelbtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // Only the user's changes test the file: typing, or picking from the list.
    connect(dbcombo->lineEdit(), &QLineEdit::textEdited, this, &TPreferencesForm::dbcomboChange);
    connect(dbcombo, &QComboBox::activated, this, &TPreferencesForm::dbcomboChange);
    connect(RxSpeedButton1, &QToolButton::clicked, this, &TPreferencesForm::RxSpeedButton1Click);
    connect(okbtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelbtn, &QPushButton::clicked, this, &QDialog::reject);
}

TPreferencesForm::~TPreferencesForm() = default;

void TPreferencesForm::FormCreate(const QString &configFile)
{
    if (configFile.isEmpty())
        return;
    QSettings ini(configFile, QSettings::IniFormat);
    for (int i = 1;; ++i) {
        const QString value = ini.value(QStringLiteral("History/%1").arg(i), QStringLiteral("-")).toString();
        if (value == u"-")
            break;
        dbcombo->addItem(value);
    }
}

bool TPreferencesForm::listed(const QString &path) const
{
    // File names are case-sensitive here, so two names that differ only in case are two files.
    return dbcombo->findText(path, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0;
}

void TPreferencesForm::addToList(const QString &path)
{
    if (!listed(path))
        dbcombo->addItem(path);
}

QStringList TPreferencesForm::history() const
{
    QStringList out;
    for (int i = 0; i < dbcombo->count(); ++i)
        out << dbcombo->itemText(i);
    return out;
}

bool TPreferencesForm::IsGoodDatabase(const QString &instr)
{
    if (m_main.isOpen() && instr == m_main.databaseName)
        return true;
    if (!QFileInfo(instr).isFile())
        return false;
    try {
        IBDatabase1.databaseName = instr;
        IBDatabase1.loginPrompt = false;
        IBDatabase1.open();
        IBTransaction1.start();
        Test_group.open();
        Test_group.close();
        IBDatabase1.close();
    } catch (const std::exception &) {
        Test_group.close();
        try {
            IBDatabase1.close();
        } catch (const std::exception &) {
        }
        return false;
    }
    addToList(instr);
    return true;
}

void TPreferencesForm::dbcomboChange()
{
    okbtn->setEnabled(IsGoodDatabase(dbcombo->currentText()));
}

void TPreferencesForm::RxSpeedButton1Click()
{
    FileQuestion q;
    q.title = QStringLiteral("Határozó adatbázis megnyitása");
    q.filter = QStringLiteral("Határozó adatbázisok (*.fdb)");
    q.defaultExtension = QStringLiteral("fdb");
    q.directory = m_programFolder;
    q.fileName = dbcombo->currentText();
    const QString path = dialogs().openFile(q);
    if (path.isEmpty())
        return;
    dbcombo->setEditText(QFileInfo(path).absoluteFilePath());
    dbcomboChange();
}

} // namespace finder
