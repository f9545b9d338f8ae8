// SNMP start-up.
#include "SnmpInit.h"

#include "BootCounter.h"
#include "SnmpEventProcessor.h"
#include "VtSNMPDevice.h"
#include "VtSNMPError.h"
#include "netsnmp/NetSnmpAdapter.h"

#include <QDir>
#include <QFileInfo>

namespace {

unsigned g_boots = 0;

QString stateDirectory(const QString &directory)
{
    if (!directory.isEmpty()) {
        return directory;
    }
    return QFileInfo(bootcounter::filePath(QString())).absolutePath();
}

} // namespace

void SnmpInit(const QString &directory)
{
    netsnmp::Adapter &adapter = netsnmp::Adapter::instance();
    const QByteArray engineId(kSnmpLocalEngineId);
    if (!adapter.start(stateDirectory(directory), engineId, g_boots)) {
        RaiseLibraryError(liberr::kSessionNotCreated);
    }
    const QString path = bootcounter::filePath(directory);
    unsigned boots = 0;
    if (bootcounter::load(path, engineId, &boots) == bootcounter::LoadResult::Corrupt) {
        RaiseLibraryError(liberr::kBootsNotLoaded);
    }
    ++boots;
    if (!bootcounter::save(path, engineId, boots)) {
        RaiseLibraryError(liberr::kBootsNotSaved);
    }
    if (!adapter.start(stateDirectory(directory), engineId, boots)) {
        RaiseLibraryError(liberr::kSessionNotCreated);
    }
    g_boots = boots;
    ResetSnmpAgentDefaults();
    SnmpEventProcessor::Instance().Start();
}

unsigned SnmpEngineBoots()
{
    return g_boots;
}
