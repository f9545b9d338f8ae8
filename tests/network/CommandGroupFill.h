// Fills a device list the way the device takes new entries: one SET of its command group per entry,
// the action "add" last, through the module's own engine (the page harness has pointed it at the
// simulated device). The objects are named by MIB name; the simulator gives their instances.
#pragma once

#include "SimulatorProcess.h"
#include "UISnmpVar.h"
#include "VtSNMPRequest.h"

#include <initializer_list>
#include <vector>

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

namespace kvatest {

struct CommandField
{
    const char *name; ///< MIB name of the command object
    int syntax;
};

/// Sends one add per entry (its values in the order of `fields`, the action object last, given
/// as the last field); false when the device refused one.
inline bool addThroughCommandGroup(SimulatorProcess &device,
    std::initializer_list<CommandField> fields, const std::vector<QStringList> &entries)
{
    std::vector<QByteArray> oids;
    for (const CommandField &f : fields) {
        const SimulatorProcess::Reply reply =
            device.command(QStringLiteral("oid ") + QLatin1String(f.name));
        EXPECT_TRUE(reply.ok) << f.name;
        oids.push_back(reply.status.toLatin1());
    }
    std::vector<UISnmpVar> table;
    std::size_t k = 0;
    for (const CommandField &f : fields) {
        table.push_back({oids[k++].constData(), f.name, f.syntax, vfRead | vfWrite});
    }
    table.push_back({nullptr});
    VtSNMPRequest request;
    request.Vars = VtSNMPVarList(table.data(), itInstance); // the simulator names the instance
    for (const QStringList &entry : entries) {
        for (int i = 0; i < request.Vars.Count(); ++i) {
            request.Vars.Var(i).Value = i < entry.size() ? entry.at(i) : QStringLiteral("1");
        }
        bool ok = true;
        request.Write(ok);
        if (!ok) {
            ADD_FAILURE() << "refused: " << request.LastError.Message.toStdString() << " at "
                          << table.front().Oid;
            return false;
        }
    }
    return true;
}

} // namespace kvatest
