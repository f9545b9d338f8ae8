// The network pages the menu opens; each page's registration enables its menu entry.
#include "NetworkPages.h"

#include "PageRegistry.h"
#include "TFM_LanCfg.h"

void registerNetworkPages(PageRegistry &registry)
{
    registry.add<TFM_LanCfg>(QStringLiteral("hLan1"), QStringLiteral("TFM_LanCfg"));
}
