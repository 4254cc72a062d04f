#pragma once
// The matrix page "Határozóadatok felvitele": the character matrix of the selected group.

#include <QWidget>

namespace editor {

class TMainForm;

class MatrixPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 60;

    explicit MatrixPage(TMainForm &main, QWidget *parent = nullptr);

    // Rebuilds the grid from the question tree, the taxon table and the stored values.
    void LoadMatrixDataFromDB();

private:
    TMainForm &m_main;
};

} // namespace editor
