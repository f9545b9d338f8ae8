// The network pages the menu opens; each page's registration enables its menu entry.
#include "NetworkPages.h"

#include "PageRegistry.h"

void registerNetworkPages(PageRegistry &registry)
{
    static_cast<void>(registry);
}
