#include "groupcombo.h"

namespace editor {

void GroupCombo::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}

} // namespace editor
