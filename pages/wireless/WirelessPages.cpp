// The wireless pages the menu opens; each page's registration enables its menu entry.
#include "WirelessPages.h"

#include "PageRegistry.h"
#include "TClientInformation.h"
#include "TFM_APArray.h"
#include "TFM_FilterMACACL.h"
#include "TFM_Group.h"
#include "TFM_MultiSSIDNewForm.h"
#include "TFM_Performace.h"
#include "TFM_RogueAP.h"
#include "TFM_Scheduling.h"
#include "TFM_WDSInfo.h"
#include "TFM_WLANPart.h"
#include "TFM_Wirless.h"

void registerWirelessPages(PageRegistry &registry)
{
    registry.add<TFM_Wirless>(QStringLiteral("hWirelessBand1"), QStringLiteral("TFM_Wirless"));
    registry.add<TFM_MultiSSIDNewForm>(
        QStringLiteral("Ad_MultiSSID"), QStringLiteral("TFM_MultiSSIDNewForm"));
    registry.add<TFM_FilterMACACL>(QStringLiteral("Mac1"), QStringLiteral("TFM_FilterMACACL"));
    registry.add<TFM_WLANPart>(QStringLiteral("WLANPartition1"), QStringLiteral("TFM_WLANPart"));
    registry.add<TFM_Performace>(
        QStringLiteral("adPerformance1"), QStringLiteral("TFM_Performace"));
    // no menu entry opens it: registered under its class name, which names no entry, it is
    // opened by class
    registry.add<TFM_Group>(QStringLiteral("TFM_Group"), QStringLiteral("TFM_Group"));
    registry.add<TFM_RogueAP>(QStringLiteral("Intrusion1"), QStringLiteral("TFM_RogueAP"));
    registry.add<TClientInformation>(
        QStringLiteral("Client1"), QStringLiteral("TClientInformation"));
    registry.add<TFM_WDSInfo>(QStringLiteral("WDSInformation1"), QStringLiteral("TFM_WDSInfo"));
    registry.add<TFM_Scheduling>(QStringLiteral("Scheduling1"), QStringLiteral("TFM_Scheduling"));
    registry.add<TFM_APArray>(QStringLiteral("mniAPArray1"), QStringLiteral("TFM_APArray"));
}
