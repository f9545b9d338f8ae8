// The administration and status pages the menu opens.
#include "AdminPages.h"

#include "PageRegistry.h"
#include "TAboutForm.h"
#include "TFM_Admin2.h"
#include "TFM_DevInfo.h"
#include "TFM_Information.h"
#include "TFM_StatWLAN.h"
#include "TFM_Static.h"
#include "TFM_Sytem.h"
#include "TFM_Time.h"
#include "TLogSetForm.h"

void registerAdminPages(PageRegistry &registry)
{
    registry.add<TFM_Information>(
        QStringLiteral("Information1"), QStringLiteral("TFM_Information"));
    registry.add<TFM_DevInfo>(QStringLiteral("stEthernet1"), QStringLiteral("TFM_DevInfo"));
    registry.add<TFM_Static>(QStringLiteral("Ethernet1"), QStringLiteral("TFM_Static"));
    registry.add<TFM_StatWLAN>(QStringLiteral("WLAN1"), QStringLiteral("TFM_StatWLAN"));
    registry.add<TFM_Admin2>(QStringLiteral("tAdmin1"), QStringLiteral("TFM_Admin2"));
    registry.add<TFM_Sytem>(QStringLiteral("tSystem1"), QStringLiteral("TFM_Sytem"));
    registry.add<TFM_Time>(QStringLiteral("Time"), QStringLiteral("TFM_Time"));
    registry.add<TLogSetForm>(QStringLiteral("LogSettings1"), QStringLiteral("TLogSetForm"));
    registry.add<TAboutForm>(QStringLiteral("About1"), QStringLiteral("TAboutForm"));
}
