// The picture hint window, the routing of every tooltip through it, and the hints of
// the all-questions tree.

#include "graphichintwindow.h"
#include "identifyscreen.h"

#include <QApplication>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <memory>

using identify::TGraphicHintWindow;

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Pictures by index: 0 red 300 x 150, 1 none, 2 blue 90 x 180, 3 green 100 x 100.
QImage pictureOf(int n)
{
    switch (n) {
    case 0: return filled({300, 150}, Qt::red);
    case 2: return filled({90, 180}, Qt::blue);
    case 3: return filled({100, 100}, Qt::green);
    default: return {};
    }
}

bool isDark(QRgb p)
{
    return qGray(p) < 110;
}

// Rows of the image that hold a dark (text) pixel within the columns [x0, x1).
std::pair<int, int> darkRows(const QImage &image, int x0, int x1)
{
    int first = -1, last = -1;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = x0; x < x1; ++x)
            if (isDark(image.pixel(x, y))) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

void hover(QWidget *viewport, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

void askTooltip(QWidget *w, QPoint pos)
{
    QHelpEvent help(QEvent::ToolTip, pos, w->mapToGlobal(pos));
    QApplication::sendEvent(w, &help);
}

} // namespace

class HintTest : public QObject {
    Q_OBJECT

private:
    TGraphicHintWindow *hint = nullptr;
    QRect desk;

private slots:
    void initTestCase()
    {
        identify::installGraphicHints();
        hint = identify::graphicHintWindow();
        QVERIFY(hint);
        QVERIFY(hint->windowFlags().testFlag(Qt::ToolTip));
        QVERIFY(hint->testAttribute(Qt::WA_ShowWithoutActivating));
        desk = QGuiApplication::primaryScreen()->geometry();
    }
    void cleanup() { identify::cancelGraphicHint(); }

    void pictureHint_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QRect>("target"); // left, top, right, bottom with right and bottom exclusive
        QTest::newRow("300 x 150") << 0 << QRect(QPoint(2, 32), QPoint(121 - 1, 91 - 1));
        QTest::newRow("90 x 180") << 2 << QRect(QPoint(32, 2), QPoint(91 - 1, 121 - 1));
        QTest::newRow("square") << 3 << QRect(QPoint(2, 2), QPoint(121 - 1, 121 - 1));
    }
    void pictureHint()
    {
        QFETCH(int, picture);
        QFETCH(QRect, target);
        const QString hintText = QString("<PIC>%1</PIC>Szíves levélváll").arg(picture);
        hint->ActivateHint(QRect(100, 100, 40, 20), hintText, pictureOf);
        QVERIFY(hint->isVisible());
        QVERIFY(!hint->FActivating);
        QCOMPARE(hint->size(), QSize(242, 122));
        QCOMPARE(hint->PicName, QByteArray::number(picture));
        QCOMPARE(hint->caption(), QString("Szíves levélváll"));
        QCOMPARE(hint->picture(), pictureOf(picture));
        QCOMPARE(hint->pictureTarget(), target);

        const QImage image = hint->grab().toImage();
        const QColor colour = pictureOf(picture).pixel(0, 0);
        QCOMPARE(QColor(image.pixel(target.center())), colour);
        QCOMPARE(QColor(image.pixel(target.topLeft())), colour);
        QCOMPARE(QColor(image.pixel(target.bottomRight())), colour);
        if (target.top() > 2)
            QCOMPARE(QColor(image.pixel(60, target.top() - 2)), QColor(Qt::white));
        if (target.left() > 2)
            QCOMPARE(QColor(image.pixel(target.left() - 2, 60)), QColor(Qt::white));
        QCOMPARE(QColor(image.pixel(122, 60)), QColor(128, 128, 128)); // the frame
        // The caption beside the frame, from the top; nothing dark under the frame's right.
        const auto [first, last] = darkRows(image, 124, 240);
        QVERIFY(first > 0 && first < 20);
        QVERIFY(last < 60);
    }

    void captionAndPicture_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("withPicture");
        QTest::newRow("picture only") << QString("<PIC>0</PIC>") << QString() << true;
        QTest::newRow("text around the mark") << QString("Előtte <PIC>0</PIC>utána") << QString("Előtte utána")
                                              << true;
        QTest::newRow("at most 1000 characters after")
            << QString("<PIC>3</PIC>") + QString(1500, u'x') << QString(1000, u'x') << true;
        QTest::newRow("plain text") << QString("Csak szöveg") << QString("Csak szöveg") << false;
        QTest::newRow("not a number") << QString("<PIC>abc</PIC>szöveg") << QString("szöveg") << false;
        QTest::newRow("out of range") << QString("<PIC>99</PIC>szöveg") << QString("szöveg") << false;
        QTest::newRow("negative") << QString("<PIC>-1</PIC>szöveg") << QString("szöveg") << false;
        QTest::newRow("no picture at that index") << QString("<PIC>1</PIC>szöveg") << QString("szöveg") << false;
        QTest::newRow("empty index") << QString("<PIC></PIC>szöveg") << QString("szöveg") << false;
        QTest::newRow("no closing mark") << QString("<PIC>0 szöveg") << QString("<PIC>0 szöveg") << false;
    }
    void captionAndPicture()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(bool, withPicture);
        hint->ActivateHint(QRect(QPoint(50, 60), hint->calcHintRect(text).size()), text, pictureOf);
        QCOMPARE(hint->caption(), caption);
        QCOMPARE(hint->pos(), QPoint(50, 60));
        if (withPicture) {
            QCOMPARE(hint->size(), QSize(242, 122));
            QVERIFY(!hint->picture().isNull());
        } else {
            QVERIFY(hint->PicName.isEmpty());
            QVERIFY(hint->picture().isNull());
            QVERIFY(hint->pictureTarget().isEmpty());
            QCOMPARE(hint->size(), hint->calcHintRect(caption).size());
        }
        const QImage image = hint->grab().toImage();
        QCOMPARE(image.size(), hint->size());
        if (!caption.isEmpty())
            QVERIFY(darkRows(image, 1, image.width() - 1).first > 0);
    }

    void textHintOnOneCentredLine()
    {
        const QString text = QStringLiteral("Levél széle fogazott");
        const QRect rect = hint->calcHintRect(text);
        const QRect text1 = hint->fontMetrics().boundingRect(text);
        QCOMPARE(rect.size(), QSize(text1.width() + 8, hint->fontMetrics().height() + 4));
        // A taller box than the toolkit's shows the text in its middle.
        hint->ActivateHint(QRect(20, 20, rect.width(), 60), text);
        QCOMPARE(hint->size(), QSize(rect.width(), 60));
        const QImage image = hint->grab().toImage();
        const auto [first, last] = darkRows(image, 1, image.width() - 1);
        QVERIFY(first > 0);
        QVERIFY2(std::abs((first + last) / 2 - 30) <= 4, qPrintable(QString("%1..%2").arg(first).arg(last)));
        QCOMPARE(QColor(image.pixel(image.width() / 2, 3)), QColor(Qt::white));
        // Text starts at x = 2.
        bool darkNearLeft = false;
        for (int y = first; y <= last && !darkNearLeft; ++y)
            for (int x = 2; x < 6; ++x)
                darkNearLeft = darkNearLeft || isDark(image.pixel(x, y));
        QVERIFY(darkNearLeft);
    }

    void keptOnDesktop_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("text");
        QTest::newRow("lower right, picture") << QPoint(10000, 10000) << QString("<PIC>0</PIC>kép");
        QTest::newRow("lower right, text") << QPoint(10000, 10000) << QString("szöveg");
        QTest::newRow("left of the desktop") << QPoint(-500, 40) << QString("<PIC>0</PIC>kép");
        QTest::newRow("near the right edge") << QPoint(0, 0) << QString("<PIC>0</PIC>kép");
    }
    void keptOnDesktop()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, text);
        if (at == QPoint(0, 0))
            at = QPoint(desk.right() - 100, desk.top() + 10);
        hint->ActivateHint(QRect(at, hint->calcHintRect(text).size()), text, pictureOf);
        QVERIFY2(desk.contains(hint->geometry()),
                 qPrintable(QString("%1,%2 %3x%4").arg(hint->x()).arg(hint->y()).arg(hint->width()).arg(hint->height())));
        if (at.x() > desk.right())
            QCOMPARE(hint->geometry().bottomRight(), desk.bottomRight());
        if (at.x() < desk.left())
            QCOMPARE(hint->x(), desk.left());
    }

    void everyTooltipGoesThroughTheWindow()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *button = new QPushButton("Súgó", &window);
        button->setToolTip("Súgó indítása");
        auto *frame = new QFrame(&window);
        frame->setToolTip("Keret");
        auto *inner = new QLabel("belső", frame);
        auto *list = new QListWidget(&window);
        auto *item = new QListWidgetItem("elem", list);
        item->setToolTip("Elem súgója");
        list->setToolTip("Lista");
        auto *rich = new QLabel("gazdag", &window);
        rich->setToolTip("<b>Vastag</b> szöveg");
        auto *bare = new QLabel("semmi", &window);
        for (QWidget *w : std::initializer_list<QWidget *>{button, frame, list, rich, bare})
            layout->addWidget(w);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QList<std::pair<QWidget *, QString>> cases = {
            {button, "Súgó indítása"},
            {inner, "Keret"},
            {list->viewport(), "Elem súgója"},
            {rich, "Vastag szöveg"},
        };
        for (const auto &[widget, text] : cases) {
            identify::cancelGraphicHint();
            const QPoint pos = widget == list->viewport() ? list->visualItemRect(item).center() : QPoint(3, 3);
            askTooltip(widget, pos);
            QVERIFY2(hint->isVisible(), qPrintable(text));
            QCOMPARE(hint->caption(), text);
            QVERIFY(!QToolTip::isVisible());
        }

        // Beside the item the list's own hint shows.
        identify::cancelGraphicHint();
        askTooltip(list->viewport(), QPoint(list->viewport()->width() / 2, list->viewport()->height() - 3));
        QCOMPARE(hint->caption(), QString("Lista"));

        identify::cancelGraphicHint();
        askTooltip(bare, QPoint(3, 3));
        QVERIFY(!hint->isVisible());
        QVERIFY(!QToolTip::isVisible());

        // Any click takes the hint away.
        askTooltip(button, QPoint(3, 3));
        QVERIFY(hint->isVisible());
        QTest::mousePress(bare, Qt::LeftButton);
        QVERIFY(!hint->isVisible());
    }

    void questionTreeHints()
    {
        identify::Key key;
        auto add = [&](const QString &text, int parent, const QString &hintText, const QImage &picture) {
            const int index = key.addNode(text, parent);
            key.QuestionHintList[index] = hintText;
            key.HintPicList[static_cast<size_t>(index)] = picture;
            return index;
        };
        const int levél = add("Levél", -1, "<PIC>0</PIC>A levél alakja", filled({300, 150}, Qt::red));
        add("kerek", levél, "Kerek levél", {});
        add("szíves", levél, "", {});
        const int virág = add("Virág", -1, "<PIC>3</PIC>", {});
        add("fehér", virág, "Fehér szirom", {});
        key.HintPicList[3] = filled({90, 180}, Qt::blue);
        key.numberAnswers();

        identify::IdentifyScreen screen(identify::IdentifyScreen::Arrangement::Finder);
        screen.resize(900, 600);
        screen.setKey(key);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        auto *tree = screen.findChild<QTreeWidget *>("AllQuestionsTree");
        QVERIFY(tree);
        QWidget *viewport = tree->viewport();
        auto item = [&](int n) {
            QTreeWidgetItemIterator it(tree);
            for (int i = 0; i < n; ++i)
                ++it;
            return *it;
        };
        auto labelPoint = [&](int n) { return tree->visualItemRect(item(n)).topLeft() + QPoint(4, 4); };
        QCOMPARE(tree->toolTip(), QString("Double click"));
        QVERIFY(!screen.lastHintNode());

        // On a label: the node's hint becomes the tree's hint.
        hover(viewport, labelPoint(1));
        QCOMPARE(screen.lastHintNode(), item(1));
        QCOMPARE(tree->toolTip(), QString("Kerek levél"));
        askTooltip(viewport, labelPoint(1));
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->caption(), QString("Kerek levél"));
        QVERIFY(hint->picture().isNull());

        // Moving within the same node changes nothing.
        hover(viewport, labelPoint(1) + QPoint(6, 2));
        QVERIFY(hint->isVisible());
        QCOMPARE(screen.lastHintNode(), item(1));

        // A picture hint: the window shows picture n of the key.
        hover(viewport, labelPoint(0));
        QVERIFY(!hint->isVisible());
        QCOMPARE(tree->toolTip(), QString("<PIC>0</PIC>A levél alakja"));
        askTooltip(viewport, labelPoint(0));
        QCOMPARE(hint->size(), QSize(242, 122));
        QCOMPARE(hint->picture(), key.HintPicList[0]);
        QCOMPARE(hint->pictureTarget(), QRect(QPoint(2, 32), QPoint(120, 90)));
        QCOMPARE(hint->caption(), QString("A levél alakja"));

        // Onto another node's expand button, or right of another node's label: the
        // showing hint goes, the tree's hint stays.
        const QRect virágRect = tree->visualItemRect(item(3));
        hover(viewport, QPoint(virágRect.left() - 8, virágRect.center().y()));
        QVERIFY(!hint->isVisible());
        QCOMPARE(screen.lastHintNode(), item(0));
        QCOMPARE(tree->toolTip(), QString("<PIC>0</PIC>A levél alakja"));
        const QRect szívesRect = tree->visualItemRect(item(2));
        hover(viewport, QPoint(szívesRect.left() + 150, szívesRect.center().y()));
        QCOMPARE(screen.lastHintNode(), item(0));
        QCOMPARE(tree->toolTip(), QString("<PIC>0</PIC>A levél alakja"));
        // Below the last node.
        hover(viewport, QPoint(20, viewport->height() - 3));
        QCOMPARE(screen.lastHintNode(), item(0));

        // A node without hint shows none.
        hover(viewport, labelPoint(2));
        QCOMPARE(tree->toolTip(), QString());
        askTooltip(viewport, labelPoint(2));
        QVERIFY(!hint->isVisible());

        // Picture only, on a top-level node.
        hover(viewport, labelPoint(3));
        askTooltip(viewport, labelPoint(3));
        QCOMPARE(hint->size(), QSize(242, 122));
        QCOMPARE(hint->caption(), QString());
        QCOMPARE(hint->pictureTarget(), QRect(QPoint(32, 2), QPoint(90, 120)));

        // A new key forgets the last hint node.
        screen.setKey(key);
        QVERIFY(!screen.lastHintNode());
        QVERIFY(!hint->isVisible());
        QCOMPARE(tree->toolTip(), QString("Double click"));
    }
};

QTEST_MAIN(HintTest)
#include "tst_hint.moc"
