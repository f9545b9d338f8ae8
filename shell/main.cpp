// The module's entry: the application title, the main window and its event loop.
#include "ModuleRun.h"
#include "ModuleTrace.h"

#include <QApplication>

int main(int argc, char **argv)
{
    moduleTrace("main");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVA7310Module"));
    moduleTrace("application");
    return runModule(QApplication::arguments().mid(1));
}
