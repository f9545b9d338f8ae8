// WDS information page.
#include "TFM_WDSInfo.h"

#include "ApMib.h"
#include "ReportListView.h"
#include "VtOptionList.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

#define WDS(tail) AP_OID("2.1.3.3.5." tail)

const VtOptionList olNothingGet{{0, "nothing"}, {1, "get"}};
const VtOptionList olWdsBand{{0, "dot11a"}, {1, "dot11b"}, {2, "dot11g"}, {4, "dot11n"}};
// numbered otherwise than the client table's authentication
const VtOptionList olWdsAuthentication{{1, "opensystem"}, {2, "sharedkey"}, {3, "wpa-eap"},
    {4, "wpa-psk"}, {6, "wpa2-eap"}, {7, "wpa2-psk"}, {8, "wpa2-auto-eap"}, {9, "wpa2-auto-psk"},
    {10, "802.1x/WEP"}, {11, "WEP"}};

const UISnmpVar kChannelVars[] = {
    {AP_OID("2.1.3.3.1.1.1.3.1"), "dot11Channel", synInteger, vfRead},
    {AP_OID("2.1.3.3.1.1.1.10.1"), "dot11Frequency", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kRefreshVars[] = {
    {WDS("1.1.1.1"), "dot11WdsRefresh", synInteger, vfRead | vfWrite, &olNothingGet},
    {nullptr},
};
// Rows 1.<link>: the radio's ifIndex, which no column of the table holds, then the link.
const UISnmpVar kWdsVars[] = {
    {" ", "ifIndex", synInteger, vfKey},
    {WDS("2.1.1"), "dot11WdsIndex", synInteger, vfKey},
    {WDS("2.1.2"), "dot11WdsMacAddress", synMacAddress, vfRead},
    {WDS("2.1.3"), "dot11WdsBand", synInteger, vfRead, &olWdsBand},
    {WDS("2.1.4"), "dot11WdsAuthentication", synInteger, vfRead, &olWdsAuthentication},
    {WDS("2.1.5"), "dot11WdsRssi", synInteger, vfRead},
    {WDS("2.1.7"), "dot11WdsSsidIndex", synDisplayString, vfRead},
    {WDS("2.1.8"), "dot11WdsConnected", synInteger, vfRead},
    {WDS("2.1.9"), "dot11WdsStatus", synDisplayString, vfRead},
    {WDS("2.1.10"), "dot11WdsPsm", synInteger, vfRead},
    {nullptr},
};

#undef WDS

// Columns of the hidden list: the variables in list order.
constexpr int kWdsMac = 2;
constexpr int kWdsAuthentication = 4;
constexpr int kWdsRssi = 5;
constexpr int kWdsSsid = 6;
constexpr int kWdsStatus = 8;

constexpr int kGetItem = 1; // item of olNothingGet: the device collects its links

// A link without a remote access point.
const char kNoMac[] = "000000000000";

} // namespace

TFM_WDSInfo::TFM_WDSInfo(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ WDS Information"), context)
{
    usePanelStatus();
    form().addLine("Label1", QStringLiteral("WDS Information"));
    form().beginColumns();
    Lb_Channel = form().addText("Lb_Channel", QStringLiteral("Channel : "));
    form().nextColumn();
    Lb_Band = form().addText("Lb_Band", QStringLiteral("("));
    form().nextColumn();
    form().addLine("Label4", QStringLiteral(")"));
    form().nextColumn();
    form().addLine("Label5", QStringLiteral("GHZ"));
    form().endColumns();
    WDS_ClientListView = form().addListView("WDS_ClientListView",
        {{QStringLiteral("Name"), 100}, {QStringLiteral("MAC"), 145},
            {QStringLiteral("Authentication"), 130}, {QStringLiteral("Signal"), 120},
            {QStringLiteral("Status "), 80}});
    Btn_Refresh =
        addButton("Btn_Refresh", QStringLiteral("Refresh"), &TFM_WDSInfo::Btn_RefreshClick);
    Btn_Close = addButton("Btn_Close", QStringLiteral("Close"), &TFM_WDSInfo::Btn_CloseClick);
    IfGetInfo1 = form().addHiddenCombo("IfGetInfo1");
    WDS_ListView = form().addHiddenList("WDS_ListView");
}

void TFM_WDSInfo::FormCreate()
{
    m_channel = makeRequest(kChannelVars, itInstance, 1000);
    bindControls(m_channel, {Lb_Channel, Lb_Band});
    m_refresh = makeRequest(kRefreshVars, itInstance, 10000, onSetDone(&TFM_WDSInfo::wdsRefreshed));
    bindControls(m_refresh, {IfGetInfo1});
    m_wds = makeRequest(kWdsVars, itTable, 10000, onGetDone(&TFM_WDSInfo::wdsRead), statusTarget());
    m_wds->BindListView(WDS_ListView, false);

    m_channel->Get();
    if (deviceSilent()) {
        return; // nothing more is sent: the page shows the time-out and closes
    }
    // the device answers the refresh once it has collected its links; the table is read then
    IfGetInfo1->setCurrentIndex(kGetItem);
    m_refresh->Set();
}

void TFM_WDSInfo::applyRules()
{
    Btn_Refresh->setEnabled(!m_refresh->Busy && !m_wds->Busy);
}

void TFM_WDSInfo::Btn_RefreshClick()
{
    IfGetInfo1->setCurrentIndex(kGetItem);
    setStatus(QStringLiteral("Refresh WDS Info..."));
    m_refresh->Set();
}

void TFM_WDSInfo::Btn_CloseClick()
{
    close();
}

void TFM_WDSInfo::wdsRefreshed(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(QStringLiteral("Get timed out!") + result.Message); // shipped text
        return;
    }
    setStatus(QStringLiteral("Get Ok!"));
    m_wds->Get();
}

void TFM_WDSInfo::wdsRead(const VtSNMPError &result)
{
    setStatus(result.Message); // the list keeps its rows when the read failed
    if (result.Code == 0) {
        rebuild();
        setStatus(QStringLiteral("OK"));
    }
}

void TFM_WDSInfo::rebuild()
{
    WDS_ClientListView->clear();
    // every link is listed, one without a remote access point too
    for (int row = 0; row < WDS_ListView->topLevelItemCount(); ++row) {
        const auto cell = [&](int column) { return WDS_ListView->cell(row, column); };
        const QString mac = cell(kWdsMac);
        const QString rssi = cell(kWdsRssi);
        const QString status = cell(kWdsStatus);
        QString shownStatus;
        if (status == QLatin1String("on")) {
            shownStatus = QStringLiteral("On");
        } else if (status == QLatin1String("off")) {
            shownStatus = QStringLiteral("Off");
        }
        WDS_ClientListView->addRow({cell(kWdsSsid), mac == QLatin1String(kNoMac) ? QString() : mac,
            cell(kWdsAuthentication),
            rssi == QLatin1String("0") ? QString() : rssi + QLatin1Char('%'), shownStatus});
    }
}
