#pragma once
// The question page "Kérdések szerkesztése": the question tree of the selected group.

#include <QWidget>

namespace editor {

class TMainForm;

class QuestionPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 30;

    explicit QuestionPage(TMainForm &main, QWidget *parent = nullptr);

    // Rebuilds the tree of the selected group from the database.
    void LoadQuestionTree();
    void FullExpand();

private:
    TMainForm &m_main;
};

} // namespace editor
