#include "questionpage.h"

#include "helpviewer.h"

namespace editor {

QuestionPage::QuestionPage(TMainForm &main, QWidget *parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("TabSheet1"));
    help::setHelpContext(this, kHelpContext);
}

void QuestionPage::LoadQuestionTree()
{
    // The question tree control and its loading come with the question editing.
    (void)m_main;
}

void QuestionPage::FullExpand() {}

} // namespace editor
