#pragma once
// The editor's main window: the group selector with the buttons of the top panel, the four
// pages, the status bar, and the rules that switch groups and pages without losing unsaved
// matrix changes. The pages do their own work; the window says when.

#include <QMainWindow>

#include <memory>

class QCloseEvent;
class QLabel;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;
class TDM;

namespace help {
class HelpViewer;
}

namespace editor {

class EditorOperations;
class GroupCombo;
class KeyTestPage;
class MatrixPage;
class QuestionPage;
class TAboutBox;
class TGroupForm;
class TPreferencesForm;
class TProgressForm;
class TaxonPage;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 20;
    static constexpr int kNudgeMs = 15000;
    static constexpr int kNudgeHintDelayMs = 250;
    static constexpr int kMinWidth = 600;
    static constexpr int kMinHeight = 400;
    enum PageIndex { QuestionPageIndex = 0, TaxonPageIndex = 1, MatrixPageIndex = 2, KeyTestPageIndex = 3 };

    // Builds the window and the windows it owns. The database is not opened here (that may
    // show an error box): DataModuleCreate does it. A test may bring its own data module and
    // its own operations in place of the pages' work; neither is owned then.
    TMainForm(const QString &programFolder, const QString &userConfigFolder, TDM *dm = nullptr,
              EditorOperations *operations = nullptr, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Opens the database that the configuration files name, with the read-only transaction
    // and the views; a failure is shown in an error box and leaves the selector empty.
    void DataModuleCreate();

    TDM &dm() const { return *m_dm; }
    EditorOperations &operations() const { return *m_operations; }
    const QString &programFolder() const { return m_programFolder; }
    // The per-user configuration file, "" when it cannot be used.
    const QString &configPath() const { return m_configPath; }
    const QString &helpFile() const { return m_helpFile; }

    // The group chosen in the selector: its id as decimal text and its name; "" when none.
    QString SelectedGroupId() const;
    QString SelectedGroupName() const;

    // Shows a page without running the page switch.
    void ShowPage(int index);
    // Asks before unsaved matrix changes are dropped; false keeps the window open.
    bool FormCloseQuery();
    static bool FormCanResize(int width, int height) { return width >= kMinWidth && height >= kMinHeight; }

    static QString closeQuestion();
    static QString groupSwitchQuestion();
    static QString pageSwitchQuestion();

    // Shared by the pages.
    bool MatrixModified = false;     // the matrix grid holds unsaved changes
    bool ReloadMatrixNeeded = false; // the matrix grid is out of date
    bool ShiftPressed = false;       // a Shift key is held down

    QWidget *Panel1 = nullptr;
    QLabel *Label1 = nullptr;
    GroupCombo *SelectedGroupCombo = nullptr;
    QToolButton *btn_Groups = nullptr;
    QToolButton *btnTools = nullptr;
    QToolButton *btn_help = nullptr;
    QToolButton *Btn_exit = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QuestionPage *TabSheet1 = nullptr;
    TaxonPage *TabSheet4 = nullptr;
    MatrixPage *TabSheet2 = nullptr;
    KeyTestPage *TabSheet3 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel0 = nullptr; // 250 pixels, raised
    QLabel *StatusPanel1 = nullptr; // 50 pixels
    QTimer *Timer1 = nullptr;       // the start-up nudge

    TGroupForm *GroupForm = nullptr;
    TProgressForm *ProgressForm = nullptr;
    TPreferencesForm *PreferencesForm = nullptr;
    TAboutBox *AboutBox = nullptr;
    help::HelpViewer *HelpViewer = nullptr;

public slots:
    void SelectedGroupComboChange();
    void SelectedGroupComboDropDown();
    void SelectedGroupComboEnter();
    void PageControl1Change(int index);
    void Timer1Timer();
    void btn_GroupsClick();
    void btnToolsClick();
    void btn_helpClick();
    void Btn_exitClick();
    void btnTestAboutClick();
    void Panel1Resize();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QString &userConfigFolder);
    void buildTopPanel();
    void buildPages();
    void buildStatusBar();
    void FillGroupCombo();
    void setTestTabVisible(bool visible);
    void restorePlacement();
    void savePlacement();

    QString m_programFolder;
    QString m_configPath;
    QString m_helpFile;
    TDM *m_dm = nullptr;
    std::unique_ptr<EditorOperations> m_ownOperations;
    EditorOperations *m_operations = nullptr;
    int m_pageSwitchBlocked = 0;  // programmatic page changes run no page switch
    bool m_swallowPress = false;  // the group switch guard sent the focus away
};

} // namespace editor
