// The module's page groups.
#include "ModulePages.h"

#include "AdminPages.h"
#include "LogViewPage.h"
#include "NetworkPages.h"
#include "PageRegistry.h"
#include "TransferPages.h"
#include "WirelessPages.h"

void registerModulePages(PageRegistry &registry)
{
    registerWirelessPages(registry);
    registerNetworkPages(registry);
    registerAdminPages(registry);
    registerTransferPages(registry);
    registerLogViewPage(registry);
}
