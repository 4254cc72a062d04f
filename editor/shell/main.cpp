// keyeditor: the key editor, the authors' program.

#include "application.h"
#include "firebird.h"
#include "paths.h"
#include "uTreeEdit.h"
#include "utree_splash.h"

#include <QTimer>

#include <memory>

int main(int argc, char *argv[])
{
    KeyApplication app(argc, argv);
    app.installHungarian();
    // Before any database call: the private engine root lets keyfinder open the same file.
    fb::usePrivateRootBesideProgram();

    auto splash = std::make_unique<editor::TSplashScreen>();
    splash->ShowFor(editor::TSplashScreen::kShowMs);

    // The title of the program's message boxes.
    QApplication::setApplicationName(QStringLiteral("ZEPRA Ravarorud határozó keretrendszer"));

    editor::TMainForm mainForm(paths::programFolder(), paths::userConfigFolder());
    mainForm.DataModuleCreate();
    splash.reset();

    mainForm.show();
    mainForm.Timer1->start();
    return app.exec();
}
