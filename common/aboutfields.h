#pragma once
// The part the about boxes of both programs share: the read-only fields of the selected
// group and the labels of the first four.

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Inherited by each program's about box (next to QDialog), so that the fields are its own
// public members.
class AboutFields {
public:
    QLineEdit *e_name = nullptr;
    QLineEdit *e_lat = nullptr;
    QLineEdit *e_creator = nullptr;
    QLineEdit *e_verzio = nullptr;
    QPlainTextEdit *m_desc = nullptr;

protected:
    // Makes the fields (object names as the members) in box and lays the first four out
    // with their labels in rows 0 to 3 of grid: labels in column 0, fields in column 1.
    // Where the description goes is the caller's. With clickFocusOnly the fields take the
    // focus by mouse only.
    void addAboutFields(QWidget *box, QGridLayout *grid, bool clickFocusOnly);
};
