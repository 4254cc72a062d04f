#include "identifyscreen.h"

#include <QHeaderView>

#include "dialogs.h"
#include "fitting.h"
#include "glyphs.h"
#include "jpeg.h"
#include "picturebox.h"
#include "resultlist.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace identify {

namespace {

const QString kInitialTreeHint = QStringLiteral("Double click");
constexpr int kTreeTop = 22;
constexpr int kTreeLeft = 8;
constexpr int kListTopFinder = 60;
constexpr int kListTopEditor = 20;

// Lets the screen adjust how each all-questions node is drawn.
class TreeDrawDelegate : public QStyledItemDelegate {
public:
    TreeDrawDelegate(const IdentifyScreen *screen, QObject *parent) : QStyledItemDelegate(parent), m_screen(screen) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        m_screen->AllQuestionsTreeCustomDraw(*option, index);
    }

private:
    const IdentifyScreen *m_screen;
};

QTreeWidgetItem *selectedNode(const QTreeWidget *tree)
{
    const QList<QTreeWidgetItem *> items = tree->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

int stateOf(const QTreeWidgetItem *item)
{
    return item->data(0, IdentifyScreen::StateIndexRole).toInt();
}

int answerOf(const QTreeWidgetItem *item)
{
    return item->data(0, IdentifyScreen::AnswerNumberRole).toInt();
}

void expandWithAllBelow(QTreeWidgetItem *item)
{
    item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i)
        expandWithAllBelow(item->child(i));
}

QTreeWidget *makeTree(const QString &name, QWidget *parent)
{
    auto *tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    // Answer texts are long sentences: a horizontal scroll bar rather than cut-off text.
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return tree;
}

QToolButton *makeButton(const QString &name, const QIcon &icon, const QString &hint, QSize size, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setToolTip(hint);
    b->setFixedSize(size);
    b->setIconSize(size - QSize(8, 8));
    b->setAutoRaise(true);
    return b;
}

QSplitter *makeSplitter(Qt::Orientation orientation, QWidget *parent)
{
    auto *s = new QSplitter(orientation, parent);
    s->setHandleWidth(5);
    s->setChildrenCollapsible(false);
    s->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: rgb(160, 160, 160); }"));
    return s;
}

QFont boldFont(const QFont &base)
{
    QFont f = base;
    f.setBold(true);
    return f;
}

} // namespace

IdentifyScreen::IdentifyScreen(Arrangement arrangement, QWidget *parent)
    : QWidget(parent), m_arrangement(arrangement)
{
    setObjectName(QStringLiteral("IdentifyScreen"));
    for (int i = 0; i < 4; ++i)
        ImageList1.push_back(glyphs::stateImage(i));

    SpeedButton2 = makeButton(QStringLiteral("SpeedButton2"), glyphs::collapseAll(),
                              QStringLiteral("Minden kérdéscsoport bezárása"), QSize(40, 40), this);
    SpeedButton3 = makeButton(QStringLiteral("SpeedButton3"), glyphs::expandAll(),
                              QStringLiteral("Minden kérdéscsoport kibontása"), QSize(40, 40), this);
    connect(SpeedButton2, &QToolButton::clicked, this, &IdentifyScreen::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &IdentifyScreen::SpeedButton3Click);

    cb_withPics = new QCheckBox(QStringLiteral("Találat képekkel"), this);
    cb_withPics->setObjectName(QStringLiteral("cb_withPics"));
    cb_latnev = new QCheckBox(QStringLiteral("Fajnevek latinul"), this);
    cb_latnev->setObjectName(QStringLiteral("cb_latnev"));
    connect(cb_withPics, &QCheckBox::toggled, this, &IdentifyScreen::cb_withPicsClick);
    connect(cb_latnev, &QCheckBox::toggled, this, &IdentifyScreen::cb_latnevClick);

    buildCounters();

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    if (m_arrangement == Arrangement::Editor) {
        buildEditorTopBar();
        outer->addWidget(m_topBar);
    } else {
        // The finder's top panel takes these; until then they stay out of sight.
        m_counters->hide();
        SpeedButton2->hide();
        SpeedButton3->hide();
    }

    m_mainSplitter = makeSplitter(Qt::Horizontal, this);
    m_mainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    m_leftSplitter = makeSplitter(Qt::Vertical, m_mainSplitter);
    m_leftSplitter->setObjectName(QStringLiteral("DetailsSplitter"));
    buildQuestionArea();
    buildDetailsPanel();
    buildResultPanel();
    m_leftSplitter->addWidget(Panel9);
    m_leftSplitter->addWidget(Panel8);
    m_leftSplitter->setStretchFactor(0, 1);
    m_leftSplitter->setStretchFactor(1, 0);
    m_mainSplitter->addWidget(m_leftSplitter);
    m_mainSplitter->addWidget(Panel5);
    m_mainSplitter->setStretchFactor(0, 1);
    m_mainSplitter->setStretchFactor(1, 0);
    outer->addWidget(m_mainSplitter, 1);

    const int resultWidth = m_arrangement == Arrangement::Finder ? 239 : 286;
    m_mainSplitter->setSizes({800 - resultWidth - 5, resultWidth});
    m_leftSplitter->setSizes({400, 131});
    resize(800, 529);
}

IdentifyScreen::~IdentifyScreen()
{
    // The hint window may be showing a picture of this screen.
    if (m_lastHintNode)
        cancelGraphicHint();
}

void IdentifyScreen::buildCounters()
{
    m_counters = new QWidget(this);
    m_counters->setObjectName(QStringLiteral("Counters"));
    auto *grid = new QGridLayout(m_counters);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    SpeciesCountLabel = new QLabel(QStringLiteral("0"), m_counters);
    SpeciesCountLabel->setObjectName(QStringLiteral("SpeciesCountLabel"));
    CountLabel = new QLabel(QStringLiteral("0"), m_counters);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    for (QLabel *l : {SpeciesCountLabel, CountLabel}) {
        l->setFont(boldFont(font()));
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    }
    grid->addWidget(new QLabel(QStringLiteral("Teljes fajszám:"), m_counters), 0, 0, Qt::AlignRight);
    grid->addWidget(SpeciesCountLabel, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Szűkített fajszám:"), m_counters), 1, 0, Qt::AlignRight);
    grid->addWidget(CountLabel, 1, 1);
}

void IdentifyScreen::buildEditorTopBar()
{
    m_topBar = new QWidget(this);
    m_topBar->setObjectName(QStringLiteral("TopBar"));
    m_topBar->setFixedHeight(45);
    btnTestAbout = makeButton(QStringLiteral("btnTestAbout"), glyphs::information(),
                              QStringLiteral("Információ a határozóról"), QSize(40, 40), m_topBar);
    connect(btnTestAbout, &QToolButton::clicked, this, &IdentifyScreen::aboutRequested);
    SpeedButton2->setParent(m_topBar);
    SpeedButton3->setParent(m_topBar);
    auto *checks = new QVBoxLayout;
    checks->setSpacing(2);
    cb_withPics->setParent(m_topBar);
    cb_latnev->setParent(m_topBar);
    checks->addWidget(cb_withPics);
    checks->addWidget(cb_latnev);
    m_counters->setParent(m_topBar);

    auto *bar = new QHBoxLayout(m_topBar);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(4);
    bar->addWidget(btnTestAbout);
    bar->addWidget(SpeedButton2);
    bar->addWidget(SpeedButton3);
    bar->addSpacing(8);
    bar->addLayout(checks);
    bar->addStretch(1);
    bar->addWidget(m_counters);
}

void IdentifyScreen::buildQuestionArea()
{
    Panel9 = new QWidget(m_leftSplitter);
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setMinimumHeight(120);
    AllQuestionsLabel = new QLabel(QStringLiteral("Összes kérdés"), Panel9);
    AllQuestionsLabel->setObjectName(QStringLiteral("AllQuestionsLabel"));
    AllQuestionsLabel->move(kTreeLeft, 4);
    RxLabel6 = new QLabel(QStringLiteral("Kiválasztott kérdések"), Panel9);
    RxLabel6->setObjectName(QStringLiteral("RxLabel6"));
    RxLabel6->move(kTreeLeft + 300, 4);
    AllQuestionsLabel->adjustSize();
    RxLabel6->adjustSize();

    AllQuestionsTree = makeTree(QStringLiteral("AllQuestionsTree"), Panel9);
    AllQuestionsTree->setItemDelegate(new TreeDrawDelegate(this, AllQuestionsTree));
    AllQuestionsTree->setMouseTracking(true);
    AllQuestionsTree->setToolTip(kInitialTreeHint);
    AllQuestionsTree->viewport()->installEventFilter(this);
    AllQuestionsTree->move(kTreeLeft, kTreeTop);
    connect(AllQuestionsTree, &QTreeWidget::itemDoubleClicked, this, &IdentifyScreen::AllQuestionsTreeDblClick);

    SelectedQuestions = makeTree(QStringLiteral("SelectedQuestions"), Panel9);
    SelectedQuestions->move(kTreeLeft + 300, kTreeTop);
    connect(SelectedQuestions, &QTreeWidget::itemDoubleClicked, this, &IdentifyScreen::SelectedQuestionsDblClick);

    SelectQuestionBtn = makeButton(QStringLiteral("SelectQuestionBtn"), glyphs::chooseArrow(), QString(),
                                   QSize(40, 40), Panel9);
    SelectQuestionBtn->move(kTreeLeft + 250, kTreeTop + 40);
    DeselectQuestionBtn = makeButton(QStringLiteral("DeselectQuestionBtn"), glyphs::dropArrow(), QString(),
                                     QSize(40, 40), Panel9);
    DeselectQuestionBtn->move(kTreeLeft + 250, kTreeTop + 90);
    connect(SelectQuestionBtn, &QToolButton::clicked, this, &IdentifyScreen::SelectQuestionBtnClick);
    connect(DeselectQuestionBtn, &QToolButton::clicked, this, &IdentifyScreen::DeselectQuestionBtnClick);

    Panel9->installEventFilter(this);
}

void IdentifyScreen::buildDetailsPanel()
{
    Panel8 = new QWidget(m_leftSplitter);
    Panel8->setObjectName(QStringLiteral("Panel8"));
    Panel8->setMinimumHeight(60);
    QFont nameFont(QStringLiteral("Tahoma"));
    nameFont.setPointSize(10);
    nameFont.setBold(true);
    l_latnev = new QLabel(Panel8);
    l_latnev->setObjectName(QStringLiteral("l_latnev"));
    l_latnev->setFont(nameFont);
    l_latnev->move(8, 8);
    l_hunnev = new QLabel(Panel8);
    l_hunnev->setObjectName(QStringLiteral("l_hunnev"));
    l_hunnev->setFont(nameFont);
    l_hunnev->move(8, 30);
    l_latnev->hide();
    l_hunnev->hide();

    Button1 = new QPushButton(QStringLiteral("További információ"), Panel8);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(8, 62, 135, 29);
    Button1->setEnabled(false);
    connect(Button1, &QPushButton::clicked, this, &IdentifyScreen::Button1Click);

    Image2 = new PictureBox(Panel8);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->hide();

    previmagebtn = makeButton(QStringLiteral("previmagebtn"), glyphs::previousPhoto(), QStringLiteral("Előző kép"),
                              QSize(25, 25), Panel8);
    NextImageBtn = makeButton(QStringLiteral("NextImageBtn"), glyphs::nextPhoto(), QStringLiteral("Következő kép"),
                              QSize(25, 25), Panel8);
    for (QToolButton *b : {previmagebtn, NextImageBtn}) {
        b->setAutoRaise(false);
        b->setIconSize(QSize(16, 16));
        b->setEnabled(false);
    }
    previmagebtn->move(0, 8);
    NextImageBtn->move(0, 38);
    connect(previmagebtn, &QToolButton::clicked, this, &IdentifyScreen::previmagebtnClick);
    connect(NextImageBtn, &QToolButton::clicked, this, &IdentifyScreen::NextImageBtnClick);

    Panel8->installEventFilter(this);
}

void IdentifyScreen::buildResultPanel()
{
    Panel5 = new QWidget(m_mainSplitter);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setMinimumWidth(120);
    RxLabel4 = new QLabel(QStringLiteral("Találati lista"), Panel5);
    RxLabel4->setObjectName(QStringLiteral("RxLabel4"));
    RxLabel4->setFont(boldFont(font()));
    RxLabel4->setMinimumWidth(RxLabel4->fontMetrics().horizontalAdvance(QStringLiteral("Szűkített fajlista")) + 4);

    m_speciesModel = new SpeciesListModel(this);
    m_speciesDelegate = new SpeciesListDelegate(
        [this](QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) { SpeciesListBoxDrawItem(p, o, i); },
        this);
    SpeciesListBox = new QListView(Panel5);
    SpeciesListBox->setObjectName(QStringLiteral("SpeciesListBox"));
    SpeciesListBox->setModel(m_speciesModel);
    SpeciesListBox->setItemDelegate(m_speciesDelegate);
    SpeciesListBox->setUniformItemSizes(true);
    SpeciesListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SpeciesListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    SpeciesListBox->viewport()->installEventFilter(this);
    // Mouse and keyboard both select through the selection model; the selection is in
    // place when this signal comes, unlike the current row's.
    connect(SpeciesListBox->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &IdentifyScreen::onResultSelectionChanged);
    connect(SpeciesListBox, &QListView::clicked, this, &IdentifyScreen::onResultClicked);

    if (m_arrangement == Arrangement::Finder) {
        cb_withPics->setParent(Panel5);
        cb_latnev->setParent(Panel5);
        cb_withPics->move(4, 4);
        cb_latnev->move(4, 22);
        RxLabel4->move(4, 42);
        SpeciesListBox->move(4, kListTopFinder);
    } else {
        RxLabel4->move(1, 2);
        SpeciesListBox->move(1, kListTopEditor);
    }
    Panel5->installEventFilter(this);
}

QAbstractButton *IdentifyScreen::collapseButton() const
{
    return SpeedButton2;
}

QAbstractButton *IdentifyScreen::expandButton() const
{
    return SpeedButton3;
}

// ---- the key -------------------------------------------------------------------------

void IdentifyScreen::setKey(Key key)
{
    clearChoice();
    m_key = std::move(key);
    m_scaledThumbnails.clear();
    m_orderLatin = listOrder(m_key.SpeciesList);
    m_orderHun = listOrder(m_key.SpeciesHunList);
    fillAllQuestionsTree();
    SpeciesCountLabel->setText(QString::number(m_key.taxonCount()));
    RefreshSpeciesList();
    AllQuestionsTree->expandAll();
    if (AllQuestionsTree->topLevelItemCount() > 0)
        AllQuestionsTree->scrollToTop();
}

void IdentifyScreen::clearKey()
{
    clearChoice();
    m_key.clear();
    m_scaledThumbnails.clear();
    m_orderLatin.clear();
    m_orderHun.clear();
    SpeciesCountLabel->setText(QStringLiteral("0"));
    CountLabel->setText(QStringLiteral("0"));
    RxLabel4->setText(QStringLiteral("Találati lista"));
}

void IdentifyScreen::clearChoice()
{
    if (m_lastHintNode)
        cancelGraphicHint();
    m_lastHintNode = nullptr;
    AllQuestionsTree->setToolTip(kInitialTreeHint);
    m_rebuildingList = true;
    m_speciesModel->clear();
    m_rebuildingList = false;
    SelectedQuestions->clear();
    AllQuestionsTree->clear();
    m_allItems.clear();
}

void IdentifyScreen::fillAllQuestionsTree()
{
    const size_t n = m_key.nodes.size();
    m_allItems.assign(n, nullptr);
    QList<QTreeWidgetItem *> top;
    for (size_t i = 0; i < n; ++i) {
        const QuestionNode &node = m_key.nodes[i];
        auto *item = new QTreeWidgetItem(QStringList(node.text));
        item->setData(0, AnswerNumberRole, node.answerNumber);
        item->setData(0, StateIndexRole, -1);
        item->setData(0, NodeIndexRole, static_cast<int>(i));
        m_allItems[i] = item;
        if (node.parent >= 0 && static_cast<size_t>(node.parent) < i)
            m_allItems[static_cast<size_t>(node.parent)]->addChild(item);
        else
            top.append(item);
    }
    AllQuestionsTree->addTopLevelItems(top);
}

QImage IdentifyScreen::hintPicture(int n) const
{
    if (n < 0 || static_cast<size_t>(n) >= m_key.HintPicList.size())
        return {};
    return m_key.HintPicList[static_cast<size_t>(n)];
}

// ---- choosing, dropping, switching ---------------------------------------------------

void IdentifyScreen::SelectQuestionBtnClick()
{
    QTreeWidgetItem *node = selectedNode(AllQuestionsTree);
    if (AllQuestionsTree->topLevelItemCount() == 0 || !node || node->childCount() > 0 || stateOf(node) != -1)
        return;
    choose(node);
}

void IdentifyScreen::choose(QTreeWidgetItem *node)
{
    node->setData(0, StateIndexRole, 1);

    // Every ancestor, from the top-level one down to the parent; no depth limit.
    std::vector<QTreeWidgetItem *> ancestors;
    for (QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ancestors.push_back(p);
    std::reverse(ancestors.begin(), ancestors.end());

    QTreeWidgetItem *into = nullptr; // the top level of the chosen-questions tree
    for (QTreeWidgetItem *ancestor : ancestors) {
        // An ancestor copy is shared by text within its parent. Chosen options are never
        // taken for a copy, even when their text is the same.
        QTreeWidgetItem *found = nullptr;
        const int count = into ? into->childCount() : SelectedQuestions->topLevelItemCount();
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem *c = into ? into->child(i) : SelectedQuestions->topLevelItem(i);
            if (stateOf(c) == -1 && c->text(0) == ancestor->text(0))
                found = c;
        }
        if (found) {
            into = found;
            expandWithAllBelow(found);
            continue;
        }
        auto *copy = new QTreeWidgetItem(QStringList(ancestor->text(0)));
        copy->setData(0, AnswerNumberRole, 0);
        copy->setData(0, StateIndexRole, -1);
        if (into) {
            into->addChild(copy);
            expandWithAllBelow(into);
        } else {
            SelectedQuestions->addTopLevelItem(copy);
        }
        into = copy;
    }

    auto *option = new QTreeWidgetItem(QStringList(node->text(0)));
    option->setData(0, AnswerNumberRole, answerOf(node));
    option->setData(0, StateIndexRole, 1);
    option->setIcon(0, QIcon(ImageList1[1]));
    if (into) {
        into->addChild(option);
        expandWithAllBelow(into);
    } else {
        SelectedQuestions->addTopLevelItem(option);
    }
    AllQuestionsTree->viewport()->update();
    RefreshSpeciesList();
}

void IdentifyScreen::DeselectQuestionBtnClick()
{
    QTreeWidgetItem *node = selectedNode(SelectedQuestions);
    if (SelectedQuestions->topLevelItemCount() == 0 || !node || node->childCount() > 0)
        return;
    drop(node);
}

void IdentifyScreen::drop(QTreeWidgetItem *chosen)
{
    const int a = answerOf(chosen);
    QTreeWidgetItem *parent = chosen->parent();
    delete chosen;
    while (parent && parent->childCount() == 0) {
        QTreeWidgetItem *up = parent->parent();
        delete parent;
        parent = up;
    }

    const auto it = std::find_if(m_allItems.begin(), m_allItems.end(),
                                 [a](const QTreeWidgetItem *item) { return answerOf(item) == a; });
    if (it != m_allItems.end()) {
        QTreeWidgetItem *node = *it;
        node->setData(0, StateIndexRole, -1);
        AllQuestionsTree->setFocus();
        AllQuestionsTree->setCurrentItem(node);
        AllQuestionsTree->scrollToItem(node);
        SelectedQuestions->clearSelection();
        SelectedQuestions->setCurrentItem(nullptr);
    }
    RefreshSpeciesList();
}

void IdentifyScreen::AllQuestionsTreeDblClick()
{
    QTreeWidgetItem *node = selectedNode(AllQuestionsTree);
    if (AllQuestionsTree->topLevelItemCount() == 0 || !node || node->childCount() > 0 || !node->parent())
        return;
    if (stateOf(node) == -1) {
        choose(node);
        return;
    }
    const int a = answerOf(node);
    for (QTreeWidgetItemIterator it(SelectedQuestions); *it; ++it) {
        if (answerOf(*it) == a) {
            SelectedQuestions->setCurrentItem(*it);
            DeselectQuestionBtnClick();
            return;
        }
    }
}

void IdentifyScreen::SelectedQuestionsDblClick()
{
    QTreeWidgetItem *node = selectedNode(SelectedQuestions);
    if (!node)
        return;
    if (node->childCount() == 0) {
        const int state = 3 - stateOf(node);
        node->setData(0, StateIndexRole, state);
        if (state == 1 || state == 2)
            node->setIcon(0, QIcon(ImageList1[static_cast<size_t>(state)]));
    }
    RefreshSpeciesList();
}

void IdentifyScreen::SpeedButton2Click()
{
    AllQuestionsTree->collapseAll();
}

void IdentifyScreen::SpeedButton3Click()
{
    AllQuestionsTree->expandAll();
}

void IdentifyScreen::AllQuestionsTreeCustomDraw(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.data(StateIndexRole).toInt() != 1)
        return;
    const QColor silver(192, 192, 192);
    option.font.setItalic(true);
    option.palette.setColor(QPalette::Text, silver);
    option.palette.setColor(QPalette::HighlightedText, silver);
}

std::vector<ChosenAnswer> IdentifyScreen::chosenAnswers() const
{
    std::vector<ChosenAnswer> chosen;
    for (QTreeWidgetItemIterator it(SelectedQuestions); *it; ++it)
        if ((*it)->childCount() == 0)
            chosen.push_back({answerOf(*it), stateOf(*it)});
    return chosen;
}

// ---- the filter and the result list ---------------------------------------------------

void IdentifyScreen::RefreshSpeciesList()
{
    const std::vector<ChosenAnswer> chosen = chosenAnswers();
    const std::vector<char> fits = filterSpecies(m_key, chosen);

    const bool latin = cb_latnev->isChecked();
    const std::vector<int> &order = latin ? m_orderLatin : m_orderHun;
    std::vector<int> listed;
    listed.reserve(order.size());
    for (int t : order)
        if (static_cast<size_t>(t) < fits.size() && fits[static_cast<size_t>(t)])
            listed.push_back(t);
    const int count = static_cast<int>(listed.size());

    m_rebuildingList = true;
    m_speciesModel->setRows(latin ? m_key.SpeciesList : m_key.SpeciesHunList, std::move(listed));
    m_rebuildingList = false;

    CountLabel->setText(QString::number(count));
    RxLabel4->setText(count == m_key.taxonCount() ? QStringLiteral("Teljes fajlista")
                                                  : QStringLiteral("Szűkített fajlista"));
}

void IdentifyScreen::cb_withPicsClick()
{
    m_speciesDelegate->setThumbnails(cb_withPics->isChecked());
    SpeciesListBox->viewport()->update();
}

void IdentifyScreen::cb_latnevClick()
{
    RefreshSpeciesList();
}

void IdentifyScreen::SpeciesListBoxDrawItem(QPainter *painter, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette &pal = option.palette;

    painter->save();
    QColor background = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
    if (index.row() % 2 == 1 && !selected)
        background = pal.color(QPalette::ToolTipBase);
    painter->fillRect(r, background);
    const QColor ink = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
    painter->setPen(QPen(ink, 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.adjusted(0, 0, -1, -1));

    const QFont bold = boldFont(option.font);
    const QFontMetrics fm(bold);
    painter->setFont(bold);
    painter->setPen(ink);
    painter->drawText(QRect(r.left() + 5, r.top() + 1, r.width() - 6, fm.height()), Qt::AlignLeft | Qt::AlignTop,
                      index.data(Qt::DisplayRole).toString());

    const int t = index.data(SpeciesListModel::TaxonRole).toInt();
    if (t >= 0 && static_cast<size_t>(t) < m_key.JPEGImageList1.size()) {
        try {
            const Thumbnail &thumb = m_key.JPEGImageList1[static_cast<size_t>(t)];
            const auto box = pictures::fitIntoThumbnailBox(thumb.size(),
                                                           QPoint(r.left() + 5, r.top() + fm.height() + 4));
            if (box) {
                // Decoding and scaling a photo costs more than drawing it, and rows are drawn
                // again at every scroll: the scaled pictures of recent rows are kept.
                const QRect target = box->toRect();
                const QImage *cached = m_scaledThumbnails.object(t);
                QImage scaled = cached ? *cached : QImage();
                if (scaled.size() != target.size()) {
                    scaled = thumb.image().scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                    const qsizetype kb = std::max<qsizetype>(1, scaled.sizeInBytes() / 1024);
                    m_scaledThumbnails.insert(t, new QImage(scaled), kb);
                }
                painter->drawImage(target, scaled);
            }
        } catch (...) {
            // A thumbnail that cannot be drawn leaves the row with its text only.
        }
    }
    painter->restore();
}

void IdentifyScreen::onResultSelectionChanged()
{
    if (m_rebuildingList)
        return;
    if (m_listPressed)
        m_changedByPress = true;
    SpeciesListBoxClick();
}

void IdentifyScreen::onResultClicked()
{
    // A click that made the row current has shown it already; a click on the shown row
    // shows it afresh, from its first photo.
    if (m_changedByPress) {
        m_changedByPress = false;
        return;
    }
    SpeciesListBoxClick();
}

// ---- the details of a taxon -----------------------------------------------------------

void IdentifyScreen::SpeciesListBoxClick()
{
    Image2->hide();
    l_latnev->hide();
    l_hunnev->hide();

    const QModelIndex current = SpeciesListBox->currentIndex();
    const bool selected = current.isValid() && SpeciesListBox->selectionModel()->isSelected(current);
    // The photo buttons act on the shown taxon only: its old photos go before anything
    // else can fail.
    m_photos.clear();
    m_photoIndex = -1;
    previmagebtn->setEnabled(false);
    NextImageBtn->setEnabled(false);
    if (!selected) {
        m_shownTaxon = -1;
        Button1->setToolTip(QString());
        Button1->setEnabled(false);
        return;
    }

    const int t = m_speciesModel->taxonAt(current.row());
    const auto ti = static_cast<size_t>(t);
    const int id = ti < m_key.Fajok.size() ? m_key.Fajok[ti] : 0;
    m_shownTaxon = t;

    const QImage thumb = ti < m_key.JPEGImageList1.size() ? m_key.JPEGImageList1[ti].image() : QImage();
    if (thumb.width() > 0)
        Image2->setImage(thumb);
    else
        Image2->clear();

    l_latnev->setText(m_key.SpeciesList.value(t));

    if (m_photoSource) {
        m_photos = m_photoSource(id);
    } else if (ti < m_key.JPEGImageList1.size() && !m_key.JPEGImageList1[ti].isEmpty()) {
        m_photos = {m_key.JPEGImageList1[ti].jpeg()};
    }
    m_photoIndex = m_photos.empty() ? -1 : 0;
    const bool several = m_photos.size() >= 2;
    previmagebtn->setEnabled(several);
    NextImageBtn->setEnabled(several);

    l_hunnev->setText(m_key.SpeciesHunList.value(t));
    const QString link = m_key.LinkList.value(t);
    Button1->setToolTip(link);
    Button1->setEnabled(!link.isEmpty());

    for (QLabel *l : {l_latnev, l_hunnev})
        l->adjustSize();
    Panel8Resize();
    Image2->show();
    l_latnev->show();
    l_hunnev->show();
}

void IdentifyScreen::showPhoto(int index)
{
    Image2->clear();
    try {
        Image2->setImage(pictures::decodeJpeg(m_photos[static_cast<size_t>(index)], pictures::Colours::Full));
    } catch (const std::exception &e) {
        dialogs().error(QString::fromLocal8Bit(e.what()));
    }
}

void IdentifyScreen::NextImageBtnClick()
{
    if (m_photos.empty())
        return;
    if (static_cast<size_t>(m_photoIndex + 1) < m_photos.size())
        ++m_photoIndex;
    showPhoto(m_photoIndex);
}

void IdentifyScreen::previmagebtnClick()
{
    if (m_photos.empty())
        return;
    if (m_photoIndex > 0)
        --m_photoIndex;
    showPhoto(m_photoIndex);
}

void IdentifyScreen::Button1Click()
{
    QDesktopServices::openUrl(QUrl::fromUserInput(Button1->toolTip()));
}

// ---- layout -----------------------------------------------------------------------------

void IdentifyScreen::Panel5Resize()
{
    const int top = SpeciesListBox->y();
    if (m_arrangement == Arrangement::Finder)
        SpeciesListBox->resize(Panel5->width() - 8, Panel5->height() - top - 5);
    else
        SpeciesListBox->resize(Panel5->width() - 2, Panel5->height() - top - 1);
}

void IdentifyScreen::Panel8Resize()
{
    const int side = Panel8->height() - 10;
    Image2->setGeometry(Panel8->width() - side - 40, 5, side, side);
    previmagebtn->move(Panel8->width() - 35, previmagebtn->y());
    NextImageBtn->move(previmagebtn->x(), NextImageBtn->y());
    // The names end before the photo rather than run under it.
    const int nameWidth = std::max(0, Image2->x() - 16);
    for (QLabel *l : {l_latnev, l_hunnev})
        l->resize(std::min(l->sizeHint().width(), nameWidth), l->sizeHint().height());
}

void IdentifyScreen::Panel9Resize()
{
    const int height = Panel9->height() - AllQuestionsTree->y() - 5;
    const int w = (Panel9->width() - 67) / 2;
    AllQuestionsTree->resize(w, height);
    SelectedQuestions->setGeometry(w + 54, SelectedQuestions->y(), w, height);
    SelectQuestionBtn->move(w + 10, SelectQuestionBtn->y());
    DeselectQuestionBtn->move(w + 10, DeselectQuestionBtn->y());
    // The heading stays over its tree in both programs.
    RxLabel6->move(SelectedQuestions->x(), RxLabel6->y());
}

// ---- picture hints --------------------------------------------------------------------

QString IdentifyScreen::NodeHint(QTreeWidgetItem *tn) const
{
    if (!tn)
        return {};
    return m_key.QuestionHintList.value(tn->data(0, NodeIndexRole).toInt());
}

bool IdentifyScreen::onNodeLabel(const QPoint &pos) const
{
    const QModelIndex index = AllQuestionsTree->indexAt(pos);
    if (!index.isValid())
        return false;
    const QRect cell = AllQuestionsTree->visualRect(index);
    QStyleOptionViewItem option;
    option.initFrom(AllQuestionsTree);
    option.font = AllQuestionsTree->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.decorationSize = AllQuestionsTree->iconSize().isValid() ? AllQuestionsTree->iconSize() : QSize(16, 16);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.rect = cell;
    const int labelWidth = AllQuestionsTree->itemDelegate()->sizeHint(option, index).width();
    return pos.x() >= cell.left() && pos.x() < cell.left() + labelWidth && pos.y() >= cell.top() &&
           pos.y() <= cell.bottom();
}

void IdentifyScreen::AllQuestionsTreeMouseMove(const QPoint &pos)
{
    QTreeWidgetItem *tn = AllQuestionsTree->itemAt(pos);
    if (tn == m_lastHintNode)
        return;
    cancelGraphicHint();
    if (tn && onNodeLabel(pos)) {
        m_lastHintNode = tn;
        AllQuestionsTree->setToolTip(NodeHint(tn));
    }
}

bool IdentifyScreen::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == Panel5)
            Panel5Resize();
        else if (watched == Panel8)
            Panel8Resize();
        else if (watched == Panel9)
            Panel9Resize();
        break;
    case QEvent::MouseMove:
        if (watched == AllQuestionsTree->viewport())
            AllQuestionsTreeMouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
        break;
    case QEvent::MouseButtonPress:
        if (watched == SpeciesListBox->viewport()) {
            m_listPressed = true;
            m_changedByPress = false;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == SpeciesListBox->viewport())
            m_listPressed = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace identify
