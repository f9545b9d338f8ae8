// The wireless pages the menu opens; each page's registration enables its menu entry.
#include "WirelessPages.h"

#include "PageRegistry.h"
#include "TFM_Group.h"
#include "TFM_Performace.h"
#include "TFM_WLANPart.h"
#include "TFM_Wirless.h"

void registerWirelessPages(PageRegistry &registry)
{
    registry.add<TFM_Wirless>(QStringLiteral("hWirelessBand1"), QStringLiteral("TFM_Wirless"));
    registry.add<TFM_WLANPart>(QStringLiteral("WLANPartition1"), QStringLiteral("TFM_WLANPart"));
    registry.add<TFM_Performace>(
        QStringLiteral("adPerformance1"), QStringLiteral("TFM_Performace"));
    // no menu entry opens it: registered under its class name, which names no entry, it is
    // opened by class
    registry.add<TFM_Group>(QStringLiteral("TFM_Group"), QStringLiteral("TFM_Group"));
}
