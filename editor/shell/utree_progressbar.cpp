#include "utree_progressbar.h"

#include <QFrame>
#include <QProgressBar>
#include <QScreen>

namespace editor {

TProgressForm::TProgressForm(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TProgressForm"));
    setFixedSize(516, 40);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(rect());

    ProgressBar = new QProgressBar(Panel1);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(17, 11, 481, 17);
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
}

void TProgressForm::showEvent(QShowEvent *event)
{
    // Centred on the screen, wherever the main window is.
    if (const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

} // namespace editor
