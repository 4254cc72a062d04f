#pragma once
// The finder's database chooser: the remembered database files, a file dialog, and a test
// that lets OK through only for a usable key database.

#include "firebird.h"
#include "tableview.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace finder {

class TPreferencesForm : public QDialog {
    Q_OBJECT
public:
    // mainConnection: the main window's connection, whose open file needs no test.
    TPreferencesForm(const fb::Database &mainConnection, QString programFolder, QWidget *parent = nullptr);
    ~TPreferencesForm() override;

    // Fills the list from section "History" of the configuration file ("" = none).
    void FormCreate(const QString &configFile);

    // True for the main connection's open file; otherwise for an existing file that opens
    // with the fixed parameters and has a TAX_GROUP table, which then joins the list.
    bool IsGoodDatabase(const QString &instr);

    // Adds the path at the end of the list unless it is there already.
    void addToList(const QString &path);
    // The list, in order (what "History" keeps).
    QStringList history() const;

    QLabel *Label1 = nullptr;
    QComboBox *dbcombo = nullptr;
    QToolButton *RxSpeedButton1 = nullptr;
    QPushButton *okbtn = nullptr;
    QPushButton *cancelbtn = nullptr;

    // The test connection, open only while a file is tested.
    fb::Database IBDatabase1;
    fb::Transaction IBTransaction1;
    db::TableView Test_group;

public slots:
    void dbcomboChange();
    void RxSpeedButton1Click();

private:
    bool listed(const QString &path) const;
    const fb::Database &m_main;
    QString m_programFolder;
};

} // namespace finder
