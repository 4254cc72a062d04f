#include "graphichintwindow.h"

#include "fitting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QTimer>

namespace identify {

namespace {

constexpr int kHideAfterMs = 10000;
const QPoint kOffsetFromPointer(2, 16);

class FlagWhileAlive {
public:
    explicit FlagWhileAlive(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagWhileAlive() { m_flag = false; }

private:
    bool &m_flag;
};

} // namespace

TGraphicHintWindow::TGraphicHintWindow(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("TGraphicHintWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSize(10);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
}

QRect TGraphicHintWindow::calcHintRect(const QString &text) const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int maxWidth = screen ? screen->geometry().width() : 1024;
    const QRect r = fontMetrics().boundingRect(QRect(0, 0, maxWidth, 0), Qt::AlignLeft | Qt::TextWordWrap, text);
    // The toolkit's margins, and one pixel each side for the window's edge.
    return QRect(0, 0, r.width() + 8, r.height() + 4);
}

QRect TGraphicHintWindow::fitPicture(int w, int h)
{
    const auto target = pictures::fitIntoHintFrame(QSize(w, h));
    return target ? target->toRect() : QRect();
}

QRect TGraphicHintWindow::pictureTarget() const
{
    if (PicName.trimmed().isEmpty() || m_picture.isNull())
        return {};
    return fitPicture(m_picture.width(), m_picture.height());
}

void TGraphicHintWindow::ActivateHint(QRect rect, const QString &hint, const PictureLookup &pictures)
{
    FlagWhileAlive activating(FActivating);

    m_caption = hint;
    PicName.clear();
    m_picture = QImage();

    const qsizetype a = hint.indexOf(QLatin1String("<PIC>"));
    const qsizetype b = a < 0 ? -1 : hint.indexOf(QLatin1String("</PIC>"), a + 5);
    if (b >= 0) {
        const QString name = hint.mid(a + 5, b - a - 5);
        m_caption = hint.left(a) + hint.mid(b + 6, 1000);
        bool isNumber = false;
        const int n = name.trimmed().toInt(&isNumber);
        const QImage picture = isNumber && pictures ? pictures(n) : QImage();
        if (picture.width() > 0 && picture.height() > 0) {
            PicName = name.toLocal8Bit();
            m_picture = picture;
            rect.setSize(QSize(PictureHintWidth, PictureHintHeight));
        } else {
            // The markup names no picture: the hint shows as text.
            rect.setSize(calcHintRect(m_caption).size());
        }
    }

    setGeometry(rect);

    // Keep the whole window on the desktop.
    const QScreen *screen = QGuiApplication::screenAt(rect.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect desk = screen->geometry();
        if (rect.top() + height() > desk.bottom() + 1)
            rect.moveTop(desk.bottom() + 1 - height());
        if (rect.left() + width() > desk.right() + 1)
            rect.moveLeft(desk.right() + 1 - width());
        if (rect.left() < desk.left())
            rect.moveLeft(desk.left());
        if (rect.top() < desk.top())
            rect.moveTop(desk.top());
    }
    setGeometry(QRect(rect.topLeft(), size()));
    show();
    update();
}

void TGraphicHintWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    QRect r = rect().adjusted(1, 1, 0, 0);

    if (PicName.trimmed().isEmpty() || m_picture.isNull()) {
        const QRect text = fontMetrics().boundingRect(QRect(0, 0, width() - 4, 0), Qt::AlignLeft | Qt::TextWordWrap,
                                                      m_caption);
        const int y = (r.bottom() + 1) / 2 - text.height() / 2;
        p.drawText(QRect(2, y, width() - 4, text.height()), Qt::AlignLeft | Qt::TextWordWrap, m_caption);
    } else {
        p.setPen(QColor(128, 128, 128));
        p.setBrush(Qt::white);
        p.drawRect(QRect(0, 0, 122, 122)); // outline on 0 and 122, as a 123 x 123 frame
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(pictureTarget(), m_picture);

        r.setLeft(r.left() + 121);
        r.setTop(r.top() + 1);
        r.setBottom(r.bottom() - 1);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_caption);
    }

    // The hint window's own edge, so that a white hint stands out on a white window.
    p.setPen(QColor(128, 128, 128));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

QPointer<TGraphicHintWindow> g_window;

// Sends every tooltip of the program to the hint window and takes the hint away when
// the user acts.
class GraphicHintFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ToolTip:
            if (watched->isWidgetType())
                return showFor(static_cast<QWidget *>(watched), static_cast<QHelpEvent *>(event));
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::WindowDeactivate:
            if (watched != g_window)
                cancelGraphicHint();
            break;
        default:
            break;
        }
        return false;
    }

private:
    static QString hintOf(QWidget *w, QPoint pos)
    {
        if (auto *header = qobject_cast<QHeaderView *>(w)) {
            const int section = header->logicalIndexAt(pos);
            if (section >= 0 && header->model())
                return header->model()->headerData(section, header->orientation(), Qt::ToolTipRole).toString();
        }
        if (auto *view = qobject_cast<QAbstractItemView *>(w ? w->parentWidget() : nullptr);
            view && view->viewport() == w) {
            const QString text = view->indexAt(pos).data(Qt::ToolTipRole).toString();
            if (!text.isEmpty())
                return text;
        }
        if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            const int tab = tabs->tabAt(pos);
            if (tab >= 0 && !tabs->tabToolTip(tab).isEmpty())
                return tabs->tabToolTip(tab);
        }
        return w->toolTip();
    }

    static TGraphicHintWindow::PictureLookup picturesFor(QWidget *w)
    {
        for (QWidget *x = w; x; x = x->parentWidget()) {
            if (auto *source = dynamic_cast<HintPictureSource *>(x)) {
                QPointer<QWidget> guard(x);
                return [guard, source](int n) { return guard ? source->hintPicture(n) : QImage(); };
            }
        }
        return {};
    }

    // Shows the hint of w when it has one; otherwise Qt passes the event on to the parent.
    bool showFor(QWidget *w, QHelpEvent *help)
    {
        QString text = hintOf(w, help->pos());
        if (text.isEmpty())
            return false;
        if (!text.contains(QLatin1String("<PIC>")) && Qt::mightBeRichText(text))
            text = QTextDocumentFragment::fromHtml(text).toPlainText();
        help->accept();
        if (!g_window)
            return true;
        if (g_window->isVisible() && m_owner == w && m_text == text)
            return true; // the same hint stays where it is
        m_owner = w;
        m_text = text;
        QRect rect = g_window->calcHintRect(text);
        rect.moveTopLeft(help->globalPos() + kOffsetFromPointer);
        g_window->ActivateHint(rect, text, picturesFor(w));
        m_hideTimer.start(kHideAfterMs);
        return true;
    }

public:
    QPointer<QWidget> m_owner;
    QString m_text;
    QTimer m_hideTimer;
};

GraphicHintFilter *g_filter = nullptr;

} // namespace

void installGraphicHints()
{
    if (g_window || !qApp)
        return;
    g_window = new TGraphicHintWindow();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, g_window.data(), &QObject::deleteLater);
    g_filter = new GraphicHintFilter(qApp);
    g_filter->m_hideTimer.setSingleShot(true);
    QObject::connect(&g_filter->m_hideTimer, &QTimer::timeout, [] { cancelGraphicHint(); });
    qApp->installEventFilter(g_filter);
}

TGraphicHintWindow *graphicHintWindow()
{
    return g_window;
}

void cancelGraphicHint()
{
    if (g_window)
        g_window->hide();
    if (g_filter) {
        g_filter->m_hideTimer.stop();
        g_filter->m_owner = nullptr;
        g_filter->m_text.clear();
    }
}

} // namespace identify
