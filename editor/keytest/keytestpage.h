#pragma once
// The key test page "Határozó ellenőrzése": the identification screen on the key being
// edited, unsaved matrix changes included.

#include <QWidget>

namespace identify {
class IdentifyScreen;
}

namespace editor {

class TMainForm;

class KeyTestPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 70;

    explicit KeyTestPage(TMainForm &main, QWidget *parent = nullptr);

    // Builds the test key from the question tree and the matrix grid.
    void LoadKeyForTest();

    identify::IdentifyScreen *Screen = nullptr;

private:
    TMainForm &m_main;
};

} // namespace editor
