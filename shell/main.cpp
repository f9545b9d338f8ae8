// The module's entry: the application title, the main window and its event loop.
#include "LaunchOptions.h"
#include "ModuleRun.h"
#include "ModuleTrace.h"

#include <QApplication>

int main(int argc, char **argv)
{
    moduleTrace("main");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVA7310Module"));
    moduleTrace("application");
    const QStringList arguments = QApplication::arguments().mid(1);
    // The communities and passwords live on in `arguments`; every local user can read the
    // process's own argument strings for as long as it runs.
    BlankSecretArguments(argc, argv);
    return runModule(arguments);
}
