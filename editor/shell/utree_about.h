#pragma once
// The about box of the key being edited: the selected group's names, creator, version and
// description (filled by the group switch) and the program's version.

#include "aboutfields.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace editor {

// The group fields e_name, e_lat, e_creator, e_verzio and m_desc come from AboutFields.
class TAboutBox : public QDialog, public AboutFields {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    void FillFromGroup(const QString &name, const QString &lat, const QString &creator, const QString &verzio,
                       const QString &desc);

    QLabel *lbl_credit = nullptr;
    QLabel *lbl_version = nullptr;
    QPushButton *btn_close = nullptr;
};

} // namespace editor
