#include "utree_splash.h"

#include "editorglyphs.h"
#include "version.h"

#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace editor {

TSplashScreen::TSplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TSplashScreen"));
    setFixedSize(561, 227);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(kPanelColour));
    pal.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(pal);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(20, 24, 180, 180);
    Image1->setPixmap(glyphs::splashPicture(180));

    Label1 = new QLabel(QStringLiteral("Sokszempontú határozó keretrendszer"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = font();
    title.setPointSize(19);
    title.setBold(true);
    title.setItalic(true);
    Label1->setFont(title);
    Label1->setWordWrap(true);
    Label1->setGeometry(222, 30, 320, 84);

    lbl_version = new QLabel(QStringLiteral("V  ") + programVersion(), Panel1);
    lbl_version->setObjectName(QStringLiteral("lbl_version"));
    QFont version = font();
    version.setPointSize(12);
    version.setBold(true);
    lbl_version->setFont(version);
    lbl_version->setGeometry(222, 122, 320, 26);

    lbl_credit = new QLabel(QStringLiteral("Határozókulcsok szerkesztése és kipróbálása\n© a ZEPRA fejlesztői"), Panel1);
    lbl_credit->setObjectName(QStringLiteral("lbl_credit"));
    lbl_credit->setGeometry(222, 160, 320, 44);
}

void TSplashScreen::ShowFor(int ms)
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace editor
