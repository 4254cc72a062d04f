#include "utree_tools.h"

#include "editorglyphs.h"
#include "editoroperations.h"
#include "helpviewer.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

TPreferencesForm::TPreferencesForm(EditorOperations &operations, QWidget *parent)
    : QDialog(parent), m_operations(operations)
{
    setObjectName(QStringLiteral("TPreferencesForm"));
    setWindowTitle(QStringLiteral("Eszközök és beállítások"));
    help::setHelpContext(this, kHelpContext);

    auto button = [this](const char *name, const QString &text, const QIcon &icon) {
        auto *b = new QPushButton(icon, text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(397, 40);
        b->setIconSize(QSize(24, 24));
        b->setAutoDefault(false);
        return b;
    };
    btnExpDB = button("btnExpDB", QStringLiteral("Kijelölt csoport exportálása másik adatbázisba"), glyphs::exportDb());
    btnExpDB->setToolTip(QStringLiteral("A kijelölt csoport adatait egy másik, akár újonnan létrehozandó adatbázisba lehet exportálni. \n"
                                        "Később ez az adatbázis pl. átadható további feltöltésre."));
    btn_expsql = button("btn_expsql", QStringLiteral("Kijelölt csoport exportálása Zepra szerver számára"), glyphs::exportWeb());
    btn_expsql->setToolTip(QStringLiteral("A kijelölt csoport adatait a Zepra szerver számára feldolgozható formába alakítja át. "
                                          "A készített összes file-e el kell juttatni a szerver üzemeltetőinek."));
    BitBtn4 = button("BitBtn4", QStringLiteral("Kilépés a főprogramhoz"), glyphs::exitDoor());
    BitBtn4->setDefault(true);

    connect(btnExpDB, &QPushButton::clicked, this, &TPreferencesForm::btnExpDBClick);
    connect(btn_expsql, &QPushButton::clicked, this, &TPreferencesForm::btn_expsqlClick);
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(btnExpDB);
    layout->addWidget(btn_expsql);
    layout->addSpacing(14);
    layout->addWidget(BitBtn4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TPreferencesForm::UpdateButtons(bool groupChosen, bool reloadMatrixNeeded)
{
    btnExpDB->setEnabled(groupChosen);
    btn_expsql->setEnabled(groupChosen && !reloadMatrixNeeded);
}

void TPreferencesForm::btnExpDBClick()
{
    m_operations.ExportToNewDB();
    // The copy shows windows of its own; this dialog comes back to the front.
    raise();
    activateWindow();
}

void TPreferencesForm::btn_expsqlClick()
{
    m_operations.ExportToMysql();
}

} // namespace editor
