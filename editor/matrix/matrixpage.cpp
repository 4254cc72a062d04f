#include "matrixpage.h"

#include "helpviewer.h"

namespace editor {

MatrixPage::MatrixPage(TMainForm &main, QWidget *parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("TabSheet2"));
    help::setHelpContext(this, kHelpContext);
}

void MatrixPage::LoadMatrixDataFromDB()
{
    // The grid, its loading and saving come with the matrix editing.
    (void)m_main;
}

} // namespace editor
