// The module's entry: the application title, the main window and its event loop.
#include "LaunchOptions.h"
#include "ModuleRun.h"
#include "ModuleTrace.h"

#include <cstdio>
#include <optional>

#include <QApplication>

int main(int argc, char **argv)
{
    moduleTrace("main");
    // A lone "--help" or "--version" needs no window system: answered before the application.
    if (argc == 2) {
        if (const std::optional<QString> text =
                LaunchInformation({QString::fromLocal8Bit(argv[1])})) {
            std::fputs(qPrintable(*text), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVA7310Module"));
    moduleTrace("application");
    const QStringList arguments = QApplication::arguments().mid(1);
    // The communities and passwords live on in `arguments`; every local user can read the
    // process's own argument strings for as long as it runs.
    BlankSecretArguments(argc, argv);
    return runModule(arguments);
}
