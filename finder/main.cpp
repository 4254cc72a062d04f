#include "application.h"
#include "firebird.h"
#include "ukereso_main.h"

int main(int argc, char **argv)
{
    KeyApplication app(argc, argv);
    // The private Firebird root must be in force before the first database call.
    fb::usePrivateRootBesideProgram();
    KeyApplication::setApplicationName(QStringLiteral("ZEPRA - Ravarorud határozó"));
    app.installHungarian();

    // The main window creates the about box and the database chooser and loads the key
    // of a file with a single group.
    finder::TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
