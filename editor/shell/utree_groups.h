#pragma once
// The group dialog "Csoportok adatainak kezelése": lists every group of the database and
// lets the author create a group, change its name, Latin name, creator, version and
// description, and delete a group with everything that belongs to it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class TDM;

namespace db {
class TableViewModel;
}

namespace editor {

class TGroupForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10;

    TGroupForm(TDM &dm, QWidget *parent = nullptr);

    // The fields hold changes that are not saved.
    bool DataModified = false;

    QTableView *DBGrid1 = nullptr;
    QLineEdit *e_id = nullptr;
    QLineEdit *E_Grpname = nullptr;
    QLineEdit *e_grplat = nullptr;
    QLineEdit *e_creator = nullptr;
    QLineEdit *e_verzio = nullptr;
    QPlainTextEdit *m_grpdesc = nullptr;
    QLabel *l_fajszam = nullptr; // taxon count of the loaded group, "N db"
    QPushButton *btnInsert = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnexit = nullptr;

    // Edit mode: the fields are enabled and OK / cancel are shown.
    bool inEditMode() const;

    // The text of the question asked before a group is deleted.
    static QString deleteQuestion(const QString &groupName);

public slots:
    void DBGrid1CellClick();
    void btnInsertClick();
    void btnOkClick();
    void btnCancelClick();
    void btnExitClick();
    void btnDeleteClick();
    void e_idChange();
    void m_grpdescChange();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ClearFields();
    void EnableFields(bool on);
    void ShowEditButtons(bool on);
    void ResetForm();
    void selectCurrentRow();
    // The trimmed name is already the name of a group (compared with letter case).
    bool nameExists(const QString &name);

    TDM &m_dm;
    db::TableViewModel *m_model = nullptr;
    bool m_syncingSelection = false;
};

} // namespace editor
