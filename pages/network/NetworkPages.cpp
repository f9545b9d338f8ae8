// The network pages the menu opens; each page's registration enables its menu entry.
#include "NetworkPages.h"

#include "PageRegistry.h"
#include "TFM_ARPSpoofing.h"
#include "TFM_DHCP.h"
#include "TFM_LRADIUSSer.h"
#include "TFM_LanCfg.h"
#include "TFM_QosSetting.h"
#include "TFM_TrafficCtrl.h"
#include "TFM_VlanSetting.h"
#include "TFM_WebRedirection.h"

void registerNetworkPages(PageRegistry &registry)
{
    registry.add<TFM_WebRedirection>(
        QStringLiteral("WebRedirection1"), QStringLiteral("TFM_WebRedirection"));
    registry.add<TFM_ARPSpoofing>(
        QStringLiteral("ARPSpoofingPreventionSettings1"), QStringLiteral("TFM_ARPSpoofing"));
    // the entry stays hidden in the menu; registered like any other, it is opened by class
    registry.add<TFM_LRADIUSSer>(
        QStringLiteral("mniLocalRADIUSServer1"), QStringLiteral("TFM_LRADIUSSer"));
    registry.add<TFM_DHCP>(QStringLiteral("DHCPServer1"), QStringLiteral("TFM_DHCP"));
    registry.add<TFM_LanCfg>(QStringLiteral("hLan1"), QStringLiteral("TFM_LanCfg"));
    registry.add<TFM_VlanSetting>(
        QStringLiteral("VlanSetting1"), QStringLiteral("TFM_VlanSetting"));
    registry.add<TFM_QosSetting>(QStringLiteral("QosSetting1"), QStringLiteral("TFM_QosSetting"));
    // hidden in the menu as well; the traffic manager is its third tab
    registry.add<TFM_TrafficCtrl>(
        QStringLiteral("mniTrafficControl1"), QStringLiteral("TFM_TrafficCtrl"));
}
