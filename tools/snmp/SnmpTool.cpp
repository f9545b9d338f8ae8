// What kva7310-snmp does with its parsed command line, on the module's SNMP engine.
#include "SnmpTool.h"

#include "SnmpInit.h"
#include "VtSNMPError.h"
#include "VtSNMPRequest.h"

#include <deque>

#include <QDir>
#include <QEventLoop>

namespace snmptool {

namespace {

/// A request without descriptors: values are printed by their received type, and SET values
/// come ready-made from the command line.
class ToolRequest : public VtSNMPRequest
{
public:
    std::vector<SnmpWireValue> setValues;

    bool StoreValue(int i, const SnmpWireValue &value) override
    {
        Vars.Var(i).Value = valueText(value);
        return true;
    }

    SnmpWireValue LoadValue(int i) override
    {
        return i < static_cast<int>(setValues.size()) ? setValues[static_cast<std::size_t>(i)]
                                                      : SnmpWireValue::null();
    }
};

QString stateDirectory()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) {
        state = QDir::homePath() + QLatin1String("/.local/state");
    }
    QString dir = state + QLatin1String("/KVA-7310");
    QDir().mkpath(dir);
    return dir;
}

void configure(ToolRequest &r, const Options &o)
{
    r.Host = o.host;
    r.Port = o.port;
    r.Version = static_cast<std::uint8_t>(o.version);
    r.ReadCommunity = o.community;
    r.WriteCommunity = o.community;
    r.SecurityModel = o.version == 3 ? 3 : o.version + 1;
    r.SecurityLevel = o.level;
    r.SecurityName = o.user;
    r.AuthProtocol = o.level >= 2 ? o.authProtocol : 1;
    r.AuthPassword = o.authPassword;
    r.PrivProtocol = o.level >= 3 ? o.privProtocol : 1;
    r.PrivPassword = o.privPassword;
    r.ContextName = o.context;
    r.Timeout = o.timeout;
    r.Retries = o.retries;
}

/// The descriptor table for the given OIDs (the texts live in `storage`).
std::vector<UISnmpVar> tableOf(const QStringList &oids, int flags, std::deque<QByteArray> *storage)
{
    std::vector<UISnmpVar> table;
    for (const QString &oid : oids) {
        storage->push_back(oid.toLatin1());
        table.push_back({storage->back().constData(), storage->back().constData(), 0, flags});
    }
    table.push_back({nullptr});
    return table;
}

void printRow(const VtSNMPVarList &vars, QTextStream &out)
{
    for (int i = 0; i < vars.Count(); ++i) {
        out << vars.Var(i).CursorOid << " = " << vars.Var(i).Value << '\n';
    }
}

} // namespace

int run(const Options &o, QTextStream &out, QTextStream &err)
{
    int failures = 0;
    auto report = [&](const VtSNMPError &e) {
        err << "error " << e.Code << ": " << e.Message << '\n';
        ++failures;
    };
    try {
        SnmpInit(stateDirectory());
        ToolRequest r;
        configure(r, o);
        r.OnError = report;
        std::deque<QByteArray> storage;
        QStringList oids = o.oids;
        if (o.command == Command::Set) {
            oids.clear();
            for (const SetValue &s : o.sets) {
                oids << s.oid;
                r.setValues.push_back(s.value);
            }
        }
        const bool set = o.command == Command::Set;
        const std::vector<UISnmpVar> table = tableOf(oids, set ? vfWrite : vfRead, &storage);
        const unsigned char itemType = o.command == Command::Walk ? itTable : itInstance;
        r.Vars = VtSNMPVarList(table.data(), itemType, 0);
        r.UseGetNext = o.command == Command::GetNext;

        if (set) {
            bool ok = true;
            if (o.async) {
                QEventLoop loop;
                r.WriteAsync(
                    [&](void *, const VtSNMPError &e, VtSNMPVarList &) {
                        if (e.Code != 0) {
                            report(e);
                        }
                        loop.quit();
                    },
                    nullptr);
                if (r.Pending > 0) {
                    loop.exec();
                }
            } else {
                r.Write(ok);
            }
            if (failures == 0) {
                for (const SetValue &s : o.sets) {
                    out << s.oid << " = " << valueText(s.value) << '\n';
                }
            }
        } else if (o.async) {
            QEventLoop loop;
            VtSNMPCompletion step;
            step = [&](void *, const VtSNMPError &e, VtSNMPVarList &vars) {
                if (e.Code != 0) {
                    report(e);
                } else if (!e.Finished || o.command != Command::Walk) {
                    printRow(vars, out);
                }
                if (!e.Finished) {
                    r.ReadAsync(step, nullptr, false);
                } else {
                    loop.quit();
                }
            };
            r.ReadAsync(step, nullptr, true);
            if (r.Pending > 0) {
                loop.exec();
            }
        } else {
            bool ok = true;
            bool more = r.ReadOnce(ok, true);
            if (o.command != Command::Walk) {
                if (ok) {
                    printRow(r.Vars, out);
                }
            } else {
                while (more) {
                    printRow(r.Vars, out);
                    more = r.ReadOnce(ok, false);
                }
            }
        }
    } catch (const VtException &e) {
        err << "error " << e.Code() << ": " << e.Message() << '\n';
        ++failures;
    }
    out.flush();
    err.flush();
    return failures == 0 ? 0 : 1;
}

} // namespace snmptool
