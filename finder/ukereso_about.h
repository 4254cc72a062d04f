#pragma once
// The finder's about box: the selected group's data, a credit line and the program's version.

#include "aboutfields.h"
#include "key.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace finder {

// The group fields e_name, e_lat, e_creator, e_verzio and m_desc come from AboutFields.
class TAboutBox : public QDialog, public AboutFields {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // Filled when a group is loaded, emptied when the database file is switched.
    void setGroup(const identify::GroupInfo &group);
    void clearGroup() { setGroup({}); }

    QLabel *l_credit = nullptr;
    QLabel *l_version = nullptr;
    QPushButton *btnClose = nullptr;
};

} // namespace finder
