#pragma once
// The splash window shown while the editor starts.

#include <QWidget>

class QLabel;

namespace editor {

class TSplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;
    static constexpr QRgb kPanelColour = 0x005500; // red 0, green 0x55, blue 0

    explicit TSplashScreen(QWidget *parent = nullptr);

    // Shows the window centred on the screen and keeps it for `ms` milliseconds while the
    // event loop runs, so that it paints and the system does not think the program hung.
    void ShowFor(int ms);

    QWidget *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;    // title
    QLabel *lbl_version = nullptr;
    QLabel *lbl_credit = nullptr;
};

} // namespace editor
