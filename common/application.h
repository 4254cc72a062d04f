#pragma once

#include <QApplication>

// The general error handler: an exception that leaves an event handler is shown in an
// error box with its message, and the program goes on.
class KeyApplication : public QApplication {
    Q_OBJECT
public:
    KeyApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Loads Qt's Hungarian texts for the standard buttons ("Igen", "Nem", "Mégse").
    void installHungarian();
};
