#pragma once
// The finder's about box: the selected group's data, a credit line and the program's version.

#include "key.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace finder {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // Filled when a group is loaded, emptied when the database file is switched.
    void setGroup(const identify::GroupInfo &group);
    void clearGroup() { setGroup({}); }

    QLineEdit *e_name = nullptr;
    QLineEdit *e_lat = nullptr;
    QLineEdit *e_creator = nullptr;
    QLineEdit *e_verzio = nullptr;
    QPlainTextEdit *m_desc = nullptr;
    QLabel *l_credit = nullptr;
    QLabel *l_version = nullptr;
    QPushButton *btnClose = nullptr;
};

} // namespace finder
