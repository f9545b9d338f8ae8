// Our side of the SNMP benchmarks, on the module's engine.
//   kva-bench-snmp get  PORT COMMUNITY COUNT                 ReadOnce of sysDescr.0, SNMPv2c
//   kva-bench-snmp get3 PORT USER AUTHPASS PRIVPASS COUNT    the same, SNMPv3 SHA/AES
//   kva-bench-snmp walk|walkasync PORT COMMUNITY OID         a table, one row per exchange,
//                                                            blocking or through the pump
// Prints "us=<microseconds> items=<exchanges>"; the handle is opened and the keys localized by
// one exchange before the clock starts.
#include "SnmpInit.h"
#include "VtSNMPError.h"
#include "VtSNMPRequest.h"

#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

namespace {

const UISnmpVar kSysDescr[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", synDisplayString, vfRead},
    {nullptr},
};

int fail(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        return fail("usage: kva-bench-snmp get|get3|walk|walkasync PORT ...");
    }
    const QString &mode = args[1];
    QTemporaryDir state;
    try {
        SnmpInit(state.path());
    } catch (const VtException &e) {
        return fail(e.what());
    }
    VtSNMPRequest r;
    r.Host = QStringLiteral("127.0.0.1");
    r.Port = static_cast<std::uint16_t>(args[2].toUInt());
    r.Timeout = 200;
    int failures = 0;
    r.OnError = [&failures](const VtSNMPError &e) {
        if (failures++ == 0) {
            std::fprintf(stderr, "error %d: %s\n", e.Code, e.Message.toUtf8().constData());
        }
    };
    long count = 0;
    QByteArray column;
    if (mode == QLatin1String("get3") && args.size() == 7) {
        r.Version = 3;
        r.SecurityModel = 3;
        r.SecurityLevel = 3;
        r.SecurityName = args[3];
        r.AuthProtocol = 3;
        r.AuthPassword = args[4];
        r.PrivProtocol = 3;
        r.PrivPassword = args[5];
        count = args[6].toLong();
    } else {
        r.Version = 1;
        r.ReadCommunity = args[3];
        count = mode == QLatin1String("get") ? args[4].toLong() : 0;
        column = args[4].toLatin1();
    }
    r.Vars = VtSNMPVarList(kSysDescr, itScalars);
    bool ok = true;
    r.ReadOnce(ok, true);
    if (!ok) {
        return fail("no answer from the agent");
    }

    QElapsedTimer clock;
    if (mode == QLatin1String("get") || mode == QLatin1String("get3")) {
        clock.start();
        for (long i = 0; i < count && ok; ++i) {
            r.ReadOnce(ok, true);
        }
    } else {
        const UISnmpVar table[] = {
            {" ", "row", synInteger, vfKey},
            {column.constData(), "value", synInteger, vfRead},
            {nullptr},
        };
        r.Vars = VtSNMPVarList(table, itTable, 1);
        if (mode == QLatin1String("walkasync")) {
            QEventLoop loop;
            VtSNMPCompletion step;
            step = [&](void *, const VtSNMPError &result, VtSNMPVarList &) {
                if (result.Code != 0) {
                    ok = false;
                }
                if (result.Finished) {
                    loop.quit();
                    return;
                }
                ++count;
                r.ReadAsync(step, nullptr, false);
            };
            clock.start();
            r.ReadAsync(step, nullptr, true);
            loop.exec();
        } else {
            clock.start();
            for (bool more = r.ReadOnce(ok, true); more; more = r.ReadOnce(ok, false)) {
                ++count;
            }
        }
    }
    const qint64 us = clock.nsecsElapsed() / 1000;
    if (!ok || failures != 0) {
        return fail("an exchange failed");
    }
    std::printf("us=%lld items=%ld\n", static_cast<long long>(us), count);
    return 0;
}
