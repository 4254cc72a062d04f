#include "helpviewer.h"

#include "dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpFilterEngine>
#include <QKeyEvent>
#include <QShortcut>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace help {

QString contextPage(int context)
{
    return QStringLiteral("context-%1.html").arg(context);
}

void setHelpContext(QWidget *widget, int context)
{
    widget->setProperty(kContextProperty, context);
}

int helpContextOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        bool ok = false;
        const int context = w->property(kContextProperty).toInt(&ok);
        if (ok && context > 0)
            return context;
    }
    return 0;
}

// Reads the pages and pictures straight from the help file.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine *&engine, QWidget *parent) : QTextBrowser(parent), m_engine(engine)
    {
        setOpenExternalLinks(true);
    }
    QVariant loadResource(int type, const QUrl &url) override
    {
        if (m_engine && url.scheme() == u"qthelp")
            return m_engine->fileData(url);
        return QTextBrowser::loadResource(type, url);
    }

private:
    QHelpEngine *&m_engine;
};

HelpViewer::HelpViewer(QString qchFile, QWidget *parent)
    : QWidget(parent, Qt::Window), m_qchFile(std::move(qchFile))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Súgó"));
    resize(860, 600);

    auto *bar = new QHBoxLayout;
    auto button = [&](QToolButton *&b, const char *name, const QString &text) {
        b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->addWidget(b);
    };
    button(m_back, "helpBack", QStringLiteral("◀ Vissza"));
    button(m_forward, "helpForward", QStringLiteral("Előre ▶"));
    button(m_home, "helpHome", QStringLiteral("Tartalom"));
    bar->addStretch(1);

    auto *splitter = new QSplitter(this);
    m_contentsHolder = new QWidget(splitter);
    auto *holderLayout = new QVBoxLayout(m_contentsHolder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    m_browser = new HelpBrowser(m_engine, splitter);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    splitter->addWidget(m_contentsHolder);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 630});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_home, &QToolButton::clicked, this, [this] {
        const QUrl start = startPage();
        if (start.isValid())
            m_browser->setSource(start);
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::syncContents);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

HelpViewer::~HelpViewer()
{
    // The engine's database lives in the temporary folder: close it before the folder goes.
    delete m_engine;
    m_engine = nullptr;
}

QTextBrowser *HelpViewer::browser() const
{
    return m_browser;
}

QHelpContentWidget *HelpViewer::contents() const
{
    return m_engine ? m_engine->contentWidget() : nullptr;
}

bool HelpViewer::ensureLoaded()
{
    if (m_loaded)
        return true;
    if (!QFileInfo(m_qchFile).isFile())
        return false;
    const QString ns = QHelpEngineCore::namespaceName(m_qchFile);
    if (ns.isEmpty())
        return false;
    // A private collection per window: nothing is left behind, and a rebuilt help file is
    // always the one shown.
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid())
        return false;
    auto *engine = new QHelpEngine(dir->filePath(QStringLiteral("help.qhc")), this);
    engine->setReadOnly(false);
    engine->setUsesFilterEngine(true);
    if (!engine->setupData() || !engine->registerDocumentation(m_qchFile)) {
        delete engine;
        return false;
    }
    m_collectionDir = std::move(dir);
    m_engine = engine;
    m_namespace = ns;
    m_loaded = true;

    QHelpContentWidget *tree = engine->contentWidget();
    tree->setObjectName(QStringLiteral("helpContents"));
    tree->setHeaderHidden(true);
    m_contentsHolder->layout()->addWidget(tree);
    connect(tree, &QHelpContentWidget::linkActivated, m_browser, [this](const QUrl &url) { m_browser->setSource(url); });
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        m_engine->contentWidget()->expandAll();
        syncContents();
    });
    engine->contentModel()->createContents(engine->filterEngine()->activeFilter());
    return true;
}

QList<QUrl> HelpViewer::pages()
{
    if (!ensureLoaded())
        return {};
    return m_engine->files(m_namespace, QString(), QStringLiteral("html"));
}

QUrl HelpViewer::pageUrl(int context)
{
    const QString name = contextPage(context);
    for (const QUrl &url : pages())
        if (url.fileName() == name)
            return url;
    return {};
}

QUrl HelpViewer::startPage()
{
    // "index.html" when the file has one, else its first page in the order of the project.
    const QList<QUrl> all = pages();
    for (const QUrl &url : all)
        if (url.fileName() == u"index.html")
            return url;
    return all.isEmpty() ? QUrl() : all.first();
}

QByteArray HelpViewer::fileData(const QUrl &url)
{
    if (!ensureLoaded())
        return {};
    return m_engine->fileData(url);
}

bool HelpViewer::showContext(int context)
{
    if (!ensureLoaded()) {
        dialogs().error(QStringLiteral("A súgó nem nyitható meg: %1").arg(QDir::toNativeSeparators(m_qchFile)));
        return false;
    }
    QUrl url = context > 0 ? pageUrl(context) : QUrl();
    if (!url.isValid())
        url = startPage();
    if (url.isValid())
        m_browser->setSource(url);

    // Asked for from a modal dialog, the window must be modal itself, or it would be
    // shown but blocked by that dialog.
    QWidget *modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
    return true;
}

void HelpViewer::syncContents()
{
    QHelpContentWidget *tree = contents();
    if (!tree)
        return;
    const QModelIndex index = tree->indexOf(m_browser->source());
    if (index.isValid())
        tree->setCurrentIndex(index);
}

// ------------------------------------------------------------------ F1

HelpKey::HelpKey(HelpViewer *viewer) : QObject(qApp), m_viewer(viewer) {}

int HelpKey::currentContext()
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        w = QApplication::activeWindow();
    return helpContextOf(w);
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_viewer) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            m_viewer->showContext(currentContext());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

HelpKey *installHelpKey(HelpViewer *viewer)
{
    // One per application: a second main window (tests make many) takes F1 over.
    static QPointer<HelpKey> installed;
    if (installed) {
        qApp->removeEventFilter(installed);
        delete installed;
    }
    installed = new HelpKey(viewer);
    qApp->installEventFilter(installed);
    return installed;
}

} // namespace help
