// kva7310-snmp: get, getnext, walk and set on the module's SNMP engine.
#include "KvaVersion.h"
#include "SnmpTool.h"
#include "SnmpToolArgs.h"

#include <cstdio>

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString problem;
    const auto options = snmptool::parse(app.arguments().mid(1), &problem);
    if (!options) {
        err << "kva7310-snmp: " << problem << "\n" << snmptool::usage();
        return 2;
    }
    if (options->help) {
        out << snmptool::usage();
        return 0;
    }
    if (options->showVersion) {
        out << "kva7310-snmp " << kva::kVersion << "\n";
        return 0;
    }
    return snmptool::run(*options, out, err);
}
