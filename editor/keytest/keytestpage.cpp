#include "keytestpage.h"

#include "helpviewer.h"
#include "identifyscreen.h"
#include "uTreeEdit.h"

#include <QVBoxLayout>

namespace editor {

KeyTestPage::KeyTestPage(TMainForm &main, QWidget *parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("TabSheet3"));
    help::setHelpContext(this, kHelpContext);

    Screen = new identify::IdentifyScreen(identify::IdentifyScreen::Arrangement::Editor, this);
    Screen->setObjectName(QStringLiteral("IdentifyScreen"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Screen);

    connect(Screen, &identify::IdentifyScreen::aboutRequested, &m_main, &TMainForm::btnTestAboutClick);
}

void KeyTestPage::LoadKeyForTest()
{
    // The test key loader comes with the key test.
}

} // namespace editor
