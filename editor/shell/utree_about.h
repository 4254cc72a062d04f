#pragma once
// The about box of the key being edited: the selected group's names, creator, version and
// description (filled by the group switch) and the program's version.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace editor {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    void FillFromGroup(const QString &name, const QString &lat, const QString &creator, const QString &verzio,
                       const QString &desc);

    QLineEdit *e_name = nullptr;
    QLineEdit *e_lat = nullptr;
    QLineEdit *e_creator = nullptr;
    QLineEdit *e_verzio = nullptr;
    QPlainTextEdit *m_desc = nullptr;
    QLabel *lbl_credit = nullptr;
    QLabel *lbl_version = nullptr;
    QPushButton *btn_close = nullptr;
};

} // namespace editor
