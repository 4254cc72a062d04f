#include "uTreeEdit.h"

#include "config.h"
#include "dialogs.h"
#include "editorglyphs.h"
#include "editoroperations.h"
#include "graphichintwindow.h"
#include "groupcombo.h"
#include "helpviewer.h"
#include "keytestpage.h"
#include "matrixpage.h"
#include "questionpage.h"
#include "taxonpage.h"
#include "utree_about.h"
#include "utree_dm.h"
#include "utree_groups.h"
#include "utree_progressbar.h"
#include "utree_tools.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

namespace {

// The real work behind the shell's rules: the pages and the exports.
class PageWidgetsOperations : public EditorOperations {
public:
    explicit PageWidgetsOperations(TMainForm &main) : m_main(main) {}
    void LoadQuestionTree() override { m_main.TabSheet1->LoadQuestionTree(); }
    void FullExpandQuestionTree() override { m_main.TabSheet1->FullExpand(); }
    void dbe_helperChange() override { m_main.TabSheet4->dbe_helperChange(); }
    void LoadMatrixDataFromDB() override { m_main.TabSheet2->LoadMatrixDataFromDB(); }
    void LoadKeyForTest() override { m_main.TabSheet3->LoadKeyForTest(); }
    // The group copy and the web server export are not part of the program yet.
    void ExportToNewDB() override {}
    void ExportToMysql() override {}

private:
    TMainForm &m_main;
};

// Runs a programmatic page change without the page switch, also when it throws.
class PageSwitchBlock {
public:
    explicit PageSwitchBlock(int &counter) : m_counter(counter) { ++m_counter; }
    ~PageSwitchBlock() { --m_counter; }
    PageSwitchBlock(const PageSwitchBlock &) = delete;
    PageSwitchBlock &operator=(const PageSwitchBlock &) = delete;

private:
    int &m_counter;
};

const QString kPlacementKey = QStringLiteral("TMainForm/Geometry");

} // namespace

TMainForm::TMainForm(const QString &programFolder, const QString &userConfigFolder, TDM *dm,
                     EditorOperations *operations, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder)
{
    if (!m_programFolder.isEmpty() && !m_programFolder.endsWith(u'/'))
        m_programFolder += u'/';
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("ZEPRA Sokszempontú határozó szerkesztő"));
    help::setHelpContext(this, kHelpContext);
    setMinimumSize(kMinWidth, kMinHeight);
    resize(838, 605);

    // The data module exists from here on but opens nothing before DataModuleCreate.
    std::unique_ptr<TDM> ownDm(dm ? nullptr : new TDM(nullptr));
    m_dm = dm ? dm : ownDm.get();

    buildTopPanel();
    buildPages();
    buildStatusBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kNudgeMs);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    if (operations) {
        m_operations = operations;
    } else {
        m_ownOperations = std::make_unique<PageWidgetsOperations>(*this);
        m_operations = m_ownOperations.get();
    }

    FormCreate(userConfigFolder);

    // The windows the main window owns, in the order of start-up; the question dialog and
    // the taxon dialog take their places after the data module.
    GroupForm = new TGroupForm(*m_dm, this);
    if (ownDm)
        ownDm.release()->setParent(this);
    ProgressForm = new TProgressForm(this);
    PreferencesForm = new TPreferencesForm(*m_operations, this);
    AboutBox = new TAboutBox(this);

    connect(&m_dm->T_ro_group, &db::TableView::refreshed, this, &TMainForm::FillGroupCombo);
    FillGroupCombo();
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
}

void TMainForm::buildTopPanel()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(49);
    layout->addWidget(Panel1);

    Label1 = new QLabel(QStringLiteral("Kiválasztott csoport"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->adjustSize();
    Label1->move(10, (49 - Label1->height()) / 2);

    SelectedGroupCombo = new GroupCombo(Panel1);
    SelectedGroupCombo->setObjectName(QStringLiteral("SelectedGroupCombo"));
    SelectedGroupCombo->setMaxVisibleItems(8);
    SelectedGroupCombo->setToolTip(QStringLiteral("Válasszon csoportot vagy hozzon létre egyet a kezdéshez!"));
    SelectedGroupCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    const int comboHeight = SelectedGroupCombo->sizeHint().height();
    SelectedGroupCombo->setGeometry(Label1->geometry().right() + 10, (49 - comboHeight) / 2, 231, comboHeight);
    Label1->setBuddy(SelectedGroupCombo);

    auto button = [this](const char *name, const QIcon &icon, const QString &hint) {
        auto *b = new QToolButton(Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(icon);
        b->setIconSize(QSize(28, 28));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->resize(41, 41);
        return b;
    };
    btn_Groups = button("btn_Groups", glyphs::groups(), QStringLiteral("Csoportok kezelése"));
    btn_Groups->move(SelectedGroupCombo->geometry().right() + 12, 4);
    btnTools = button("btnTools", glyphs::tools(), QStringLiteral("Beállítások, eszközök"));
    btnTools->move(btn_Groups->geometry().right() + 6, 4);
    btn_help = button("btn_help", glyphs::help(), QStringLiteral("Súgó indítása"));
    Btn_exit = button("Btn_exit", glyphs::exitDoor(), QStringLiteral("Kilépés a programból"));
    Panel1Resize();

    connect(SelectedGroupCombo, &QComboBox::currentIndexChanged, this, [this] {
        // The user's choice: that group becomes the current row of the group view too.
        m_dm->T_ro_group.locate(QStringLiteral("TAXGRP_ID"), SelectedGroupId());
        SelectedGroupComboChange();
    });
    connect(SelectedGroupCombo, &GroupCombo::dropDown, this, &TMainForm::SelectedGroupComboDropDown);
    connect(btn_Groups, &QToolButton::clicked, this, &TMainForm::btn_GroupsClick);
    connect(btnTools, &QToolButton::clicked, this, &TMainForm::btnToolsClick);
    connect(btn_help, &QToolButton::clicked, this, &TMainForm::btn_helpClick);
    connect(Btn_exit, &QToolButton::clicked, this, &TMainForm::Btn_exitClick);
}

void TMainForm::buildPages()
{
    PageControl1 = new QTabWidget(centralWidget());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QuestionPage(*this);
    TabSheet4 = new TaxonPage(*this);
    TabSheet2 = new MatrixPage(*this);
    TabSheet3 = new KeyTestPage(*this);
    {
        PageSwitchBlock block(m_pageSwitchBlocked);
        PageControl1->addTab(TabSheet1, QStringLiteral("Kérdések szerkesztése"));
        PageControl1->addTab(TabSheet4, QStringLiteral("Fajadatok kezelése"));
        PageControl1->addTab(TabSheet2, QStringLiteral("Határozóadatok felvitele"));
        PageControl1->addTab(TabSheet3, QStringLiteral("Határozó ellenőrzése"));
    }
    PageControl1->setEnabled(false);
    centralWidget()->layout()->addWidget(PageControl1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageControl1Change);
}

void TMainForm::buildStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(250);
    StatusPanel0->setFrameStyle(QFrame::Panel | QFrame::Raised);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(50);
    StatusPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(StatusPanel0);
    StatusBar1->addWidget(StatusPanel1);
    setStatusBar(StatusBar1);
}

void TMainForm::FormCreate(const QString &userConfigFolder)
{
    ShowPage(QuestionPageIndex);
    m_helpFile = m_programFolder + QStringLiteral("zuderirav_keret.qch");
    m_configPath = config::prepareUserConfig(userConfigFolder, QString::fromLatin1(config::kEditorIni));

    HelpViewer = new help::HelpViewer(m_helpFile, this);
    help::installHelpKey(HelpViewer);
    identify::installGraphicHints();

    if (!m_configPath.isEmpty())
        restorePlacement();
}

void TMainForm::DataModuleCreate()
{
    m_dm->DataModuleCreate(m_programFolder, m_configPath);
    FillGroupCombo();
}

QString TMainForm::closeQuestion()
{
    return QStringLiteral("Az adatok módosultak! Valóban kilép? (A legutóbbi módosítások így el fognak veszni!)");
}

QString TMainForm::groupSwitchQuestion()
{
    return QStringLiteral("A tulajdonság-mátrix adatai módosultak! Csoportot vált rögzítés nélkül? "
                          "(A legutóbbi módosítások így elveszhetnek!)");
}

QString TMainForm::pageSwitchQuestion()
{
    return QStringLiteral("A tulajdonság-mátrix adatai módosultak! Oldalt vált rögzítés nélkül? "
                          "(A legutóbbi módosítások így elveszhetnek!)");
}

QString TMainForm::SelectedGroupId() const
{
    return SelectedGroupCombo->currentIndex() < 0 ? QString() : SelectedGroupCombo->currentData().toString();
}

QString TMainForm::SelectedGroupName() const
{
    return SelectedGroupCombo->currentIndex() < 0 ? QString() : SelectedGroupCombo->currentText();
}

void TMainForm::FillGroupCombo()
{
    // Every refresh of the group view shows in the selector; the chosen group stays chosen
    // by its id (a new group may move it in the list), and vanishes when it was deleted.
    const QString keep = SelectedGroupId();
    const QSignalBlocker blocker(SelectedGroupCombo);
    SelectedGroupCombo->clear();
    const db::TableView &groups = m_dm->T_ro_group;
    for (int row = 0; row < groups.rowCount(); ++row)
        SelectedGroupCombo->addItem(groups.value(row, QStringLiteral("TAXGRP_NAME")).toString(),
                                    groups.value(row, QStringLiteral("TAXGRP_ID")).toString());
    SelectedGroupCombo->setCurrentIndex(keep.isEmpty() ? -1 : SelectedGroupCombo->findData(keep));
}

void TMainForm::ShowPage(int index)
{
    PageSwitchBlock block(m_pageSwitchBlocked);
    PageControl1->setCurrentIndex(index);
}

void TMainForm::setTestTabVisible(bool visible)
{
    PageSwitchBlock block(m_pageSwitchBlocked);
    PageControl1->setTabVisible(KeyTestPageIndex, visible);
}

void TMainForm::SelectedGroupComboChange()
{
    MatrixModified = false;
    Timer1->stop();
    const QString id = SelectedGroupId();
    const bool chosen = !id.isEmpty();
    PageControl1->setEnabled(chosen);

    // The selector's group is the current row of the group view; the group dialog may have
    // moved that row to another group meanwhile.
    db::TableView &groups = m_dm->T_ro_group;
    if (chosen && groups.locate(QStringLiteral("TAXGRP_ID"), id))
        AboutBox->FillFromGroup(groups.fieldText(QStringLiteral("TAXGRP_NAME")), groups.fieldText(QStringLiteral("TAXGRP_LAT")),
                                groups.fieldText(QStringLiteral("TAXGRP_CREATOR")),
                                groups.fieldText(QStringLiteral("TAXGRP_VERZIO")), groups.fieldText(QStringLiteral("TAXGRP_DESC")));
    else
        AboutBox->FillFromGroup({}, {}, {}, {}, {});

    ShowPage(QuestionPageIndex);
    m_operations->LoadQuestionTree();

    db::TableView &taxa = m_dm->t_ro_taxon;
    taxa.setFiltered(false);
    // Without a group (the chosen one was deleted) the view shows no taxa at all.
    taxa.setFilter(chosen ? QStringLiteral("taxname_taxgrp=") + id : QStringLiteral("1=0"));
    taxa.setFiltered(true);
    taxa.refresh();
    taxa.first();

    m_operations->FullExpandQuestionTree();
    ReloadMatrixNeeded = true;
    setTestTabVisible(false);
}

void TMainForm::SelectedGroupComboDropDown()
{
    Timer1->stop();
}

void TMainForm::SelectedGroupComboEnter()
{
    m_swallowPress = false;
    if (MatrixModified && !dialogs().confirm(groupSwitchQuestion())) {
        // The selector loses the focus before a group can be picked; the click that brought
        // the focus here must not open its list either.
        m_swallowPress = true;
        PageControl1->setFocus(Qt::OtherFocusReason);
    }
}

void TMainForm::PageControl1Change(int index)
{
    if (m_pageSwitchBlocked)
        return;
    int page = index;
    bool numeric = false;
    int taxa = m_dm->SelectString(m_dm->tmpquery, QStringLiteral("select count(*) from taxonnames where taxname_taxgrp=") +
                                                      SelectedGroupId() + QStringLiteral(";"))
                   .toInt(&numeric);
    if (!numeric)
        taxa = 0;
    if (taxa == 0 && (page == MatrixPageIndex || page == KeyTestPageIndex)) {
        // No matrix without taxa: the author is sent to add some.
        page = TaxonPageIndex;
        ShowPage(page);
    }

    switch (page) {
    case MatrixPageIndex:
        if (ReloadMatrixNeeded)
            m_operations->LoadMatrixDataFromDB();
        ReloadMatrixNeeded = false;
        setTestTabVisible(true);
        break;
    case KeyTestPageIndex:
        if (ReloadMatrixNeeded)
            m_operations->LoadMatrixDataFromDB();
        ReloadMatrixNeeded = false;
        m_operations->LoadKeyForTest();
        break;
    case TaxonPageIndex:
        m_operations->dbe_helperChange();
        if (MatrixModified && !dialogs().confirm(pageSwitchQuestion()))
            ShowPage(MatrixPageIndex);
        break;
    case QuestionPageIndex:
        if (MatrixModified && !dialogs().confirm(pageSwitchQuestion()))
            ShowPage(MatrixPageIndex);
        break;
    default:
        break;
    }
}

void TMainForm::Timer1Timer()
{
    Timer1->stop();
    const QPoint local(5, 5);
    const QPoint global = SelectedGroupCombo->mapToGlobal(local);
    QCursor::setPos(SelectedGroupCombo->screen(), global);
    // The hint the application shows for that point: the selector's own. It follows a moment
    // later, after the window system has reported the pointer leaving the widget it was over:
    // that report takes every hint away.
    QTimer::singleShot(kNudgeHintDelayMs, this, [this, local] {
        QHelpEvent tip(QEvent::ToolTip, local, SelectedGroupCombo->mapToGlobal(local));
        QCoreApplication::sendEvent(SelectedGroupCombo, &tip);
    });
}

void TMainForm::btn_GroupsClick()
{
    Timer1->stop();
    const bool hadGroup = !SelectedGroupId().isEmpty();
    const int result = GroupForm->exec();
    const bool hasGroup = !SelectedGroupId().isEmpty();
    // Reloaded so that a changed name or description shows at once; also when the chosen
    // group was deleted in the dialog, so that nothing of it stays on the pages.
    if ((result == QDialog::Accepted && hasGroup) || (hadGroup && !hasGroup))
        SelectedGroupComboChange();
}

void TMainForm::btnToolsClick()
{
    PreferencesForm->UpdateButtons(!SelectedGroupId().isEmpty(), ReloadMatrixNeeded);
    PreferencesForm->exec();
}

void TMainForm::btn_helpClick()
{
    HelpViewer->showContext(0);
}

void TMainForm::Btn_exitClick()
{
    close();
}

void TMainForm::btnTestAboutClick()
{
    AboutBox->exec();
}

void TMainForm::Panel1Resize()
{
    Btn_exit->move(Panel1->width() - 50, 4);
    btn_help->move(Btn_exit->x() - 80, 4);
}

bool TMainForm::FormCloseQuery()
{
    return !MatrixModified || dialogs().confirm(closeQuestion());
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    savePlacement();
    HelpViewer->close();
    event->accept();
}

void TMainForm::restorePlacement()
{
    const QSettings ini(m_configPath, QSettings::IniFormat);
    const QByteArray geometry = ini.value(kPlacementKey).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void TMainForm::savePlacement()
{
    if (m_configPath.isEmpty())
        return;
    QSettings ini(m_configPath, QSettings::IniFormat);
    ini.setValue(kPlacementKey, saveGeometry());
    ini.sync();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Key preview: the window sees every key before its controls do.
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this)
            ShiftPressed = event->type() == QEvent::KeyPress &&
                           static_cast<QKeyEvent *>(event)->modifiers().testFlag(Qt::ShiftModifier);
        break;
    case QEvent::Resize:
        if (watched == Panel1)
            Panel1Resize();
        break;
    case QEvent::FocusIn:
        if (watched == SelectedGroupCombo) {
            // Not when the window merely becomes active again (after a message box, say).
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                SelectedGroupComboEnter();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        if (watched == SelectedGroupCombo && m_swallowPress) {
            m_swallowPress = false;
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace editor
