#pragma once
// The finder's main window: finds and opens the database file, offers the groups of the
// file and runs the identification screen on the chosen group's key.

#include "firebird.h"
#include "paths.h"
#include "sqlhelpers.h"
#include "tableview.h"

#include <QMainWindow>
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;

namespace identify {
class IdentifyScreen;
}
namespace help {
class HelpViewer;
}

namespace finder {

class TAboutBox;
class TPreferencesForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int HelpContext = 70;
    static constexpr int MinimumWidth = 600;
    static constexpr int MinimumHeight = 400;

    // The folders are parameters so that tests run the window on temporary folders.
    // Creates the about box and the database chooser after the window itself, and selects
    // the group of a file that holds exactly one.
    explicit TMainForm(const QString &programFolder = paths::programFolder(),
                       const QString &userFolder = paths::userConfigFolder(), QWidget *parent = nullptr);
    ~TMainForm() override;

    // Program-wide values set while the window is created.
    QString ProgramFolder; // with a trailing "/"
    QString HelpFile;
    QString ConfigFile;    // the per-user ini file; "" when it cannot be used

    fb::Database DB_Zuderirav;
    fb::Transaction Trans_readonly;
    fb::Query tmpquery;
    fb::Query tmpquery2;
    db::TableView T_ro_group;

    void OpenQuery(fb::Query &query, const QString &text) { sql::OpenQuery(query, text); }
    QString SelectString(fb::Query &query, const QString &text) { return sql::SelectString(query, text); }
    void RunSql(fb::Query &query, const QString &text) { sql::RunSql(query, text); }
    void RollBackIfActive(fb::Transaction &t) { sql::RollBackIfActive(t); }

    TAboutBox *AboutBox = nullptr;
    TPreferencesForm *PreferencesForm = nullptr;
    identify::IdentifyScreen *Screen = nullptr;
    help::HelpViewer *Help = nullptr;

    QFrame *Panel7 = nullptr;
    QLabel *GroupLabel = nullptr;
    QComboBox *SelectedGroupCombo = nullptr;
    QToolButton *btnTestAbout = nullptr;
    QToolButton *btn_help = nullptr;
    QToolButton *btnTools = nullptr;
    QToolButton *Btn_exit = nullptr;

    // Loads the key of the group chosen in the selector. Throws on a database or picture
    // error; what was loaded up to there stays on the screen.
    void OpenDatabase();
    // The group whose key is loaded (0 when none).
    int loadedGroup() const { return m_loadedGroup; }

public slots:
    void SelectedGroupComboChange();
    void btnToolsClick();
    void btnTestAboutClick();
    void btn_helpClick();
    void Btn_exitClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    void FormCreate(const QString &userFolder);
    void FormClose();
    void openConnection();
    void fillGroupCombo();
    void emptyKey();
    void restorePanels();

    int m_loadedGroup = 0;
    bool m_panelsRestored = false;
};

} // namespace finder
