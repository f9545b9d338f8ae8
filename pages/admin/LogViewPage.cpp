#include "LogViewPage.h"

#include "PageRegistry.h"
#include "TLogForm.h"

void registerLogViewPage(PageRegistry &registry)
{
    registry.add<TLogForm>(QStringLiteral("ViewLog1"), QStringLiteral("TLogForm"));
}
