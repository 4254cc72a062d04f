#include "ukereso_main.h"

#include "buttonpictures.h"
#include "config.h"
#include "dialogs.h"
#include "glyphs.h"
#include "graphichintwindow.h"
#include "helpviewer.h"
#include "identifyscreen.h"
#include "loader.h"
#include "photos.h"
#include "ukereso_about.h"
#include "ukereso_preferences.h"
#include "utree_dm.h"
#include "waitcursor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace finder {

namespace {

// The window placement and the panel sizes, in a section of their own.
const QString kPlacement = QStringLiteral("TMainForm/");
const char *const kPanels[] = {"Panel5", "Panel8"};
const char *const kPanelProperties[] = {"Height", "Left", "Top", "Width"};

QToolButton *pictureButton(const char *name, const QIcon &icon, const QString &hint, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setFixedSize(40, 40);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}

QString withSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

TMainForm::TMainForm(const QString &programFolder, const QString &userFolder, QWidget *parent)
    : QMainWindow(parent), Trans_readonly(DB_Zuderirav, readOnlyParams()), tmpquery(DB_Zuderirav, Trans_readonly),
      tmpquery2(DB_Zuderirav, Trans_readonly),
      T_ro_group(DB_Zuderirav, Trans_readonly, QStringLiteral("TAX_GROUP"),
                 {QStringLiteral("TAXGRP_ID"), QStringLiteral("TAXGRP_NAME"), QStringLiteral("TAXGRP_LAT"),
                  QStringLiteral("TAXGRP_DESC"), QStringLiteral("TAXGRP_CREATOR"), QStringLiteral("TAXGRP_VERZIO")},
                 QStringLiteral("TAXGRP_ID"), this)
{
    DB_Zuderirav.params = connectionParams();
    // The selector lists the groups alphabetically.
    T_ro_group.setOrderBy(QStringLiteral("TAXGRP_NAME, TAXGRP_ID"));
    ProgramFolder = withSlash(programFolder);

    buildWindow();
    FormCreate(userFolder);

    AboutBox = new TAboutBox(this);
    PreferencesForm = new TPreferencesForm(DB_Zuderirav, ProgramFolder, this);
    PreferencesForm->FormCreate(ConfigFile);

    // Start: the groups of the file; a single group is selected, which loads its key.
    fillGroupCombo();
    if (T_ro_group.isOpen() && T_ro_group.rowCount() == 1)
        SelectedGroupCombo->setCurrentIndex(0);
}

TMainForm::~TMainForm()
{
    // The screen's photo source reads through this window's queries: it goes before them.
    delete Screen;
    Screen = nullptr;
}

void TMainForm::buildWindow()
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("ZEPRA - Ravarorud határozó"));
    setWindowIcon(pictures::program());
    help::setHelpContext(this, HelpContext);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Screen = new identify::IdentifyScreen(identify::IdentifyScreen::Arrangement::Finder, central);

    Panel7 = new QFrame(central);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setFixedHeight(50);
    Panel7->setFrameShape(QFrame::StyledPanel);
    auto *top = new QHBoxLayout(Panel7);
    // Btn_exit keeps 50 pixels from the right edge: 40 for itself, 10 of margin with the frame.
    top->setContentsMargins(6, 0, 10 - Panel7->frameWidth(), 0);
    top->setSpacing(4);

    auto *groupBox = new QVBoxLayout;
    groupBox->setSpacing(1);
    groupBox->setContentsMargins(0, 2, 8, 2);
    GroupLabel = new QLabel(QStringLiteral("Kiválasztott csoport"), Panel7);
    GroupLabel->setObjectName(QStringLiteral("GroupLabel"));
    SelectedGroupCombo = new QComboBox(Panel7);
    SelectedGroupCombo->setObjectName(QStringLiteral("SelectedGroupCombo"));
    SelectedGroupCombo->setMaxVisibleItems(8);
    SelectedGroupCombo->setMinimumWidth(180);
    SelectedGroupCombo->setMaximumWidth(260);
    SelectedGroupCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SelectedGroupCombo->setMinimumContentsLength(16);
    GroupLabel->setBuddy(SelectedGroupCombo);
    groupBox->addWidget(GroupLabel);
    groupBox->addWidget(SelectedGroupCombo);
    top->addLayout(groupBox);

    btnTestAbout = pictureButton("btnTestAbout", identify::glyphs::information(),
                                 QStringLiteral("Információ a határozóról"), Panel7);
    top->addWidget(btnTestAbout);
    for (QAbstractButton *b : {Screen->collapseButton(), Screen->expandButton()}) {
        b->setParent(Panel7);
        b->show();
        top->addWidget(b);
    }
    btn_help = pictureButton("btn_help", pictures::help(), QStringLiteral("Súgó indítása"), Panel7);
    top->addWidget(btn_help);
    QWidget *counters = Screen->countersWidget();
    counters->setParent(Panel7);
    counters->show();
    top->addSpacing(6);
    top->addWidget(counters);
    btnTools = pictureButton("btnTools", pictures::tools(), QStringLiteral("Beállítások, eszközök"), Panel7);
    top->addWidget(btnTools);
    top->addStretch(1);
    Btn_exit = pictureButton("Btn_exit", pictures::exit(), QStringLiteral("Kilépés a programból"), Panel7);
    top->addWidget(Btn_exit);

    layout->addWidget(Panel7);
    layout->addWidget(Screen, 1);
    setCentralWidget(central);

    setMinimumSize(MinimumWidth, MinimumHeight);
    resize(800, 579);

    connect(SelectedGroupCombo, &QComboBox::currentIndexChanged, this, &TMainForm::SelectedGroupComboChange);
    connect(btnTestAbout, &QToolButton::clicked, this, &TMainForm::btnTestAboutClick);
    connect(btn_help, &QToolButton::clicked, this, &TMainForm::btn_helpClick);
    connect(btnTools, &QToolButton::clicked, this, &TMainForm::btnToolsClick);
    connect(Btn_exit, &QToolButton::clicked, this, &TMainForm::Btn_exitClick);

    // Photos of the clicked taxon; an unreadable photo is reported and the details show none.
    Screen->setPhotoSource([this](int taxonId) -> std::vector<QByteArray> {
        try {
            return identify::loadTaxonPhotos(tmpquery, m_loadedGroup, taxonId);
        } catch (const std::exception &e) {
            dialogs().error(QString::fromUtf8(e.what()));
            return {};
        }
    });
}

void TMainForm::FormCreate(const QString &userFolder)
{
    HelpFile = ProgramFolder + QStringLiteral("zepra_keres.qch");
    ConfigFile = config::prepareUserConfig(userFolder, QString::fromLatin1(config::kFinderIni));

    const config::Resolution found = config::resolveFinder(ProgramFolder, ConfigFile);
    if (found.pathSet)
        DB_Zuderirav.databaseName = found.dbPath;
    try {
        openConnection();
    } catch (const std::exception &e) {
        // The window opens all the same: the chooser is the way to another file.
        dialogs().error(QString::fromUtf8(e.what()));
    }

    identify::installGraphicHints();
    Help = new help::HelpViewer(HelpFile, this);
    help::installHelpKey(Help);

    if (!ConfigFile.isEmpty()) {
        QSettings ini(ConfigFile, QSettings::IniFormat);
        const QByteArray geometry = ini.value(kPlacement + QStringLiteral("Geometry")).toByteArray();
        if (!geometry.isEmpty())
            restoreGeometry(geometry);
    }
}

void TMainForm::openConnection()
{
    if (!DB_Zuderirav.isOpen()) {
        DB_Zuderirav.loginPrompt = false;
        DB_Zuderirav.open();
    }
    if (!Trans_readonly.isActive())
        Trans_readonly.start();
    if (!T_ro_group.isOpen())
        T_ro_group.open();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_panelsRestored) {
        m_panelsRestored = true;
        restorePanels();
    }
}

// The panel sizes only mean something once the window has its size, so they are applied
// at the first showing.
void TMainForm::restorePanels()
{
    if (ConfigFile.isEmpty())
        return;
    if (centralWidget()->layout())
        centralWidget()->layout()->activate();
    QSettings ini(ConfigFile, QSettings::IniFormat);
    auto apply = [&](const char *panel, const char *property) {
        auto *w = Screen->findChild<QWidget *>(QString::fromLatin1(panel));
        auto *splitter = w ? qobject_cast<QSplitter *>(w->parentWidget()) : nullptr;
        bool ok = false;
        const int size =
            ini.value(kPlacement + QString::fromLatin1(panel) + u'.' + QString::fromLatin1(property)).toInt(&ok);
        if (!splitter || !ok || size <= 0 || splitter->count() != 2)
            return;
        const QList<int> sizes = splitter->sizes();
        const int total = sizes[0] + sizes[1];
        const int index = splitter->indexOf(w);
        QList<int> wanted{0, 0};
        wanted[index] = size;
        wanted[1 - index] = std::max(total - size, 1);
        splitter->setSizes(wanted);
    };
    apply("Panel5", "Width");
    apply("Panel8", "Height");
}

void TMainForm::fillGroupCombo()
{
    const QSignalBlocker block(SelectedGroupCombo);
    SelectedGroupCombo->clear();
    if (T_ro_group.isOpen())
        for (int row = 0; row < T_ro_group.rowCount(); ++row)
            SelectedGroupCombo->addItem(T_ro_group.value(row, QStringLiteral("TAXGRP_NAME")).toString(),
                                        T_ro_group.value(row, QStringLiteral("TAXGRP_ID")));
    SelectedGroupCombo->setCurrentIndex(-1);
}

void TMainForm::SelectedGroupComboChange()
{
    if (SelectedGroupCombo->currentIndex() < 0)
        return;
    try {
        T_ro_group.locate(QStringLiteral("TAXGRP_ID"), SelectedGroupCombo->currentData());
        OpenDatabase();
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
    }
}

void TMainForm::OpenDatabase()
{
    const int id = SelectedGroupCombo->currentData().toInt();
    WaitCursor wait;
    Screen->clearKey();
    identify::Key key;
    key.about = {T_ro_group.fieldText(QStringLiteral("TAXGRP_NAME")), T_ro_group.fieldText(QStringLiteral("TAXGRP_LAT")),
                 T_ro_group.fieldText(QStringLiteral("TAXGRP_CREATOR")),
                 T_ro_group.fieldText(QStringLiteral("TAXGRP_VERZIO")),
                 T_ro_group.fieldText(QStringLiteral("TAXGRP_DESC"))};
    AboutBox->setGroup(key.about);
    m_loadedGroup = id;
    try {
        identify::loadFinderKey(key, tmpquery, tmpquery2, id);
    } catch (...) {
        Screen->setKey(std::move(key));
        throw;
    }
    Screen->setKey(std::move(key));
}

void TMainForm::emptyKey()
{
    Screen->clearKey();
    AboutBox->clearGroup();
    m_loadedGroup = 0;
}

void TMainForm::btnToolsClick()
{
    const QString current = DB_Zuderirav.databaseName;
    PreferencesForm->dbcombo->setEditText(current);
    if (!current.isEmpty())
        PreferencesForm->addToList(current);
    // OK follows the file shown, not the last file typed before a cancel.
    PreferencesForm->dbcomboChange();
    if (PreferencesForm->exec() != QDialog::Accepted)
        return;

    const QString chosen = PreferencesForm->dbcombo->currentText();
    try {
        T_ro_group.close();
        DB_Zuderirav.close();
        DB_Zuderirav.databaseName = chosen;
        openConnection();
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
    }
    // Nothing of the old file's key may stay: its connection is gone. No group is chosen.
    emptyKey();
    fillGroupCombo();
}

void TMainForm::btnTestAboutClick()
{
    AboutBox->exec();
}

void TMainForm::btn_helpClick()
{
    Help->showContext(HelpContext);
}

void TMainForm::Btn_exitClick()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TMainForm::FormClose()
{
    if (ConfigFile.isEmpty())
        return;
    QSettings ini(ConfigFile, QSettings::IniFormat);
    ini.remove(QStringLiteral("History"));
    const QStringList history = PreferencesForm->history();
    for (int i = 0; i < history.size(); ++i)
        ini.setValue(QStringLiteral("History/%1").arg(i + 1), history[i]);

    ini.setValue(kPlacement + QStringLiteral("Geometry"), saveGeometry());
    for (const char *panel : kPanels) {
        const auto *w = Screen->findChild<QWidget *>(QString::fromLatin1(panel));
        if (!w)
            continue;
        const QRect g = w->geometry();
        const int values[] = {g.height(), g.left(), g.top(), g.width()};
        for (int i = 0; i < 4; ++i)
            ini.setValue(kPlacement + QString::fromLatin1(panel) + u'.' + QString::fromLatin1(kPanelProperties[i]),
                         values[i]);
    }
    ini.sync();
}

} // namespace finder
