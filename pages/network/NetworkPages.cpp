// The network pages the menu opens; each page's registration enables its menu entry.
#include "NetworkPages.h"

#include "PageRegistry.h"
#include "TFM_DHCP.h"

void registerNetworkPages(PageRegistry &registry)
{
    registry.add<TFM_DHCP>(QStringLiteral("DHCPServer1"), QStringLiteral("TFM_DHCP"));
}
