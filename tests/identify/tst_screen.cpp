// The identification screen driven through its real widgets: choosing, dropping and
// switching answer options, the result list, the taxon details and the layout rules.

#include "identifyscreen.h"
#include "jpeg.h"
#include "picturebox.h"
#include "scripted_dialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <map>
#include <memory>

using identify::IdentifyScreen;
using Arrangement = IdentifyScreen::Arrangement;
Q_DECLARE_METATYPE(IdentifyScreen::Arrangement)

namespace {

int addNode(identify::Key &key, const QString &text, int parent = -1)
{
    return key.addNode(text, parent);
}

QByteArray jpegOf(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return pictures::encodeJpeg(image, 90);
}

struct Taxon {
    QString latin, hungarian, link;
    int id;
    QByteArray thumbnail;
    const char *values;
};

// Answer numbers: 1 kerek, 2 szíves, 3 ép, 4 fogazott, 5 fehér, 6 sárga, 7 kék, 8 Termés van.
identify::Key treeKey()
{
    identify::Key key;
    const int levél = addNode(key, "Levél");
    const int alak = addNode(key, "Alak", levél);
    addNode(key, "kerek", alak);
    addNode(key, "szíves", alak);
    const int szél = addNode(key, "Szél", levél);
    addNode(key, "ép", szél);
    addNode(key, "fogazott", szél);
    const int virág = addNode(key, "Virág");
    const int szín = addNode(key, "Szín", virág);
    addNode(key, "fehér", szín);
    addNode(key, "sárga", szín);
    const int szín2 = addNode(key, "Szín", virág); // same text under the same parent
    addNode(key, "kék", szín2);
    addNode(key, "Termés van");
    key.numberAnswers();

    const std::vector<Taxon> taxa = {
        {"Acer campestre", "mezei juhar", "https://example.org/acer", 100, jpegOf({240, 120}, Qt::red), "+-+-+-?+"},
        {"Betula pendula", "közönséges nyír", "", 101, jpegOf({100, 200}, Qt::blue), "-+-+??" "--"},
        {"Carpinus betulus", "gyertyán", "www.example.org/carpinus", 102, {}, "++*?-+aa"},
        {"Quercus robur", "kocsányos tölgy", "", 103, jpegOf({50, 50}, Qt::green), "??+--+??"},
        {"Tilia cordata", "Tilia cordata", "", 104, jpegOf({60, 60}, Qt::yellow), "---+++-+"},
    };
    for (const Taxon &t : taxa) {
        key.SpeciesList << t.latin;
        key.SpeciesHunList << t.hungarian;
        key.LinkList << t.link;
        key.Fajok.push_back(t.id);
        key.JPEGImageList1.emplace_back(t.thumbnail);
        key.AttrList.emplace_back(t.values);
    }
    return key;
}

QStringList rows(const QListView *list)
{
    QStringList out;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        out << list->model()->index(r, 0).data().toString();
    return out;
}

// The chosen-questions tree as text: "Levél(Alak(kerek+))", "+" state 1, "-" state 2.
QString shape(QTreeWidgetItem *item)
{
    QString s = item->text(0);
    const int state = item->data(0, IdentifyScreen::StateIndexRole).toInt();
    if (state == 1)
        s += u'+';
    else if (state == 2)
        s += u'-';
    if (item->childCount() > 0) {
        QStringList children;
        for (int i = 0; i < item->childCount(); ++i)
            children << shape(item->child(i));
        s += u'(' + children.join(u',') + u')';
    }
    return s;
}

QString shape(const QTreeWidget *tree)
{
    QStringList top;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        top << shape(tree->topLevelItem(i));
    return top.join(u' ');
}

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text, int occurrence = 0)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == text && occurrence-- == 0)
            return *it;
    return nullptr;
}

// Pixel distance between colours, good enough to tell JPEG-decoded colours apart.
int distance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

} // namespace

class ScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<IdentifyScreen> screen;
    std::map<int, std::vector<QByteArray>> photos;
    QTreeWidget *all = nullptr;
    QTreeWidget *chosen = nullptr;
    QListView *list = nullptr;

    template <class T> T *child(const char *name)
    {
        T *w = screen->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString label(const char *name) { return child<QLabel>(name)->text(); }

    void clickItem(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        QVERIFY(item);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).topLeft() + QPoint(8, tree->visualItemRect(item).height() / 2));
    }
    void doubleClickItem(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        clickItem(tree, item);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).topLeft() + QPoint(8, tree->visualItemRect(item).height() / 2));
    }
    void chooseByButton(const QString &text, int occurrence = 0)
    {
        clickItem(all, findItem(all, text, occurrence));
        QTest::mouseClick(child<QAbstractButton>("SelectQuestionBtn"), Qt::LeftButton);
    }
    void clickRow(const QString &name)
    {
        const int row = static_cast<int>(rows(list).indexOf(name));
        QVERIFY2(row >= 0, qPrintable(name));
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    void makeScreen(Arrangement arrangement, identify::Key key = treeKey())
    {
        screen = std::make_unique<IdentifyScreen>(arrangement);
        screen->resize(900, 700);
        screen->setPhotoSource([this](int id) { return photos[id]; });
        screen->setKey(std::move(key));
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        all = child<QTreeWidget>("AllQuestionsTree");
        chosen = child<QTreeWidget>("SelectedQuestions");
        list = child<QListView>("SpeciesListBox");
    }

private slots:
    void init()
    {
        photos.clear();
        photos[100] = {jpegOf({240, 120}, Qt::red), jpegOf({200, 300}, Qt::green), jpegOf({100, 100}, Qt::blue)};
        photos[101] = {jpegOf({100, 200}, Qt::blue)};
        photos[103] = {jpegOf({50, 50}, Qt::green), QByteArray("not a picture")};
        makeScreen(Arrangement::Finder);
    }
    void cleanup() { screen.reset(); }

    void setKeyFillsTreeAndList()
    {
        QCOMPARE(all->topLevelItemCount(), 3);
        QCOMPARE(all->topLevelItem(0)->text(0), QString("Levél"));
        QCOMPARE(all->topLevelItem(2)->text(0), QString("Termés van"));
        for (QTreeWidgetItemIterator it(all); *it; ++it) {
            QCOMPARE((*it)->data(0, IdentifyScreen::StateIndexRole).toInt(), -1);
            if ((*it)->childCount() > 0)
                QVERIFY((*it)->isExpanded());
        }
        QCOMPARE(findItem(all, "kék")->data(0, IdentifyScreen::AnswerNumberRole).toInt(), 7);
        QCOMPARE(findItem(all, "Szín")->data(0, IdentifyScreen::AnswerNumberRole).toInt(), 0);
        QCOMPARE(chosen->topLevelItemCount(), 0);
        QCOMPARE(label("SpeciesCountLabel"), QString("5"));
        QCOMPARE(label("CountLabel"), QString("5"));
        QCOMPARE(label("RxLabel4"), QString("Teljes fajlista"));
        QCOMPARE(rows(list), (QStringList{"gyertyán", "kocsányos tölgy", "közönséges nyír", "mezei juhar",
                                          "Tilia cordata"}));
    }

    void chooseWithButton()
    {
        chooseByButton("kerek");
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek+))"));
        QCOMPARE(findItem(all, "kerek")->data(0, IdentifyScreen::StateIndexRole).toInt(), 1);
        QCOMPARE(screen->chosenAnswers().size(), size_t(1));
        QCOMPARE(rows(list), (QStringList{"gyertyán", "kocsányos tölgy", "mezei juhar"}));
        QCOMPARE(label("CountLabel"), QString("3"));
        QCOMPARE(label("SpeciesCountLabel"), QString("5"));
        QCOMPARE(label("RxLabel4"), QString("Szűkített fajlista"));
        QVERIFY(findItem(chosen, "Alak")->isExpanded());
    }

    void chooseButtonDoesNothing_data()
    {
        QTest::addColumn<QString>("select"); // "" selects nothing
        QTest::newRow("nothing selected") << QString();
        QTest::newRow("inner node") << QString("Alak");
        QTest::newRow("already chosen") << QString("kerek");
    }
    void chooseButtonDoesNothing()
    {
        QFETCH(QString, select);
        chooseByButton("kerek");
        all->clearSelection();
        if (!select.isEmpty())
            clickItem(all, findItem(all, select));
        const QString before = shape(chosen);
        QTest::mouseClick(child<QAbstractButton>("SelectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(shape(chosen), before);
        QCOMPARE(label("CountLabel"), QString("3"));
    }

    void ancestorCopiesSharedByText()
    {
        chooseByButton("kerek");
        chooseByButton("szíves");
        chooseByButton("ép");
        chooseByButton("fehér");
        chooseByButton("kék"); // under the second "Szín"
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek+,szíves+),Szél(ép+)) Virág(Szín(fehér+,kék+))"));
    }

    void chooseAnswerWithoutAncestors()
    {
        chooseByButton("Termés van");
        QCOMPARE(shape(chosen), QString("Termés van+"));
        QCOMPARE(rows(list), (QStringList{"gyertyán", "kocsányos tölgy", "mezei juhar", "Tilia cordata"}));
    }

    void chosenOptionIsNoAncestorCopy()
    {
        // A top-level option and a top-level question with the same text.
        identify::Key key;
        addNode(key, "Tüske");
        const int q = addNode(key, "Tüske");
        addNode(key, "hosszú", q);
        key.numberAnswers();
        key.SpeciesList << "Rosa canina";
        key.SpeciesHunList << "gyepűrózsa";
        key.LinkList << "";
        key.Fajok.push_back(1);
        key.JPEGImageList1.emplace_back();
        key.AttrList.emplace_back("++");
        makeScreen(Arrangement::Finder, key);
        clickItem(all, all->topLevelItem(0));
        QTest::mouseClick(child<QAbstractButton>("SelectQuestionBtn"), Qt::LeftButton);
        chooseByButton("hosszú");
        QCOMPARE(shape(chosen), QString("Tüske+ Tüske(hosszú+)"));
        QCOMPARE(screen->chosenAnswers().size(), size_t(2));
    }

    void deepOptionIsChosen()
    {
        // Twelve ancestors: beyond the old limit of ten.
        identify::Key key;
        int parent = -1;
        for (int depth = 0; depth < 12; ++depth)
            parent = addNode(key, QString("Szint %1").arg(depth), parent);
        addNode(key, "levél", parent);
        addNode(key, "másik");
        key.numberAnswers();
        key.SpeciesList << "A a" << "B b";
        key.SpeciesHunList << "A a" << "B b";
        key.LinkList << "" << "";
        key.Fajok = {1, 2};
        key.JPEGImageList1.resize(2);
        key.AttrList = {"+?", "-?"};
        makeScreen(Arrangement::Finder, key);
        chooseByButton("levél");
        QTreeWidgetItem *leaf = findItem(chosen, "levél");
        QVERIFY(leaf);
        int depth = 0;
        for (QTreeWidgetItem *p = leaf->parent(); p; p = p->parent())
            ++depth;
        QCOMPARE(depth, 12);
        QCOMPARE(rows(list), QStringList{"A a"});
    }

    void dropRemovesEmptyAncestors()
    {
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        chooseByButton("kerek");
        chooseByButton("ép");
        chooseByButton("fehér");
        clickItem(chosen, findItem(chosen, "fehér"));
        QTest::mouseClick(child<QAbstractButton>("DeselectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek+),Szél(ép+))"));
        QTreeWidgetItem *fehér = findItem(all, "fehér");
        QCOMPARE(fehér->data(0, IdentifyScreen::StateIndexRole).toInt(), -1);
        QCOMPARE(all->currentItem(), fehér);
        QVERIFY(fehér->isSelected());
        QVERIFY(all->hasFocus());
        QVERIFY(chosen->selectedItems().isEmpty());
        QVERIFY(!chosen->currentItem());

        clickItem(chosen, findItem(chosen, "kerek"));
        QTest::mouseClick(child<QAbstractButton>("DeselectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(shape(chosen), QString("Levél(Szél(ép+))"));
        clickItem(chosen, findItem(chosen, "ép"));
        QTest::mouseClick(child<QAbstractButton>("DeselectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(chosen->topLevelItemCount(), 0);
        QCOMPARE(label("CountLabel"), QString("5"));
        QCOMPARE(label("RxLabel4"), QString("Teljes fajlista"));
    }

    void dropButtonDoesNothing_data()
    {
        QTest::addColumn<QString>("select");
        QTest::newRow("nothing selected") << QString();
        QTest::newRow("ancestor copy") << QString("Alak");
    }
    void dropButtonDoesNothing()
    {
        QFETCH(QString, select);
        chooseByButton("kerek");
        chosen->clearSelection();
        if (!select.isEmpty())
            clickItem(chosen, findItem(chosen, select));
        QTest::mouseClick(child<QAbstractButton>("DeselectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek+))"));
    }

    void doubleClickChoosesAndDrops()
    {
        doubleClickItem(all, findItem(all, "sárga"));
        QCOMPARE(shape(chosen), QString("Virág(Szín(sárga+))"));
        QCOMPARE(rows(list), (QStringList{"gyertyán", "kocsányos tölgy", "közönséges nyír", "Tilia cordata"}));
        doubleClickItem(all, findItem(all, "sárga"));
        QCOMPARE(chosen->topLevelItemCount(), 0);
        QCOMPARE(findItem(all, "sárga")->data(0, IdentifyScreen::StateIndexRole).toInt(), -1);
        QCOMPARE(all->currentItem(), findItem(all, "sárga"));
        QCOMPARE(label("CountLabel"), QString("5"));
    }

    void doubleClickDoesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("inner node") << QString("Szél");
        QTest::newRow("top-level option") << QString("Termés van");
    }
    void doubleClickDoesNothing()
    {
        QFETCH(QString, text);
        doubleClickItem(all, findItem(all, text));
        QCOMPARE(chosen->topLevelItemCount(), 0);
        QCOMPARE(findItem(all, text)->data(0, IdentifyScreen::StateIndexRole).toInt(), -1);
        QCOMPARE(label("CountLabel"), QString("5"));
    }

    void switchState()
    {
        chooseByButton("kerek");
        QTreeWidgetItem *kerek = findItem(chosen, "kerek");
        const QImage plus = kerek->icon(0).pixmap(16, 16).toImage();
        doubleClickItem(chosen, kerek);
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek-))"));
        QCOMPARE(rows(list), (QStringList{"kocsányos tölgy", "közönséges nyír", "Tilia cordata"}));
        const QImage cross = kerek->icon(0).pixmap(16, 16).toImage();
        QVERIFY(plus != cross);
        // State images: green circle with white plus, red circle with white cross.
        QVERIFY(qGreen(plus.pixel(2, 8)) > 100 && qRed(plus.pixel(2, 8)) < 100);
        QVERIFY(qRed(cross.pixel(2, 8)) > 150 && qGreen(cross.pixel(2, 8)) < 100);
        QCOMPARE(QColor(plus.pixel(8, 8)), QColor(Qt::white));
        QCOMPARE(QColor(cross.pixel(8, 8)), QColor(Qt::white));

        doubleClickItem(chosen, kerek);
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek+))"));
        QCOMPARE(label("CountLabel"), QString("3"));

        // A double click on an ancestor copy runs the filter and changes no state.
        doubleClickItem(chosen, findItem(chosen, "Alak"));
        QCOMPARE(shape(chosen), QString("Levél(Alak(kerek+))"));
        QCOMPARE(label("CountLabel"), QString("3"));
    }

    void groupRuleThroughScreen()
    {
        // gyertyán carries the mark "a" on options 7 (kék) and 8 (Termés van).
        chooseByButton("kék");
        chooseByButton("Termés van");
        doubleClickItem(chosen, findItem(chosen, "kék"));
        QVERIFY(rows(list).contains("gyertyán"));
        doubleClickItem(chosen, findItem(chosen, "Termés van"));
        QVERIFY(!rows(list).contains("gyertyán"));
        doubleClickItem(chosen, findItem(chosen, "kék"));
        QVERIFY(rows(list).contains("gyertyán"));
    }

    void chosenOptionDrawnSilverItalic()
    {
        chooseByButton("kerek");
        all->clearSelection();
        all->setCurrentItem(nullptr);
        QTest::qWait(10);
        const QImage image = all->viewport()->grab().toImage();
        auto darkest = [&](QTreeWidgetItem *item) {
            int lowest = 255;
            const QRect r = all->visualItemRect(item);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    lowest = std::min(lowest, qGray(image.pixel(x, y)));
            return lowest;
        };
        QVERIFY(darkest(findItem(all, "szíves")) < 100);
        QVERIFY(darkest(findItem(all, "kerek")) >= 170);
    }

    void expandAndCollapseAll()
    {
        makeScreen(Arrangement::Editor);
        QTest::mouseClick(child<QAbstractButton>("SpeedButton2"), Qt::LeftButton);
        for (QTreeWidgetItemIterator it(all); *it; ++it)
            QVERIFY(!(*it)->isExpanded());
        QTest::mouseClick(child<QAbstractButton>("SpeedButton3"), Qt::LeftButton);
        for (QTreeWidgetItemIterator it(all); *it; ++it)
            if ((*it)->childCount() > 0)
                QVERIFY((*it)->isExpanded());
        QCOMPARE(child<QAbstractButton>("SpeedButton2")->toolTip(), QString("Minden kérdéscsoport bezárása"));
        QCOMPARE(child<QAbstractButton>("SpeedButton3")->toolTip(), QString("Minden kérdéscsoport kibontása"));
    }

    void finderExposesCountersAndButtons()
    {
        QVERIFY(screen->countersWidget()->findChild<QLabel *>("SpeciesCountLabel"));
        QVERIFY(screen->countersWidget()->findChild<QLabel *>("CountLabel"));
        QCOMPARE(screen->collapseButton()->objectName(), QString("SpeedButton2"));
        QCOMPARE(screen->expandButton()->objectName(), QString("SpeedButton3"));
        QVERIFY(!screen->countersWidget()->isVisible());
        QVERIFY(child<QWidget>("Panel5")->isAncestorOf(child<QCheckBox>("cb_withPics")));
        QVERIFY(!screen->findChild<QWidget *>("btnTestAbout"));

        makeScreen(Arrangement::Editor);
        QVERIFY(screen->countersWidget()->isVisible());
        QVERIFY(!child<QWidget>("Panel5")->isAncestorOf(child<QCheckBox>("cb_withPics")));
        auto *about = child<QAbstractButton>("btnTestAbout");
        QCOMPARE(about->toolTip(), QString("Információ a határozóról"));
        QSignalSpy spy(screen.get(), &IdentifyScreen::aboutRequested);
        QTest::mouseClick(about, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }

    void latinNames()
    {
        clickRow("közönséges nyír");
        auto *latin = child<QCheckBox>("cb_latnev");
        QCOMPARE(latin->text(), QString("Fajnevek latinul"));
        QTest::mouseClick(latin, Qt::LeftButton, {}, QPoint(5, latin->height() / 2));
        QVERIFY(latin->isChecked());
        QCOMPARE(rows(list), (QStringList{"Acer campestre", "Betula pendula", "Carpinus betulus", "Quercus robur",
                                          "Tilia cordata"}));
        QCOMPARE(screen->shownTaxon(), 1);
        QCOMPARE(label("l_latnev"), QString("Betula pendula"));
        chooseByButton("kerek");
        QCOMPARE(rows(list), (QStringList{"Acer campestre", "Carpinus betulus", "Quercus robur"}));
    }

    void thumbnailRows()
    {
        list->resize(list->width(), 600);
        auto *pics = child<QCheckBox>("cb_withPics");
        QCOMPARE(pics->text(), QString("Találat képekkel"));
        QCOMPARE(list->visualRect(list->model()->index(0, 0)).height(), list->sizeHintForRow(0));
        QVERIFY(list->sizeHintForRow(0) < 40);
        QTest::mouseClick(pics, Qt::LeftButton, {}, QPoint(5, pics->height() / 2));
        QVERIFY(pics->isChecked());
        QTest::qWait(10);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(list->visualRect(list->model()->index(r, 0)).height(), 140);

        // Rows: gyertyán (no photo), kocsányos tölgy, közönséges nyír (100 x 200 blue), mezei juhar (240 x 120 red).
        list->selectionModel()->clear();
        const QImage image = list->viewport()->grab().toImage();
        const QColor base = list->palette().color(QPalette::Base);
        const QColor tip = list->palette().color(QPalette::ToolTipBase);
        const QRect row0 = list->visualRect(list->model()->index(0, 0));
        const QRect row1 = list->visualRect(list->model()->index(1, 0));
        const QRect row2 = list->visualRect(list->model()->index(2, 0));
        const QRect row3 = list->visualRect(list->model()->index(3, 0));
        QCOMPARE(QColor(image.pixel(row0.right() - 10, row0.center().y())), base);
        QCOMPARE(QColor(image.pixel(row1.right() - 10, row1.center().y())), tip);
        QCOMPARE(QColor(image.pixel(row2.right() - 10, row2.center().y())), base);
        QCOMPARE(QColor(image.pixel(row3.right() - 10, row3.center().y())), tip);

        QFont bold = list->font();
        bold.setBold(true);
        const int boxTop = QFontMetrics(bold).height() + 4;
        // 240 x 120 is drawn 120 x 60, moved down by 30.
        QVERIFY(distance(image.pixel(row3.left() + 65, row3.top() + boxTop + 60), Qt::red) < 60);
        QCOMPARE(QColor(image.pixel(row3.left() + 65, row3.top() + boxTop + 20)), tip);
        QVERIFY(distance(image.pixel(row3.left() + 65, row3.top() + boxTop + 32), Qt::red) < 60);
        QCOMPARE(QColor(image.pixel(row3.left() + 65, row3.top() + boxTop + 92)), tip);
        // 100 x 200 is drawn 60 x 120, moved right by 30.
        QVERIFY(distance(image.pixel(row2.left() + 5 + 60, row2.top() + boxTop + 60), Qt::blue) < 60);
        QCOMPARE(QColor(image.pixel(row2.left() + 5 + 20, row2.top() + boxTop + 60)), base);
        QCOMPARE(QColor(image.pixel(row2.left() + 5 + 100, row2.top() + boxTop + 60)), base);
        // No photo: the row shows its name only.
        QCOMPARE(QColor(image.pixel(row0.left() + 65, row0.top() + boxTop + 60)), base);

        // A selected odd row keeps the selection colour.
        list->setCurrentIndex(list->model()->index(1, 0));
        const QImage selected = list->viewport()->grab().toImage();
        QCOMPARE(QColor(selected.pixel(row1.right() - 10, row1.center().y())),
                 list->palette().color(QPalette::Highlight));

        QTest::mouseClick(pics, Qt::LeftButton, {}, QPoint(5, pics->height() / 2));
        QTest::qWait(10);
        QVERIFY(list->visualRect(list->model()->index(0, 0)).height() < 40);
    }

    void photoStepping()
    {
        auto *next = child<QAbstractButton>("NextImageBtn");
        auto *prev = child<QAbstractButton>("previmagebtn");
        auto *image2 = child<identify::PictureBox>("Image2");
        QCOMPARE(next->toolTip(), QString("Következő kép"));
        QCOMPARE(prev->toolTip(), QString("Előző kép"));
        QVERIFY(!next->isEnabled() && !prev->isEnabled());
        QVERIFY(!image2->isVisible() && !child<QLabel>("l_latnev")->isVisible());

        clickRow("mezei juhar");
        QVERIFY(image2->isVisible());
        QCOMPARE(label("l_latnev"), QString("Acer campestre"));
        QCOMPARE(label("l_hunnev"), QString("mezei juhar"));
        QVERIFY(next->isEnabled() && prev->isEnabled());
        QCOMPARE(image2->image().size(), QSize(240, 120));

        const QList<std::pair<QAbstractButton *, QSize>> steps = {
            {next, {200, 300}}, {next, {100, 100}}, {next, {100, 100}}, {prev, {200, 300}},
            {prev, {240, 120}}, {prev, {240, 120}}, {next, {200, 300}}};
        for (const auto &[button, size] : steps) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(image2->image().size(), size);
            QVERIFY(next->isEnabled() && prev->isEnabled());
        }
        QVERIFY(distance(image2->image().pixel(50, 50), Qt::green) < 60);

        // A click on the shown row shows it afresh, from the first photo.
        clickRow("mezei juhar");
        QCOMPARE(screen->currentPhoto(), 0);
        QCOMPARE(image2->image().size(), QSize(240, 120));
    }

    void photoButtonsByCount_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("no photo") << QString("gyertyán") << false << QSize(0, 0);
        QTest::newRow("one photo") << QString("közönséges nyír") << false << QSize(100, 200);
        QTest::newRow("two photos") << QString("kocsányos tölgy") << true << QSize(50, 50);
    }
    void photoButtonsByCount()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QFETCH(QSize, shown);
        clickRow("mezei juhar");
        clickRow(name);
        QCOMPARE(child<QAbstractButton>("NextImageBtn")->isEnabled(), enabled);
        QCOMPARE(child<QAbstractButton>("previmagebtn")->isEnabled(), enabled);
        auto *image2 = child<identify::PictureBox>("Image2");
        QVERIFY(image2->isVisible());
        QCOMPARE(image2->image().size(), shown);
        QVERIFY(child<QLabel>("l_hunnev")->isVisible());
        QCOMPARE(label("l_hunnev"), name);
    }

    void photosHeldInMemory()
    {
        clickRow("mezei juhar");
        // A switch of database file: the source fails from now on and the key goes away.
        screen->setPhotoSource([](int) -> std::vector<QByteArray> { throw std::runtime_error("closed"); });
        screen->clearKey();
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(all->topLevelItemCount(), 0);
        QCOMPARE(label("CountLabel"), QString("0"));
        QCOMPARE(label("SpeciesCountLabel"), QString("0"));
        QCOMPARE(label("RxLabel4"), QString("Találati lista"));
        QCOMPARE(label("l_latnev"), QString("Acer campestre"));
        QTest::mouseClick(child<QAbstractButton>("NextImageBtn"), Qt::LeftButton);
        QCOMPARE(child<identify::PictureBox>("Image2")->image().size(), QSize(200, 300));

        // A new key keeps the shown taxon too.
        screen->setKey(treeKey());
        QTest::mouseClick(child<QAbstractButton>("NextImageBtn"), Qt::LeftButton);
        QCOMPARE(child<identify::PictureBox>("Image2")->image().size(), QSize(100, 100));
    }

    void failingPhotoSourceLeavesNoOldPhotos()
    {
        clickRow("mezei juhar");
        QCOMPARE(screen->shownPhotos().size(), size_t(3));
        screen->setPhotoSource([](int) -> std::vector<QByteArray> { throw std::runtime_error("lost connection"); });
        const int row = static_cast<int>(rows(list).indexOf("kocsányos tölgy"));
        {
            const QSignalBlocker quiet(list->selectionModel());
            list->setCurrentIndex(list->model()->index(row, 0));
        }
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, screen->SpeciesListBoxClick());
        QVERIFY(screen->shownPhotos().empty());
        QVERIFY(!child<QAbstractButton>("NextImageBtn")->isEnabled());
        QVERIFY(!child<QAbstractButton>("previmagebtn")->isEnabled());
        QVERIFY(!child<QWidget>("Image2")->isVisible());
        QVERIFY(!child<QWidget>("l_latnev")->isVisible());
    }

    void filterKeepsDetails()
    {
        clickRow("közönséges nyír");
        chooseByButton("kerek"); // nyír has "-"
        QVERIFY(!rows(list).contains("közönséges nyír"));
        QCOMPARE(screen->shownTaxon(), 1);
        QCOMPARE(label("l_hunnev"), QString("közönséges nyír"));
        QVERIFY(child<QWidget>("Image2")->isVisible());
    }

    void undecodablePhotoReported()
    {
        clickRow("kocsányos tölgy");
        ScriptedDialogs dialogs;
        dialogs.expectError();
        QTest::mouseClick(child<QAbstractButton>("NextImageBtn"), Qt::LeftButton);
        QCOMPARE(dialogs.asked().size(), size_t(1));
        QVERIFY(!dialogs.lastText().isEmpty());
        QVERIFY(child<identify::PictureBox>("Image2")->image().isNull());
    }

    void keyboardShowsTaxon()
    {
        clickRow("gyertyán");
        QCOMPARE(label("l_latnev"), QString("Carpinus betulus"));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(label("l_latnev"), QString("Quercus robur"));
        QCOMPARE(screen->shownPhotos().size(), size_t(2));
    }

    void linkButton_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("opened"); // "" = disabled
        QTest::newRow("web address") << QString("mezei juhar") << QString("https://example.org/acer");
        QTest::newRow("without scheme") << QString("gyertyán") << QString("http://www.example.org/carpinus");
        QTest::newRow("empty link") << QString("közönséges nyír") << QString();
    }
    void linkButton()
    {
        QFETCH(QString, name);
        QFETCH(QString, opened);
        LinkCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        auto *button = child<QPushButton>("Button1");
        QCOMPARE(button->text(), QString("További információ"));
        QVERIFY(!button->isEnabled());
        clickRow(name);
        QCOMPARE(button->isEnabled(), !opened.isEmpty());
        if (!opened.isEmpty()) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(catcher.urls, QList<QUrl>{QUrl(opened)});
        }
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }

    void layoutRules_data()
    {
        QTest::addColumn<Arrangement>("arrangement");
        QTest::newRow("finder") << Arrangement::Finder;
        QTest::newRow("editor") << Arrangement::Editor;
    }
    void layoutRules()
    {
        QFETCH(Arrangement, arrangement);
        makeScreen(arrangement);
        const bool finder = arrangement == Arrangement::Finder;
        auto *panel5 = child<QWidget>("Panel5");
        auto *panel8 = child<QWidget>("Panel8");
        auto *panel9 = child<QWidget>("Panel9");
        QCOMPARE(panel5->width(), finder ? 239 : 286);
        QCOMPARE(panel8->height(), 131);
        QCOMPARE(panel9->y() + panel9->height() + 5, panel8->y());
        QCOMPARE(panel8->parentWidget(), panel9->parentWidget());
        for (QSize size : {QSize(900, 700), QSize(1111, 801)}) {
            screen->resize(size);
            QTest::qWait(5);
            const int w = (panel9->width() - 67) / 2;
            QCOMPARE(all->width(), w);
            QCOMPARE(chosen->width(), w);
            QCOMPARE(chosen->x(), w + 54);
            QCOMPARE(all->height(), panel9->height() - all->y() - 5);
            QCOMPARE(chosen->height(), all->height());
            QCOMPARE(child<QWidget>("SelectQuestionBtn")->x(), w + 10);
            QCOMPARE(child<QWidget>("DeselectQuestionBtn")->x(), w + 10);
            QCOMPARE(child<QWidget>("RxLabel6")->x(), chosen->x());

            auto *image2 = child<QWidget>("Image2");
            QCOMPARE(image2->geometry(),
                     QRect(panel8->width() - (panel8->height() - 10) - 40, 5, panel8->height() - 10,
                           panel8->height() - 10));
            QCOMPARE(child<QWidget>("previmagebtn")->x(), panel8->width() - 35);
            QCOMPARE(child<QWidget>("NextImageBtn")->x(), panel8->width() - 35);
            QVERIFY(child<QWidget>("NextImageBtn")->y() > child<QWidget>("previmagebtn")->y());

            if (finder)
                QCOMPARE(list->size(), QSize(panel5->width() - 8, panel5->height() - list->y() - 5));
            else
                QCOMPARE(list->size(), QSize(panel5->width() - 2, panel5->height() - list->y() - 1));
        }
        QCOMPARE(child<QWidget>("previmagebtn")->size(), QSize(25, 25));
        QCOMPARE(child<QWidget>("Button1")->size(), QSize(135, 29));
    }

    void setKeyDropsChoice()
    {
        chooseByButton("kerek");
        screen->setKey(treeKey());
        QCOMPARE(chosen->topLevelItemCount(), 0);
        QCOMPARE(findItem(all, "kerek")->data(0, IdentifyScreen::StateIndexRole).toInt(), -1);
        QCOMPARE(label("CountLabel"), QString("5"));
        QCOMPARE(label("RxLabel4"), QString("Teljes fajlista"));
    }

    void keyWithoutQuestions()
    {
        identify::Key key = treeKey();
        key.nodes.clear();
        key.QuestionHintList.clear();
        key.HintPicList.clear();
        key.answerCount = 0;
        for (auto &s : key.AttrList)
            s.clear();
        makeScreen(Arrangement::Finder, key);
        QCOMPARE(all->topLevelItemCount(), 0);
        QCOMPARE(label("CountLabel"), QString("5"));
        QCOMPARE(label("RxLabel4"), QString("Teljes fajlista"));
        QTest::mouseClick(child<QAbstractButton>("SelectQuestionBtn"), Qt::LeftButton);
        QTest::mouseClick(child<QAbstractButton>("DeselectQuestionBtn"), Qt::LeftButton);
        QCOMPARE(label("CountLabel"), QString("5"));
    }

    void keyWithoutTaxa()
    {
        identify::Key key = treeKey();
        key.SpeciesList.clear();
        key.SpeciesHunList.clear();
        key.LinkList.clear();
        key.Fajok.clear();
        key.JPEGImageList1.clear();
        key.AttrList.clear();
        makeScreen(Arrangement::Finder, key);
        QCOMPARE(label("SpeciesCountLabel"), QString("0"));
        chooseByButton("kerek");
        QCOMPARE(label("CountLabel"), QString("0"));
        QCOMPARE(list->model()->rowCount(), 0);
    }
};

QTEST_MAIN(ScreenTest)
#include "tst_screen.moc"
