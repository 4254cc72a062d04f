#pragma once
// Every message box, confirmation and file question of the programs goes through here,
// so that tests can answer them and check their exact texts.

#include <QString>

class QWidget;

struct FileQuestion {
    QString title;
    QString filter;           // "Határozó adatbázisok (*.fdb)" style, several separated by ";;"
    QString defaultExtension; // without the dot
    QString directory;
    QString fileName;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void error(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // Yes/No question; goes ahead (true) on every answer but No.
    virtual bool confirm(const QString &text) = 0;
    // Empty text when the user cancels.
    virtual QString openFile(const FileQuestion &q) = 0;
    virtual QString saveFile(const FileQuestion &q) = 0;
};

// The service in force; the real one unless a test installed another.
DialogService &dialogs();

// Installs a service (nullptr restores the real one). Returns the previous one.
DialogService *setDialogService(DialogService *service);

// The real service: QMessageBox and QFileDialog, parented to the active window.
class WidgetDialogService : public DialogService {
public:
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    QString openFile(const FileQuestion &q) override;
    QString saveFile(const FileQuestion &q) override;
};
