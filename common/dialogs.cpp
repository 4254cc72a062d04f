#include "dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
DialogService *g_override = nullptr;

QWidget *parentWindow()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    return w;
}

QString applicationTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}

QString withExtension(QString path, const QString &ext)
{
    if (!path.isEmpty() && !ext.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += u'.' + ext;
    return path;
}
} // namespace

DialogService &dialogs()
{
    static WidgetDialogService real;
    return g_override ? *g_override : real;
}

DialogService *setDialogService(DialogService *service)
{
    DialogService *old = g_override;
    g_override = service;
    return old;
}

void WidgetDialogService::error(const QString &text)
{
    QMessageBox::critical(parentWindow(), applicationTitle(), text, QMessageBox::Ok);
}

void WidgetDialogService::information(const QString &text)
{
    QMessageBox::information(parentWindow(), applicationTitle(), text, QMessageBox::Ok);
}

bool WidgetDialogService::confirm(const QString &text)
{
    return QMessageBox::question(parentWindow(), applicationTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) != QMessageBox::No;
}

QString WidgetDialogService::openFile(const FileQuestion &q)
{
    const QString start = q.fileName.isEmpty() ? q.directory : QFileInfo(QDir(q.directory), q.fileName).filePath();
    return QFileDialog::getOpenFileName(parentWindow(), q.title, start, q.filter);
}

QString WidgetDialogService::saveFile(const FileQuestion &q)
{
    const QString start = q.fileName.isEmpty() ? q.directory : QFileInfo(QDir(q.directory), q.fileName).filePath();
    return withExtension(QFileDialog::getSaveFileName(parentWindow(), q.title, start, q.filter), q.defaultExtension);
}
