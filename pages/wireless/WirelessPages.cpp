// The wireless pages the menu opens; each page's registration enables its menu entry.
#include "WirelessPages.h"

#include "PageRegistry.h"
#include "TFM_Wirless.h"

void registerWirelessPages(PageRegistry &registry)
{
    registry.add<TFM_Wirless>(QStringLiteral("hWirelessBand1"), QStringLiteral("TFM_Wirless"));
}
