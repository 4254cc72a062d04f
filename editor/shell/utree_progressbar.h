#pragma once
// The progress window of long actions (matrix save, group copy, web export). It has no
// behaviour of its own: those actions set the bar, show the window and hide it.

#include <QWidget>

class QFrame;
class QProgressBar;

namespace editor {

class TProgressForm : public QWidget {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget *parent = nullptr);

    QFrame *Panel1 = nullptr;
    QProgressBar *ProgressBar = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace editor
