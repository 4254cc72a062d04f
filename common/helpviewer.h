#pragma once
// The in-app help window of both programs: a Qt compiled help file (.qch) shown at the
// page of a help context. The page of context n is "context-n.html". F1 opens the context
// of the focused control, or of the nearest parent or window that has one: a widget
// carries its context in the dynamic property "helpContext".

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

class QHelpEngine;
class QHelpContentWidget;
class QTemporaryDir;
class QTextBrowser;
class QToolButton;

namespace help {

inline constexpr const char *kContextProperty = "helpContext";

// "context-70.html"
QString contextPage(int context);
void setHelpContext(QWidget *widget, int context);
// The context of the widget or of its nearest parent that has one; 0 when none.
int helpContextOf(const QWidget *widget);

class HelpBrowser;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // The file is read on first use, so a missing file costs nothing until help is asked for.
    explicit HelpViewer(QString qchFile, QWidget *parent = nullptr);
    ~HelpViewer() override;

    const QString &qchFile() const { return m_qchFile; }

    // Shows the window at the page of the context, or at the start page when the file has
    // no page for it. When the file cannot be read: an error box, and false.
    bool showContext(int context);

    // Page addresses inside the file; invalid when the file or the page is missing.
    QUrl pageUrl(int context);
    QUrl startPage();
    // Every HTML page of the file.
    QList<QUrl> pages();
    // The bytes of a page or picture of the file (empty when missing).
    QByteArray fileData(const QUrl &url);

    QTextBrowser *browser() const;
    QHelpContentWidget *contents() const;

private slots:
    void syncContents();

private:
    bool ensureLoaded();

    QString m_qchFile;
    QString m_namespace;
    std::unique_ptr<QTemporaryDir> m_collectionDir;
    QHelpEngine *m_engine = nullptr;
    bool m_loaded = false;
    HelpBrowser *m_browser = nullptr;
    QWidget *m_contentsHolder = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_forward = nullptr;
    QToolButton *m_home = nullptr;
};

// Sends F1, pressed anywhere in the application, to the viewer with the context of the
// focused control (or of the active window when nothing has the focus). Owned by the
// application object; the viewer it serves may go away first.
class HelpKey : public QObject {
    Q_OBJECT
public:
    explicit HelpKey(HelpViewer *viewer);
    // The context F1 would open now.
    static int currentContext();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<HelpViewer> m_viewer;
};

// Installs F1 for the whole application.
HelpKey *installHelpKey(HelpViewer *viewer);

} // namespace help
