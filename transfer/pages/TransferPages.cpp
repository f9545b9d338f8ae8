#include "TransferPages.h"

#include "PageRegistry.h"
#include "TFM_CfgFile.h"
#include "TFM_Firmware.h"

void registerTransferPages(PageRegistry &registry)
{
    registry.add<TFM_Firmware>(QStringLiteral("Firmware1"), QStringLiteral("TFM_Firmware"));
    registry.add<TFM_CfgFile>(QStringLiteral("tUpdate1"), QStringLiteral("TFM_CfgFile"));
}
