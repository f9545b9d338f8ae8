// The wireless pages the menu opens; each page's registration enables its menu entry.
#include "WirelessPages.h"

#include "PageRegistry.h"
#include "TFM_FilterMACACL.h"
#include "TFM_MultiSSIDNewForm.h"
#include "TFM_Wirless.h"

void registerWirelessPages(PageRegistry &registry)
{
    registry.add<TFM_Wirless>(QStringLiteral("hWirelessBand1"), QStringLiteral("TFM_Wirless"));
    registry.add<TFM_MultiSSIDNewForm>(
        QStringLiteral("Ad_MultiSSID"), QStringLiteral("TFM_MultiSSIDNewForm"));
    registry.add<TFM_FilterMACACL>(QStringLiteral("Mac1"), QStringLiteral("TFM_FilterMACACL"));
}
