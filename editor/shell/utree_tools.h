#pragma once
// The tools dialog "Eszközök és beállítások": the group copy into another database and the
// web server export of the selected group.

#include <QDialog>

class QPushButton;

namespace editor {

class EditorOperations;

class TPreferencesForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 80;

    TPreferencesForm(EditorOperations &operations, QWidget *parent = nullptr);

    // Enabling rules, applied before each showing: the copy needs a group, the web export
    // also a matrix grid that is loaded for the current group and tree.
    void UpdateButtons(bool groupChosen, bool reloadMatrixNeeded);

    QPushButton *btnExpDB = nullptr;
    QPushButton *btn_expsql = nullptr;
    QPushButton *BitBtn4 = nullptr;

public slots:
    void btnExpDBClick();
    void btn_expsqlClick();

private:
    EditorOperations &m_operations;
};

} // namespace editor
