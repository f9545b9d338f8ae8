// Home \ Wireless: the radio, WDS, site survey and MAC clone; the security half is
// WirelessSecuritySection.
#include "TFM_Wirless.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "TFM_WirlessRules.h"
#include "TypingLimit.h"
#include "WirelessSecuritySection.h"
#include "WirelessTables.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

using security::SecurityKind;
using namespace wirelessrules;

namespace {

const VtOptionList olManager{{0, "disable"}, {1, "vlanID"}, {2, "ipaddress"}, {3, "both"}};
const VtOptionList olApplication{{0, "disable"}, {1, "indoor"}, {2, "outdoor"}};
const VtOptionList olDeleteAll{{0, "nothing"}, {1, "deleteall"}};
const VtOptionList olRefresh{{0, "nothing"}, {1, "refresh"}};
const VtOptionList olCloneSource{{1, "Auto"}, {2, "Manual"}};

const UISnmpVar kBaseChannelVars[] = {
    {AP_OID("5.1.2.1.1.8.1"), "dataBaseChannel", synInteger, vfRead},
    {nullptr},
};
const UISnmpVar kMultiSsidVars[] = {
    {mib::dot11MssidState, "dot11MssidState", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};
const UISnmpVar kApModeStatusVars[] = {
    {AP_OID("2.1.3.3.1.1.1.38.1"), "dot11ApModeStatus", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kManagerVars[] = {
    {mib::managerIpAddressStatus, "managerIpAddressStatus", synInteger, vfRead, &olManager},
    {nullptr},
};
const UISnmpVar kVlanVars[] = {
    {mib::dot11VlanStatus, "dot11VlanStatus", synInteger, vfRead, &options::disableEnable},
    {nullptr},
};
const UISnmpVar kIndoorWdsListVars[] = {
    {AP_OID("2.1.3.3.1.1.1.36.1"), "dot11Band5GHzIndoorWdsChannelList", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kIndoorListVars[] = {
    {AP_OID("2.1.3.3.1.1.1.37.1"), "dot11Band5GHzIndoorChannelList", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kOutdoorListVars[] = {
    {AP_OID("2.1.3.3.1.1.1.41.1"), "dot11Band5GHzOutdoorChannelList", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kCountryVars[] = {
    {AP_OID("2.1.3.3.1.1.1.39.1"), "dot11Countrycode", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kApplicationVars[] = {
    {AP_OID("2.1.3.3.1.1.1.40.1"), "dot11Application", synInteger, vfRead | vfWrite,
        &olApplication},
    {nullptr},
};

// The add object, once per remote AP: the device appends each address to its list.
#define REMOTE_AP_ADD                                                               \
    {                                                                               \
        AP_OID("2.1.3.3.1.2.2.1.1.1"), "dot11RemoteApMacAddressAdd", synMacAddress, \
            vfRead | vfWrite                                                        \
    }
const UISnmpVar kRemoteAddVars[] = {
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    REMOTE_AP_ADD,
    {nullptr},
};
const UISnmpVar kRemoteDeleteVars[] = {
    {AP_OID("2.1.3.3.1.2.2.1.3.1"), "dot11RemoteApMacAddressDeleteAll", synInteger,
        vfRead | vfWrite, &olDeleteAll},
    {nullptr},
};
const UISnmpVar kSurveyRefreshVars[] = {
    {AP_OID("2.1.3.3.1.3.1.1.1.1"), "dot11SiteSurveyRefresh", synInteger, vfRead | vfWrite,
        &olRefresh},
    {nullptr},
};
// The survey columns are named by their captions; the client's keep their blanks.
const UISnmpVar kSurveyVars[] = {
    {" ", "dot11SiteSurveyIndex", synInteger, vfKey | vfHidden},
    {AP_OID("2.1.3.3.1.3.2.1.3"), " CH", synInteger, vfRead},
    {AP_OID("2.1.3.3.1.3.2.1.4"), " Signal", synInteger, vfRead},
    {AP_OID("2.1.3.3.1.3.2.1.5"), " BSSID", synMacAddress, vfRead},
    {AP_OID("2.1.3.3.1.3.2.1.6"), " Security ", synDisplayString, vfRead},
    {AP_OID("2.1.3.3.1.3.2.1.7"), " SSID", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kWdsSurveyRefreshVars[] = {
    {AP_OID("2.1.3.3.1.4.1.1.1.1"), "dot11WdsSiteSurveyRefresh", synInteger, vfRead | vfWrite,
        &olRefresh},
    {nullptr},
};
const UISnmpVar kWdsSurveyVars[] = {
    {" ", "dot11WdsSiteSurveyIndex", synInteger, vfKey | vfHidden},
    {AP_OID("2.1.3.3.1.4.2.1.2"), "CH", synInteger, vfRead},
    {AP_OID("2.1.3.3.1.4.2.1.3"), "Signal", synInteger, vfRead},
    {AP_OID("2.1.3.3.1.4.2.1.4"), "BSSID", synMacAddress, vfRead},
    {AP_OID("2.1.3.3.1.4.2.1.5"), "Security", synDisplayString, vfRead},
    {AP_OID("2.1.3.3.1.4.2.1.6"), "SSID", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kCloneStatusVars[] = {
    {AP_OID("2.1.3.3.6.1.1.1.1"), "dot11MacCloneStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};
const UISnmpVar kCloneRefreshVars[] = {
    {AP_OID("2.1.3.3.6.1.1.4.1"), "dot11MacCloneAddressRefresh", synInteger, vfRead | vfWrite,
        &olRefresh},
    {nullptr},
};
const UISnmpVar kCloneAddressVars[] = {
    {AP_OID("2.1.3.3.6.1.1.2.1"), "dot11MacCloneSource", synInteger, vfRead | vfWrite,
        &olCloneSource},
    {AP_OID("2.1.3.3.6.1.1.3.1"), "dot11MacCloneMacAddress", synMacAddress, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kCloneTableVars[] = {
    {AP_OID("2.1.3.3.6.2.1.2"), "MAC Address", synMacAddress, vfRead},
    {nullptr},
};

enum CloneAddressVar {
    caSource,
    caMacAddress,
};

constexpr int kManualSource = 1; // item of olCloneSource
constexpr int kRefreshItem = 1;  // item of olRefresh and olDeleteAll

// survey list columns: the hidden index, then the table's
constexpr int kSurveyChannel = 1;
constexpr int kSurveyBssid = 3;
constexpr int kSurveySsid = 5;

const char kNoMac[] = "000000000000";

QList<ReportListView::Column> surveyColumns(const UISnmpVar *table)
{
    QList<ReportListView::Column> columns{{QLatin1String(table[0].Name), 0}};
    for (const UISnmpVar *v = table + 1; v->Oid != nullptr; ++v) {
        columns.append({QLatin1String(v->Name), -1});
    }
    return columns;
}

} // namespace

TFM_Wirless::TFM_Wirless(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Home \\ Wireless"), context),
      m_security(std::make_unique<WirelessSecuritySection>(*this))
{
    form().beginColumns();
    form().beginGroup("GB_WirelessNetwork", QStringLiteral("Wireless Network Settings"));
    CB_Applicaiton = form().addCombo("CB_Applicaiton", QStringLiteral("Application "));
    CB_Band = form().addCombo("CB_Band", QStringLiteral("Wireless Band"));
    CB_APMode = form().addCombo("CB_APMode", QStringLiteral("Mode "));
    Ed_SSID = form().addEdit("Ed_SSID", QStringLiteral("SSID "), 32);
    CB_SsidBroadcast = form().addCombo("CB_SsidBroadcast", QStringLiteral("SSID Visibility"));
    CB_AuSc = form().addCombo("CB_AuSc", QStringLiteral("Auto Channel Scan"));
    CB_Chanal = form().addCombo("CB_Chanal", QStringLiteral("Wireless Channel  "));
    m_security->addModeLine(form());
    CB_ChannelWidth = form().addCombo("CB_ChannelWidth", QStringLiteral("Channel Width"));

    GB_WDS = form().beginGroup("GB_WDS", QStringLiteral("WDS"));
    form().addLine("Lb_RemoteAp", QStringLiteral("Remote AP MAC Address"));
    for (std::size_t i = 0; i < Ed_ReMAddra.size(); ++i) {
        const QByteArray name = "Ed_ReMAddra" + QByteArray::number(int(i));
        Ed_ReMAddra[i] = form().addEdit(name.constData(), QString::number(i + 1), 12);
    }

    GB_SiteSurvey = form().beginGroup("GB_SiteSurvey", QStringLiteral("Site Survey"));
    SiteScan = addGroupButton("SiteScan", QStringLiteral("Scan"), &TFM_Wirless::SiteScanClick);
    LV_ClientSiteServey = form().addListView("LV_ClientSiteServey", surveyColumns(kSurveyVars));
    LV_WdsSiteServey = form().addListView("LV_WdsSiteServey", surveyColumns(kWdsSurveyVars));

    GB_MacClone = form().beginGroup("GB_MacClone", QStringLiteral("Wireless Mac Clone"));
    Cbox_Status = form().addCombo("Cbox_Status", QStringLiteral("Enable"));
    Cbox_MacSource = form().addCombo("Cbox_MacSource", QStringLiteral("Mac Source"));
    Ed_CloneMac = form().addEdit("Ed_CloneMac", QStringLiteral("MAC Address"), 12);
    Bt_CloneScan =
        addFieldButton("Bt_CloneScan", QStringLiteral("Scan"), &TFM_Wirless::Bt_CloneScanClick);
    LV_MacClone = form().addListView("LV_MacClone", {{QStringLiteral("MAC Address"), -1}});

    form().nextColumn();
    m_security->addGroups(form());
    form().endColumns();

    Ed_Channel = form().addHiddenEdit("Ed_Channel");
    Ed_ChanListA = form().addHiddenEdit("Ed_ChanListA");
    Ed_BaseChannel = form().addHiddenEdit("Ed_BaseChannel");
    CB_WMode1 = form().addHiddenCombo("CB_WMode1");
    CB_WMode2 = form().addHiddenCombo("CB_WMode2");
    CB_MultEnable = form().addHiddenCombo("CB_MultEnable");
    Ed_APModeChange = form().addHiddenEdit("Ed_APModeChange");
    CB_LimitVidStatus = form().addHiddenCombo("CB_LimitVidStatus");
    CB_VlanStatus = form().addHiddenCombo("CB_VlanStatus");
    ED_IndoorWdsChannelList = form().addHiddenEdit("ED_IndoorWdsChannelList");
    ED_IndoorChannelList = form().addHiddenEdit("ED_IndoorChannelList");
    ED_OutdoorChannelList = form().addHiddenEdit("ED_OutdoorChannelList");
    ED_Country = form().addHiddenEdit("ED_Country");
    CB_App = form().addHiddenCombo("CB_App");
    Lv_RemoteMac = form().addHiddenList("Lv_RemoteMac",
        {{QStringLiteral("ifIndex"), -1}, {QStringLiteral("dot11RemoteApMacAddressIndex"), -1},
            {QStringLiteral("dot11RemoteApMacAddressList"), -1}});
    CB_RemoveMac = form().addHiddenCombo("CB_RemoveMac");
    CB_SiteScan = form().addHiddenCombo("CB_SiteScan");
    CB_WdsSiteScan = form().addHiddenCombo("CB_WdsSiteScan");
    Cbox_CloneScan = form().addHiddenCombo("Cbox_CloneScan");

    Bt_Apply = addButton("Bt_Apply", QStringLiteral("Save"), &TFM_Wirless::Bt_ApplyClick);
    Bt_Refresh = addButton("Bt_Refresh", QStringLiteral("Refresh"), &TFM_Wirless::Bt_RefreshClick);
    Bt_Close = addButton("Bt_Close", QStringLiteral("Close"), &TFM_Wirless::Bt_CloseClick);

    // Hidden fields carry device values: what was not read is empty, not the field's name. The
    // remote AP macs 5 to 8 are never filled or written.
    for (QLineEdit *carrier : {Ed_Channel, Ed_ChanListA, Ed_BaseChannel, Ed_APModeChange,
             ED_IndoorWdsChannelList, ED_IndoorChannelList, ED_OutdoorChannelList, ED_Country}) {
        carrier->clear();
    }
    for (std::size_t i = 4; i < Ed_ReMAddra.size(); ++i) {
        Ed_ReMAddra[i]->clear();
        showRow(Ed_ReMAddra[i], false);
    }
    GB_WDS->hide();
    GB_SiteSurvey->hide();
    GB_MacClone->hide();

    onChange(CB_Band, &TFM_Wirless::CB_BandChange);
    onChange(CB_Applicaiton, &TFM_Wirless::CB_ApplicaitonChange);
    onChange(CB_APMode, &TFM_Wirless::CB_APModeChange);
    onChange(CB_AuSc, &TFM_Wirless::CB_AuScClick);
    onChange(CB_Chanal, &TFM_Wirless::CB_ChanalChange);
    onChange(Cbox_Status, &TFM_Wirless::Cbox_StatusChange);
    onChange(Cbox_MacSource, &TFM_Wirless::Cbox_MacSourceChange);
    onChange(LV_ClientSiteServey, &TFM_Wirless::LV_ClientSiteServeyClick);
    onChange(LV_WdsSiteServey, &TFM_Wirless::LV_WdsSiteServeyClick);
    onChange(LV_MacClone, &TFM_Wirless::LV_MacCloneClick);
}

TFM_Wirless::~TFM_Wirless() = default;

void TFM_Wirless::makeRequests()
{
    m_network = makeRequest(wireless::kWirelessNetworkVars, itInstance, 2000, statusTarget());
    bindControls(m_network,
        {{Ed_SSID, "%s"}, CB_SsidBroadcast, {Ed_Channel, "%s"}, {Ed_ChanListA, "%s"}, CB_AuSc,
            CB_APMode, CB_Band, CB_ChannelWidth});
    reportFailures(m_network);
    m_baseChannel = makeRequest(kBaseChannelVars, itInstance, 5000);
    bindControls(m_baseChannel, {{Ed_BaseChannel, "%s"}});
    m_wifiMode24 = makeRequest(wireless::kWifiMode24Vars, itInstance, 10000);
    bindControls(m_wifiMode24, {CB_WMode1});
    m_wifiMode5 = makeRequest(wireless::kWifiMode5Vars, itInstance, 10000);
    bindControls(m_wifiMode5, {CB_WMode2});
    m_multiSsid = makeRequest(kMultiSsidVars, itInstance, 1000);
    bindControls(m_multiSsid, {CB_MultEnable});
    m_apModeStatus = makeRequest(kApModeStatusVars, itInstance, 5000);
    bindControls(m_apModeStatus, {{Ed_APModeChange, "%s"}});
    // both answered at ".0"
    m_manager = makeRequest(kManagerVars, itScalars, 10000);
    bindControls(m_manager, {CB_LimitVidStatus});
    m_vlan = makeRequest(kVlanVars, itScalars, 10000);
    bindControls(m_vlan, {CB_VlanStatus});
    m_indoorWdsList = makeRequest(kIndoorWdsListVars, itInstance, 5000);
    bindControls(m_indoorWdsList, {{ED_IndoorWdsChannelList, "%s"}});
    m_indoorList = makeRequest(kIndoorListVars, itInstance, 5000);
    bindControls(m_indoorList, {{ED_IndoorChannelList, "%s"}});
    m_outdoorList = makeRequest(kOutdoorListVars, itInstance, 5000);
    bindControls(m_outdoorList, {{ED_OutdoorChannelList, "%s"}});
    m_country = makeRequest(kCountryVars, itInstance, 5000);
    bindControls(m_country, {{ED_Country, "%s"}});
    m_application = makeRequest(kApplicationVars, itInstance, 5000);
    bindControls(m_application, {CB_App});

    m_remoteAdd = makeRequest(kRemoteAddVars, itInstance, 5000); // written only, never read
    for (std::size_t i = 0; i < Ed_ReMAddra.size(); ++i) {
        m_remoteAdd->BindFormat(int(i), QStringLiteral("%h"), Ed_ReMAddra[i]);
    }
    m_remoteTable =
        makeRequest(wireless::kRemoteApVars, itTable, 5000, onGetDone(&TFM_Wirless::remoteApsRead));
    m_remoteTable->Request.Vars.KeyCount = wireless::kRemoteApKeyCount;
    m_remoteTable->BindListView(Lv_RemoteMac, false);
    m_remoteDelete = makeRequest(kRemoteDeleteVars, itInstance, 100);
    bindControls(m_remoteDelete, {CB_RemoveMac});

    m_surveyRefresh =
        makeRequest(kSurveyRefreshVars, itInstance, 1000, onSetDone(&TFM_Wirless::surveyRefreshed));
    bindControls(m_surveyRefresh, {CB_SiteScan});
    m_survey = makeRequest(kSurveyVars, itTable, 1000, onGetDone(&TFM_Wirless::surveyRead));
    m_survey->Request.Vars.KeyCount = 1;
    m_survey->BindListView(LV_ClientSiteServey, false);
    m_wdsSurveyRefresh = makeRequest(
        kWdsSurveyRefreshVars, itInstance, 1000, onSetDone(&TFM_Wirless::surveyRefreshed));
    bindControls(m_wdsSurveyRefresh, {CB_WdsSiteScan});
    m_wdsSurvey = makeRequest(kWdsSurveyVars, itTable, 1000, onGetDone(&TFM_Wirless::surveyRead));
    m_wdsSurvey->Request.Vars.KeyCount = 1;
    m_wdsSurvey->BindListView(LV_WdsSiteServey, false);

    m_cloneStatus = makeRequest(kCloneStatusVars, itInstance, 50000);
    bindControls(m_cloneStatus, {Cbox_Status});
    m_cloneRefresh = makeRequest(kCloneRefreshVars, itInstance, 50000);
    bindControls(m_cloneRefresh, {Cbox_CloneScan});
    m_cloneAddress = makeRequest(kCloneAddressVars, itInstance, 50000);
    bindControls(m_cloneAddress, {Cbox_MacSource, {Ed_CloneMac, "%h"}});
    m_cloneTable =
        makeRequest(kCloneTableVars, itTable, 10000, onGetDone(&TFM_Wirless::cloneTableRead));
    m_cloneTable->BindListView(LV_MacClone, false);
}

void TFM_Wirless::FormCreate()
{
    makeRequests();
    m_security->makeRequests();
    readSequence(true);
}

void TFM_Wirless::readSequence(bool opening)
{
    if (opening) {
        m_n80211 = true;
    }
    m_apModeStatus->Get();
    m_manager->Get(); // the manager address and VLAN status only feed the security warnings
    m_vlan->Get();
    m_indoorWdsList->Get();
    m_indoorList->Get();
    m_outdoorList->Get();
    m_country->Get();
    m_application->Get();
    fillApplicationList();

    m_network->Get();
    m_baseChannel->Get();
    m_loadedApMode = CB_APMode->currentText();
    m_loadedBroadcast = CB_SsidBroadcast->currentIndex();
    fillChannelList();
    CB_BandChange();

    const bool fiveGHz = CB_Band->currentIndex() == options::kBand5GHz;
    (fiveGHz ? m_wifiMode5 : m_wifiMode24)->Get();
    m_n80211 =
        uses80211n(CB_Band->currentIndex(), (fiveGHz ? CB_WMode2 : CB_WMode1)->currentText());
    channelWidthRule();

    // read after the band rules ran: their warnings need these
    m_multiSsid->Get();
    m_security->read(opening);
    m_remoteTable->Get(); // completes in remoteApsRead

    m_cloneStatus->Get();
    m_cloneRefresh->Get();
    m_cloneAddress->Get();
    if (Ed_CloneMac->text() == QLatin1String(kNoMac)) {
        Ed_CloneMac->clear();
    }
    if (Cbox_MacSource->currentIndex() < 0 && Cbox_MacSource->count() > 0) {
        Cbox_MacSource->setCurrentIndex(0);
    }
    if (opening && ED_Country->text() != QLatin1String("JP")) {
        showRow(CB_Applicaiton, false);
    }

    visibilityPass();
    m_loadedBand = CB_Band->currentIndex();
    m_security->rememberCipher();
    if (opening) {
        Cbox_StatusChange();
        m_security->rekeyRule();
        m_security->setMaxLengths();
        if (m_security->keyGroupShown()) {
            m_security->keyIndexRule(); // as the page is first shown
        }
    } else {
        m_security->setMaxLengths();
        m_security->encryptionRule();
        m_security->rekeyRule();
    }
}

void TFM_Wirless::applyRules()
{
    const bool changed = Ed_APModeChange->text() == QLatin1String("changed");
    // a write is not queued behind a walk: no Save or clone scan while a table is read
    SiteScan->setEnabled(m_surveyIdle && !changed);
    Bt_Apply->setEnabled(m_surveyIdle && !tablesBusy());
    Bt_Refresh->setEnabled(m_surveyIdle);
    Bt_Close->setEnabled(m_surveyIdle);
    Bt_CloneScan->setEnabled(m_cloneScanAllowed && !tablesBusy());
}

bool TFM_Wirless::tablesBusy() const
{
    return m_remoteTable->Busy || m_cloneTable->Busy;
}

int TFM_Wirless::apModeIndex() const
{
    return apModeIndexOf(CB_APMode->currentText());
}

bool TFM_Wirless::multiSsidEnabled() const
{
    return CB_MultEnable->currentIndex() == options::kEnable;
}

bool TFM_Wirless::wdsMode() const
{
    const int mode = apModeIndex();
    return mode == options::kApModeWdsWithAp || mode == options::kApModeWds;
}

void TFM_Wirless::fillApplicationList()
{
    const QStringList items = applicationItems(CB_Band->currentIndex());
    CB_Applicaiton->clear();
    CB_Applicaiton->addItems(items);
    const int value = olApplication.ValueOf(CB_App->currentText()).toInt();
    CB_Applicaiton->setCurrentIndex(applicationItem(value, int(items.size())));
}

void TFM_Wirless::fillApModeList()
{
    CB_APMode->clear();
    CB_APMode->addItems(apModeItems(CB_Band->currentIndex(), CB_Applicaiton->currentIndex()));
    const int loaded = CB_APMode->findText(m_loadedApMode);
    CB_APMode->setCurrentIndex(loaded >= 0 ? loaded : 0);
}

void TFM_Wirless::fillChannelList()
{
    const QString kept = Ed_Channel->text();
    if (CB_AuSc->currentIndex() == options::kEnable) {
        Ed_Channel->setText(Ed_BaseChannel->text()); // the channel in use
    }
    const ChannelSource source = channelSource(CB_Band->currentIndex(), ED_Country->text(),
        CB_Applicaiton->currentIndex(), CB_APMode->currentText(),
        {Ed_ChanListA->text(), ED_IndoorWdsChannelList->text(), ED_IndoorChannelList->text(),
            ED_OutdoorChannelList->text()});
    const ChannelChoice choice = channelChoice(source, Ed_Channel->text());
    CB_Chanal->clear();
    CB_Chanal->addItems(choice.items);
    CB_Chanal->setCurrentIndex(choice.selected);
    Ed_Channel->setText(kept);
    m_rememberedChannel = CB_Chanal->currentIndex();
    if (!choice.refused.isEmpty()) {
        setStatus(QStringLiteral("The device's channel list holds what is no channel: ")
            + choice.refused.join(QLatin1Char(' ')));
    }
}

void TFM_Wirless::CB_BandChange()
{
    fillApplicationList();
    CB_ApplicaitonChange();
    CB_APModeChange();
}

void TFM_Wirless::CB_ApplicaitonChange()
{
    fillApModeList();
    CB_APModeChange();
    fillChannelList();
}

void TFM_Wirless::CB_APModeChange()
{
    const int mode = apModeIndex();
    if ((mode == options::kApModeWds || mode == options::kApModeWirelessClient)
        && multiSsidEnabled()) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("Multi-SSID will be disabled when KVA-7310 is configured in 'WDS' or "
                           "'Wireless Client'."));
    }
    m_security->modeChanging(mode);
    m_security->refillLists();
    if (CB_APMode->currentText() != m_loadedApMode
        && (mode == options::kApModeWdsWithAp || mode == options::kApModeWds)) {
        m_security->restoreModeSelection(mode);
    }
    prepareRemoteAps();
    visibilityPass();
    m_security->CB_SecurityModeChange();
    GB_WDS->setTitle(
        mode == options::kApModeWdsWithAp ? QLatin1String(kWdsWithAp) : QLatin1String(kWds));
    if (mode == options::kApModeAccessPoint || mode == options::kApModeWdsWithAp
        || mode == options::kApModeWds) {
        CB_SsidBroadcast->setCurrentIndex(m_loadedBroadcast);
        CB_Chanal->setCurrentIndex(m_rememberedChannel);
        m_security->restoreGroupInterval();
    }
    fillChannelList();
}

void TFM_Wirless::autoChannelScanRule()
{
    CB_Chanal->setEnabled(CB_AuSc->currentIndex() != options::kEnable);
}

void TFM_Wirless::CB_AuScClick()
{
    autoChannelScanRule();
}

void TFM_Wirless::CB_ChanalChange()
{
    channelWidthRule();
}

void TFM_Wirless::visibilityPass()
{
    m_security->fillTimeCombos();
    enable({m_security->CB_dot11Encryption, CB_AuSc, CB_SsidBroadcast, CB_Chanal}, true);
    CB_Applicaiton->setEnabled(CB_Band->currentIndex() == options::kBand5GHz);
    const int mode = apModeIndex();
    const ModeView view = modeView(mode);
    GB_MacClone->setVisible(view.clone);
    GB_WDS->setVisible(view.wds);
    GB_WDS->setTitle(view.wdsCaption);
    GB_SiteSurvey->setVisible(view.survey);
    LV_WdsSiteServey->setVisible(view.wdsSurvey);
    LV_ClientSiteServey->setVisible(!view.wdsSurvey);
    if (view.autoScan >= 0) {
        pin(CB_AuSc, view.autoScan);
    }
    if (view.broadcast >= 0) {
        pin(CB_SsidBroadcast, view.broadcast);
    }
    if (mode == options::kApModeAccessPoint) {
        autoChannelScanRule();
    }
    if (view.channelLocked) {
        fillChannelList();
        CB_Chanal->setEnabled(false);
    }
    m_security->applyVisibility();
    channelWidthRule();
}

void TFM_Wirless::channelWidthRule()
{
    ChannelWidthInputs in;
    in.country = ED_Country->text();
    in.modeText = CB_APMode->currentText();
    in.n80211 = m_n80211;
    in.channel = CB_Chanal->currentText();
    in.keyGroupShown = m_security->keyGroupShown();
    in.encryptionEnabled = m_security->encryptionEnabled();
    in.cipherItem = m_security->cipherItem();
    CB_ChannelWidth->setEnabled(true);
    const ChannelWidth width = wirelessrules::channelWidthRule(in);
    if (width.pinned) {
        pin(CB_ChannelWidth, width.item);
    }
}

void TFM_Wirless::prepareRemoteAps()
{
    const bool editable = wdsMode();
    for (std::size_t i = 0; i < 4; ++i) {
        QLineEdit *slot = Ed_ReMAddra[i];
        if (slot->text() == QLatin1String(kNoMac)) {
            slot->clear();
        }
        slot->setReadOnly(!editable);
        QPalette colours = slot->palette();
        colours.setColor(QPalette::Base,
            palette().color(editable ? QPalette::Active : QPalette::Disabled, QPalette::Base));
        slot->setPalette(colours);
    }
}

void TFM_Wirless::remoteApsRead(const VtSNMPError &result)
{
    const int rows = result.Code == 0 ? Lv_RemoteMac->topLevelItemCount() : 0;
    for (int i = 0; i < 4; ++i) {
        Ed_ReMAddra[std::size_t(i)]->setText(
            i < rows ? Lv_RemoteMac->cell(i, wireless::raMacAddress) : QString());
    }
    prepareRemoteAps();
}

void TFM_Wirless::SiteScanClick()
{
    const int mode = apModeIndex();
    const bool wds = wdsMode();
    if (!wds && mode != options::kApModeWirelessClient) {
        return;
    }
    LV_WdsSiteServey->setVisible(wds);
    LV_ClientSiteServey->setVisible(!wds);
    m_surveyOfWds = wds;
    m_surveyIdle = false; // before the write: a failure may complete it at once
    setStatus(QStringLiteral("Detecting..."));
    (wds ? CB_WdsSiteScan : CB_SiteScan)->setCurrentIndex(kRefreshItem);
    (wds ? m_wdsSurveyRefresh : m_surveyRefresh)->Set();
}

void TFM_Wirless::surveyRefreshed(const VtSNMPError &result)
{
    if (result.Code != 0) {
        m_surveyIdle = true;
        setStatus(result.Message);
        return;
    }
    // the device has rebuilt its survey: read the table the scan was for
    setStatus(QStringLiteral("Refresh...!"));
    (m_surveyOfWds ? m_wdsSurvey : m_survey)->Get();
}

void TFM_Wirless::surveyRead(const VtSNMPError &result)
{
    m_surveyIdle = true;
    setStatus(result.Message);
}

void TFM_Wirless::surveyRowClicked(ReportListView *list)
{
    const int row = list->selectedRow();
    if (row < 0) {
        return;
    }
    if (wdsMode()) {
        QStringList macs;
        for (std::size_t i = 0; i < 4; ++i) {
            macs.append(Ed_ReMAddra[i]->text());
        }
        const SlotFill fill = surveySlot(macs, list->cell(row, kSurveyBssid));
        if (fill.duplicate) {
            inform(QStringLiteral("Warning"),
                QStringLiteral("There is an existent entry with the same MAC Address\nPlease "
                               "change the MAC Address."));
        } else if (fill.slot >= 0) {
            Ed_ReMAddra[std::size_t(fill.slot)]->setText(fill.mac);
        }
    } else if (apModeIndex() == options::kApModeWirelessClient) {
        Ed_SSID->setText(list->cell(row, kSurveySsid));
        CB_Chanal->setCurrentIndex(CB_Chanal->findText(list->cell(row, kSurveyChannel)));
    }
}

void TFM_Wirless::LV_ClientSiteServeyClick()
{
    surveyRowClicked(LV_ClientSiteServey);
}

void TFM_Wirless::LV_WdsSiteServeyClick()
{
    surveyRowClicked(LV_WdsSiteServey);
}

void TFM_Wirless::Cbox_StatusChange()
{
    const bool on = Cbox_Status->currentIndex() == options::kEnable;
    Cbox_MacSource->setEnabled(on);
    if (on) {
        Cbox_MacSourceChange();
    } else {
        Ed_CloneMac->setEnabled(false);
        m_cloneScanAllowed = false;
    }
}

void TFM_Wirless::Cbox_MacSourceChange()
{
    const bool manual = Cbox_MacSource->currentIndex() == kManualSource;
    Ed_CloneMac->setEnabled(manual);
    m_cloneScanAllowed = manual;
}

void TFM_Wirless::Bt_CloneScanClick()
{
    if (Cbox_Status->currentIndex() == options::kEnable
        && Cbox_MacSource->currentIndex() == kManualSource && !Ed_CloneMac->text().isEmpty()
        && Ed_CloneMac->text().size() != 12) {
        refuse(Ed_CloneMac, "Error", "The length is 12 in MAC Address.", faFocus);
        return;
    }
    Cbox_CloneScan->setCurrentIndex(kRefreshItem);
    // the list is read only once the device has looked for the hosts behind its port
    if (!m_cloneRefresh->Set()) {
        setStatus(QStringLiteral("Scan Fail!"));
        return;
    }
    setStatus(QStringLiteral("Scan Success"));
    if (!m_cloneTable->Get()) {
        setStatus(QStringLiteral("Scan Fail!"));
    }
}

void TFM_Wirless::cloneTableRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
    }
}

void TFM_Wirless::LV_MacCloneClick()
{
    const int row = LV_MacClone->selectedRow();
    if (row >= 0) {
        Ed_CloneMac->setText(LV_MacClone->cell(row, 0));
    }
}

void TFM_Wirless::Bt_RefreshClick()
{
    readSequence(false);
}

void TFM_Wirless::Bt_CloseClick()
{
    close();
}

bool TFM_Wirless::checkSsid()
{
    const char *caption = "Warning";
    const char *text = nullptr;
    bool prepare = true;
    switch (wirelessrules::checkSsid(Ed_SSID->text())) {
    case SsidFault::None:
        return true;
    case SsidFault::TooLong:
        text = "The Max Length of SSID is 32.!"; // shipped text
        prepare = false;
        break;
    case SsidFault::Empty:
        text = "Please Input SSID.";
        break;
    case SsidFault::LeadingBlank:
        caption = "Error";
        text = "The first character can't be blank.";
        break;
    case SsidFault::WideCharacter:
        caption = "Error";
        text = "Don't support chinese character !";
        break;
    }
    refuse(Ed_SSID, caption, text, faClearAndFocus);
    if (prepare) {
        prepareRemoteAps();
    }
    return false;
}

bool TFM_Wirless::checkRemoteAps()
{
    QStringList macs;
    for (QLineEdit *slot : Ed_ReMAddra) {
        macs.append(slot->text());
    }
    const RemoteApCheck check = wirelessrules::checkRemoteAps(macs);
    QLineEdit *focus = check.focus >= 0 ? Ed_ReMAddra[std::size_t(check.focus)] : nullptr;
    switch (check.fault) {
    case RemoteApFault::None:
        return true;
    case RemoteApFault::Duplicate:
        refuse(focus, "Warning", "Exist same MAC address.", faFocus);
        break;
    case RemoteApFault::FirstEmpty:
        refuse(focus, "Warning", "Please input MAC address in first blank space!", faFocus);
        break;
    case RemoteApFault::FirstLength:
        refuse(nullptr, "Error", "The length is 12 Root AP MAC Address.");
        break;
    case RemoteApFault::OtherLength:
        refuse(nullptr, "Error", "The length is 12 MAC address.");
        break;
    }
    prepareRemoteAps();
    return false;
}

bool TFM_Wirless::checkClone()
{
    if (Cbox_Status->currentIndex() != options::kEnable
        || Cbox_MacSource->currentIndex() != kManualSource) {
        return true;
    }
    if (Ed_CloneMac->text().size() != 12) {
        return refuse(Ed_CloneMac, "Error", "The length is 12 in MAC Address.", faFocus);
    }
    if (Ed_CloneMac->text() == QLatin1String(kNoMac)) {
        return refuse(Ed_CloneMac, "Warning", "Please input a valid MAC Address.", faFocus);
    }
    return true;
}

bool TFM_Wirless::writeCloneStatus()
{
    return m_cloneStatus->Set();
}

bool TFM_Wirless::writeCloneAddress(bool second)
{
    const bool on = Cbox_Status->currentIndex() == options::kEnable;
    const bool mac = !Ed_CloneMac->text().isEmpty();
    MemberSwitch write(m_cloneAddress);
    if (!on) {
        write.readOnly(caSource);
    }
    // the second time the address goes whenever there is one, whatever the status
    if (!mac || (!on && !second)) {
        write.readOnly(caMacAddress);
    }
    if (!on && (!mac || !second)) {
        return true; // nothing to write
    }
    return write.set();
}

bool TFM_Wirless::writeRemoteAps()
{
    // the device appends what it is given: empty its list first
    CB_RemoveMac->setCurrentIndex(kRefreshItem);
    WriteSequence writes(*this);
    writes.write(m_remoteDelete);
    writes.write(m_remoteAdd);
    return writes.ok();
}

TFM_Wirless::SaveEnd TFM_Wirless::save()
{
    const int mode = apModeIndex();
    const bool wds = wdsMode();
    const bool client = mode == options::kApModeWirelessClient;
    // Every check comes before the first write: a save refused for its input changes nothing.
    if (wds && !checkRemoteAps()) {
        return SaveEnd::Refused;
    }
    if (client && !checkClone()) {
        return SaveEnd::Refused;
    }
    MemberSwitch network(m_network);
    network.allOut();
    MemberSwitch remote(m_remoteAdd);
    remote.allOut();
    const std::unique_ptr<WirelessSecuritySection::Save> secured = m_security->beginSave();
    m_security->setAuthenticationSelector();
    if (!m_security->prepare(*secured)) {
        return SaveEnd::Refused;
    }

    if (ED_Country->text() == QLatin1String("JP")) {
        // dot11Application is the item's position plus one, 0 for none; its outcome is not
        // the save's
        CB_App->setCurrentIndex(CB_Applicaiton->currentIndex() + 1);
        guarded([&] { m_application->Set(); });
    }
    if (multiSsidEnabled() && (mode == options::kApModeWds || client)) {
        CB_MultEnable->setCurrentIndex(options::kDisable);
        guarded([&] { m_multiSsid->Set(); });
    }
    if (mode >= 0) {
        network.allIn().out(wireless::wnChannelList);
        if (CB_Band->currentIndex() == m_loadedBand) {
            network.readOnly(wireless::wnBand);
        }
        if (wds) {
            network.out(wireless::wnAutoChannelScan);
        }
        if (client) {
            network.out(
                {wireless::wnSsidBroadcast, wireless::wnChannel, wireless::wnAutoChannelScan});
        } else {
            Ed_Channel->setText(CB_Chanal->currentText()); // CB_Chanal itself is not bound
        }
    }
    if (wds) {
        for (int i = 0; i < 4; ++i) {
            remote.include(i, !emptySlot(Ed_ReMAddra[std::size_t(i)]->text()));
        }
    }

    // The writes in the order the device needs for the mode and security kind; every one is
    // attempted; the clone writes do not count.
    WriteSequence writes(*this);
    int counted = 0;
    const auto step = [&](const std::function<bool()> &write) {
        ++counted;
        writes.step(write);
    };
    const auto cloneStatus = [&] { guarded([&] { writeCloneStatus(); }); };
    const auto cloneAddress = [&](bool second) { guarded([&] { writeCloneAddress(second); }); };
    WirelessSecuritySection &sec = *m_security;
    const auto W = [&] { step([&] { return m_network->Set(); }); };
    const auto A = [&] { step([&] { return sec.writeAuthentication(); }); };
    const auto K = [&] { step([&] { return sec.writeKey(); }); };
    const auto P = [&] { step([&] { return sec.writePassphrase(); }); };
    const auto R = [&] { step([&] { return sec.writeRadius(); }); };
    const SecurityKind kind = sec.kind();
    if (mode < 0) {
        // no mode to write
    } else if (client) {
        cloneStatus();
        cloneAddress(false);
        switch (kind) {
        case SecurityKind::Wep:
            W();
            K();
            cloneStatus();
            cloneAddress(true);
            A();
            break;
        case SecurityKind::WpaPersonal:
            cloneAddress(true);
            cloneStatus();
            W();
            P();
            A();
            break;
        case SecurityKind::None:
            W();
            break;
        default:
            W();
            A();
            break;
        }
    } else {
        W();
        switch (kind) {
        case SecurityKind::None:
            break;
        case SecurityKind::Open:
            A();
            break;
        case SecurityKind::Wep:
            K();
            A();
            break;
        case SecurityKind::WpaPersonal:
            P();
            A();
            break;
        case SecurityKind::WpaEnterprise:
        case SecurityKind::Dot1x:
            R();
            P();
            A();
            break;
        }
        if (wds) {
            step([&] { return writeRemoteAps(); });
        }
    }
    return counted > 0 && writes.ok() ? SaveEnd::Written : SaveEnd::Failed;
}

void TFM_Wirless::Bt_ApplyClick()
{
    if (!checkSsid()) {
        return;
    }
    switch (save()) {
    case SaveEnd::Refused:
        return;
    case SaveEnd::Written:
        // every member is back in now: Refresh reads what the opening read
        Bt_RefreshClick();
        setStatus(QStringLiteral("Setting Success!"));
        break;
    case SaveEnd::Failed:
        setStatus(QStringLiteral("Setting error!"));
        break;
    }
}
