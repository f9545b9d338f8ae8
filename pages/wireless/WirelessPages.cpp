// The wireless pages the menu opens; each page's registration enables its menu entry.
#include "WirelessPages.h"

#include "PageRegistry.h"

void registerWirelessPages(PageRegistry &registry)
{
    static_cast<void>(registry);
}
