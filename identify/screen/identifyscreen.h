#pragma once
// The identification screen, compiled into both programs: the all-questions and
// chosen-questions trees with the choose and drop buttons, the filter that narrows the
// taxa after every choice, the result list, and the details of the clicked taxon.

#include "filter.h"
#include "graphichintwindow.h"
#include "key.h"

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QListView;
class QModelIndex;
class QPainter;
class QPushButton;
class QSplitter;
class QStyleOptionViewItem;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace identify {

class PictureBox;
class SpeciesListDelegate;
class SpeciesListModel;

class IdentifyScreen : public QWidget, public HintPictureSource {
    Q_OBJECT
public:
    // The finder places the counters and the expand/collapse buttons in its own top
    // panel and the check boxes above the result list; the editor's test page has a
    // top bar of its own.
    enum class Arrangement { Finder, Editor };

    // Item data roles of both trees.
    enum Role {
        AnswerNumberRole = Qt::UserRole, // the node's data value: answer number, 0 for inner nodes
        StateIndexRole,                  // -1 none; 1 has the feature; 2 does not
        NodeIndexRole                    // absolute node index (all-questions tree only)
    };

    explicit IdentifyScreen(Arrangement arrangement, QWidget *parent = nullptr);
    ~IdentifyScreen() override;

    // Replaces the key: drops every choice, fills the all-questions tree, sets the taxon
    // count, runs the filter, expands the tree and scrolls it to the top. The details of
    // the shown taxon stay until another taxon is clicked.
    void setKey(Key key);
    // Empties the key, the trees, the result list and the counters (database switch).
    // The details panel keeps the shown taxon: its photos are held in memory.
    void clearKey();
    const Key &key() const { return m_key; }

    // All photos of a taxon id, in the order they are stepped through; asked once per
    // click on a taxon, and the screen keeps the bytes. It may throw (a database error):
    // the details then stay empty. Without a source the photo list is the thumbnail alone.
    using PhotoSource = std::function<std::vector<QByteArray>(int taxonId)>;
    void setPhotoSource(PhotoSource source) { m_photoSource = std::move(source); }

    Arrangement arrangement() const { return m_arrangement; }
    // Finder: the host places these in its top panel; they start hidden, so the host
    // reparents them and shows them. Editor: they sit in the screen's own top bar.
    QWidget *countersWidget() const { return m_counters; }
    QAbstractButton *collapseButton() const;
    QAbstractButton *expandButton() const;

    // The chosen answer options with their states, in the order of the chosen-questions tree.
    std::vector<ChosenAnswer> chosenAnswers() const;
    // Taxon index and photos of the taxon shown in the details panel.
    int shownTaxon() const { return m_shownTaxon; }
    const std::vector<QByteArray> &shownPhotos() const { return m_photos; }
    int currentPhoto() const { return m_photoIndex; }

    // The hint of an all-questions node, "" when there is none.
    QString NodeHint(QTreeWidgetItem *tn) const;
    QTreeWidgetItem *lastHintNode() const { return m_lastHintNode; }
    QImage hintPicture(int n) const override;

    // Drawing hooks of the trees and the result list.
    void AllQuestionsTreeCustomDraw(QStyleOptionViewItem &option, const QModelIndex &index) const;
    void SpeciesListBoxDrawItem(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

signals:
    // Editor: the about button of the screen's own top bar.
    void aboutRequested();

public slots:
    void RefreshSpeciesList();
    void SelectQuestionBtnClick();
    void DeselectQuestionBtnClick();
    void AllQuestionsTreeDblClick();
    void SelectedQuestionsDblClick();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void cb_withPicsClick();
    void cb_latnevClick();
    void SpeciesListBoxClick();
    void NextImageBtnClick();
    void previmagebtnClick();
    void Button1Click();
    void Panel5Resize();
    void Panel8Resize();
    void Panel9Resize();
    void AllQuestionsTreeMouseMove(const QPoint &pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildQuestionArea();
    void buildDetailsPanel();
    void buildResultPanel();
    void buildEditorTopBar();
    void buildCounters();
    void fillAllQuestionsTree();
    void choose(QTreeWidgetItem *node);
    void drop(QTreeWidgetItem *chosen);
    void showPhoto(int index);
    void clearChoice();
    void onResultSelectionChanged();
    void onResultClicked();
    bool onNodeLabel(const QPoint &pos) const;

    Arrangement m_arrangement;
    Key m_key;
    std::vector<int> m_orderLatin, m_orderHun;
    std::vector<QTreeWidgetItem *> m_allItems; // by absolute node index
    mutable QCache<int, QImage> m_scaledThumbnails{16 * 1024}; // by taxon index; cost in KiB
    PhotoSource m_photoSource;

    // Details of the shown taxon.
    int m_shownTaxon = -1;
    std::vector<QByteArray> m_photos;
    int m_photoIndex = -1;

    QTreeWidgetItem *m_lastHintNode = nullptr;
    bool m_rebuildingList = false;
    bool m_listPressed = false;     // a mouse button is down on the result list
    bool m_changedByPress = false;  // that press made a row current

    QSplitter *m_mainSplitter = nullptr;  // question/details area | result panel
    QSplitter *m_leftSplitter = nullptr;  // question area over details
    QWidget *m_topBar = nullptr;          // editor only
    QWidget *m_counters = nullptr;

    QWidget *Panel5 = nullptr;
    QWidget *Panel8 = nullptr;
    QWidget *Panel9 = nullptr;
    QTreeWidget *AllQuestionsTree = nullptr;
    QTreeWidget *SelectedQuestions = nullptr;
    QToolButton *SelectQuestionBtn = nullptr;
    QToolButton *DeselectQuestionBtn = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QToolButton *btnTestAbout = nullptr;
    QLabel *AllQuestionsLabel = nullptr;
    QLabel *RxLabel6 = nullptr;
    QLabel *RxLabel4 = nullptr;
    QLabel *SpeciesCountLabel = nullptr;
    QLabel *CountLabel = nullptr;
    QCheckBox *cb_withPics = nullptr;
    QCheckBox *cb_latnev = nullptr;
    QListView *SpeciesListBox = nullptr;
    SpeciesListModel *m_speciesModel = nullptr;
    SpeciesListDelegate *m_speciesDelegate = nullptr;
    QLabel *l_latnev = nullptr;
    QLabel *l_hunnev = nullptr;
    PictureBox *Image2 = nullptr;
    QToolButton *previmagebtn = nullptr;
    QToolButton *NextImageBtn = nullptr;
    QPushButton *Button1 = nullptr;
    std::vector<QPixmap> ImageList1;
};

} // namespace identify
