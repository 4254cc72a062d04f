#pragma once
// The group selector: a combo box that tells when its list drops down.

#include <QComboBox>

namespace editor {

class GroupCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void dropDown();
};

} // namespace editor
