// DHCP server page.
#include "TFM_DHCP.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "TFM_DHCPRules.h"
#include "VtOptionList.h"

#include <initializer_list>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabWidget>

namespace {

const VtOptionList olDisableEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList olDomainNameStatus{{0, "both"}, {1, "dynamic"}, {2, "static"}};
const VtOptionList olRefresh{{0, "nothing"}, {1, "refresh"}};

constexpr int kDisable = 0;
constexpr int kEnable = 1;
constexpr int kRefresh = 1;

const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead, &options::dot11ApMode},
    {nullptr},
};

// Only the address is shown: a static entry must not take the device's own.
const UISnmpVar kLanAddressVars[] = {
    {mib::hIPAddress, "hIPAddress", synIpAddress, vfRead},
    {mib::hSubnetMask, "hSubnetMask", synIpAddress, vfRead},
    {mib::hDefaultGateway, "hDefaultGateway", synIpAddress, vfRead},
    {nullptr},
};

const UISnmpVar kDynamicPoolVars[] = {
    {AP_OID("3.1.2.2.1.3.1"), "dynamicIpPoolStart", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.4.1"), "dynamicIpPoolEnd", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.6.1"), "dynamicMask", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.7.1"), "dynamicGateway", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.8.1"), "dynamicWins", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.9.1"), "dynamicDns", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.10.1"), "dynamicDomainName", synDisplayString, vfRead | vfWrite},
    {AP_OID("3.1.2.2.1.11.1"), "dynamicLeaseTime", synInteger, vfRead | vfWrite},
    {nullptr},
};
constexpr int kDynamicDomainName = 6;

const UISnmpVar kServerControlVars[] = {
    {AP_OID("3.1.1"), "dhcpServerControl", synInteger, vfRead | vfWrite, &olDisableEnable},
    {nullptr},
};

const UISnmpVar kStaticControlVars[] = {
    {AP_OID("3.1.3.1"), "dhcpServerStaticControl", synInteger, vfRead | vfWrite, &olDisableEnable},
    {nullptr},
};

const UISnmpVar kDomainNameStatusVars[] = {
    {AP_OID("3.1.2.3"), "dhcpServerDomainNameStatus", synInteger, vfRead, &olDomainNameStatus},
    {nullptr},
};

// Sixteen rows written in place; an empty row has the address 0.0.0.0. The names are the hidden
// list's column captions.
const UISnmpVar kStaticPoolVars[] = {
    {AP_OID("3.1.3.2.1.1"), "Index", synInteger, vfKey},
    {AP_OID("3.1.3.2.1.2"), "Status", synInteger, vfRead | vfWrite, &olDisableEnable},
    {AP_OID("3.1.3.2.1.3"), "staticHostName", synDisplayString, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.4"), "IP Address", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.5"), "MAC Address", synMacAddress, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.6"), "Static Mask", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.7"), "Static Gateway", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.8"), "Static Dns", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.9"), "Static Wins", synIpAddress, vfRead | vfWrite},
    {AP_OID("3.1.3.2.1.10"), "Static DomainName", synDisplayString, vfRead | vfWrite},
    {nullptr},
};

// Columns of the static pool, in the hidden list as in the variable list.
enum StaticColumn {
    kIndex = 0,
    kStatus = 1,
    kHostName = 2,
    kAddress = 3,
    kMac = 4,
    kMask = 5,
    kGateway = 6,
    kDns = 7,
    kWins = 8,
    kDomainName = 9,
};

const UISnmpVar kStaticDeleteVars[] = {
    {AP_OID("3.1.3.3"), "dhcpServerStaticDelete", synInteger, vfRead | vfWrite},
    {nullptr},
};

const UISnmpVar kDynamicRefreshVars[] = {
    {AP_OID("3.1.4.1"), "refreshCurrentDynamicList", synInteger, vfRead | vfWrite, &olRefresh},
    {nullptr},
};

const UISnmpVar kStaticRefreshVars[] = {
    {AP_OID("3.1.4.3"), "refreshCurrentStaticList", synInteger, vfRead | vfWrite, &olRefresh},
    {nullptr},
};

const UISnmpVar kDynamicLeaseVars[] = {
    {AP_OID("3.1.4.2.1.1"), "currentDynamicIndex", synInteger, vfKey},
    {AP_OID("3.1.4.2.1.2"), "currentDynamicHostName", synDisplayString, vfRead | vfWrite},
    {AP_OID("3.1.4.2.1.3"), "Current Dynamic MAC", synMacAddress, vfRead},
    {AP_OID("3.1.4.2.1.4"), "Current Dynamic Assigned IP", synIpAddress, vfRead},
    {AP_OID("3.1.4.2.1.5"), "Current Dynamic Lease", synTimeTicks, vfRead},
    {nullptr},
};

const UISnmpVar kStaticLeaseVars[] = {
    {AP_OID("3.1.4.4.1.1"), "currentStaticIndex", synInteger, vfKey},
    {AP_OID("3.1.4.4.1.2"), "currentStaticHostName", synDisplayString, vfRead | vfWrite},
    {AP_OID("3.1.4.4.1.3"), "Current Static MAC", synMacAddress, vfRead},
    {AP_OID("3.1.4.4.1.4"), "Current Static Assigned IP", synIpAddress, vfRead},
    {nullptr},
};

// A lease row whose host name reads so is no client.
constexpr char kNoLease[] = "000000000000";

constexpr int kNameMax = 20;
constexpr int kAddressMax = 15;
constexpr int kDomainNameMax = 30;

// The list's base colour: white while the static pool is served, greyed while it is not.
void setListColour(QWidget *list, bool white)
{
    const QColor colour = white ? QColor(Qt::white) : list->palette().color(QPalette::Button);
    if (list->palette().color(QPalette::Base) != colour) {
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, colour);
        list->setPalette(palette);
    }
}

TextCheck optionalAddress()
{
    return optional(CheckIPAddress);
}

} // namespace

TFM_DHCP::TFM_DHCP(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ DHCP Server"), context)
{
    statusBar()->hide(); // every tab has status bars of its own
    PageControl1 = form().beginTabs("PageControl1");

    form().beginTab("TabSheet1", QStringLiteral(" Dynamic Pool Settings "));
    form().beginGroup("GB_ServerControl1", QStringLiteral("DHCP Server Control"));
    CB_Fuction1 = form().addCombo("CB_Fuction1", QStringLiteral("Function Enable/Disable"));
    form().endGroup();
    Ed_IPAF = form().addEdit("Ed_IPAF", QStringLiteral("IP Assigned From"), kAddressMax);
    Ed_PoolRan = form().addEdit("Ed_PoolRan", QStringLiteral("The Range of Pool (1-254)"), 3);
    Ed_SubMask = form().addEdit("Ed_SubMask", QStringLiteral("Subnet Mask"), kAddressMax);
    Ed_Gateway = form().addEdit("Ed_Gateway", QStringLiteral("Gateway"), kAddressMax);
    Ed_Wins = form().addEdit("Ed_Wins", QStringLiteral("Wins"), kAddressMax);
    Ed_DNS = form().addEdit("Ed_DNS", QStringLiteral("DNS"), kAddressMax);
    Ed_DomNa = form().addEdit("Ed_DomNa", QStringLiteral("Domain Name"), kDomainNameMax);
    Ed_Lease = form().addEdit("Ed_Lease", QStringLiteral("Lease Time (60 - 31536000 sec)"), 8);
    Bt_Apply = addGroupButton("Bt_Apply", QStringLiteral("Save"), &TFM_DHCP::Bt_ApplyClick);
    Bt_Cancel = addFieldButton("Bt_Cancel", QStringLiteral("Cancel"), &TFM_DHCP::Bt_CancelClick);
    SB_Dynamic = form().addStatusBar("SB_Dynamic");
    form().endTab();

    form().beginTab("TabSheet2", QStringLiteral("Static Pool Settings  "));
    form().beginGroup("GB_ServerControl2", QStringLiteral("DHCP Server Control"));
    CB_Fuction2 = form().addCombo("CB_Fuction2", QStringLiteral("Function Enable/Disable"));
    form().endGroup();
    User_ListView = form().addListView("User_ListView",
        {{QStringLiteral("MAC Address"), -1}, {QStringLiteral("IP Address"), -1},
            {QStringLiteral("Host Name"), -1}});
    ED_StaticHostName = form().addEdit("ED_StaticHostName", QStringLiteral("Host Name"), kNameMax);
    ED_StaticAssignIP =
        form().addEdit("ED_StaticAssignIP", QStringLiteral("Assigned IP"), kAddressMax);
    ED_StaticAssignMAC =
        form().addEdit("ED_StaticAssignMAC", QStringLiteral("Assigned MAC Address"), 12);
    ED_StaticSubMask =
        form().addEdit("ED_StaticSubMask", QStringLiteral("Subnet Mask "), kAddressMax);
    ED_StaticGateway = form().addEdit("ED_StaticGateway", QStringLiteral("Gateway "), kAddressMax);
    ED_StaticWins = form().addEdit("ED_StaticWins", QStringLiteral("Wins "), kAddressMax);
    ED_StaticDNS = form().addEdit("ED_StaticDNS", QStringLiteral("DNS "), kAddressMax);
    ED_StaticDoname =
        form().addEdit("ED_StaticDoname", QStringLiteral("Domain Name "), kDomainNameMax);
    Btn_Add = addGroupButton("Btn_Add", QStringLiteral("Save"), &TFM_DHCP::Btn_AddClick);
    Btn_Del = addFieldButton("Btn_Del", QStringLiteral("Del"), &TFM_DHCP::Btn_DelClick);
    SB_Static = form().addStatusBar("SB_Static");
    form().endTab();

    form().beginTab("TabSheet3", QStringLiteral(" Current IP Mapping List  "));
    form().beginGroup("GB_DynPool", QStringLiteral("Current DHCP Dynamic Pools"));
    LV_DynPool = form().addListView("LV_DynPool",
        {{QStringLiteral("Host Name"), -1}, {QStringLiteral("Binding MAC Address"), -1},
            {QStringLiteral("Assigned IP Address"), -1}, {QStringLiteral("Lease time "), -1}});
    Bt_RefreshDynamicPool = addGroupButton(
        "Bt_RefreshDynamicPool", QStringLiteral("Refresh"), &TFM_DHCP::Bt_RefreshDynamicPoolClick);
    SB_MappingUpper = form().addStatusBar("SB_MappingUpper");
    form().beginGroup("GB_StaticPool", QStringLiteral("Current DHCP Static Pools"));
    LV_StaticPool = form().addListView("LV_StaticPool",
        {{QStringLiteral("Host Name"), -1}, {QStringLiteral("Binding MAC Address "), -1},
            {QStringLiteral("Assigned IP Address "), -1}});
    Bt_RefreshStaticPool = addGroupButton(
        "Bt_RefreshStaticPool", QStringLiteral("Refresh"), &TFM_DHCP::Bt_RefreshStaticPoolClick);
    SB_MappingLower = form().addStatusBar("SB_MappingLower");
    form().endTab();
    form().endTabs();

    CB_APMode = form().addHiddenCombo("CB_APMode");
    ED_IpAddr = form().addHiddenEdit("ED_IpAddr");
    LV_StaticPoolSet = form().addHiddenList("LV_StaticPoolSet");
    Lb_Index = form().addHiddenLabel("Lb_Index");
    CB_StaticStatus = form().addHiddenCombo("CB_StaticStatus");
    CB_DNStatus = form().addHiddenCombo("CB_DNStatus");
    CoboxDynamic = form().addHiddenCombo("CoboxDynamic");
    CoboxStatic = form().addHiddenCombo("CoboxStatic");
    LV_Dy = form().addHiddenList("LV_Dy");
    LV_Static = form().addHiddenList("LV_Static");

    onChange(PageControl1, &TFM_DHCP::PageControl1Change);
    onChange(CB_Fuction1, &TFM_DHCP::CB_Fuction1Change);
    onChange(CB_Fuction2, &TFM_DHCP::CB_Fuction2Change);
    onChange(User_ListView, &TFM_DHCP::User_ListViewClick);
    // nothing can be saved or closed before the static pool has been read
    enable({Bt_Apply, Bt_Cancel}, false);
}

// Every request is made before the first read: an opening that ends early leaves none missing.
void TFM_DHCP::makeRequests()
{
    m_apMode = makeRequest(kApModeVars, itInstance, 100);
    bindControls(m_apMode, {CB_APMode});
    m_lanAddress = makeRequest(kLanAddressVars, itInstance, 1000);
    bindControls(m_lanAddress, {{ED_IpAddr, "%s"}});
    m_dynamicPool = makeRequest(kDynamicPoolVars, itInstance, 10000, SB_Dynamic);
    bindControls(m_dynamicPool,
        {{Ed_IPAF, "%s"}, {Ed_PoolRan, "%s"}, {Ed_SubMask, "%s"}, {Ed_Gateway, "%s"},
            {Ed_Wins, "%s"}, {Ed_DNS, "%s"}, {Ed_DomNa, "%s"}, {Ed_Lease, "%u"}});
    m_serverControl = makeRequest(kServerControlVars, itScalars, 10000);
    bindControls(m_serverControl, {CB_Fuction1});
    m_staticControl = makeRequest(kStaticControlVars, itScalars, 10000);
    bindControls(m_staticControl, {CB_Fuction2});
    m_domainNameStatus = makeRequest(kDomainNameStatusVars, itScalars, 10000);
    bindControls(m_domainNameStatus, {CB_DNStatus});

    m_staticPool = makeRequest(kStaticPoolVars, itTable, 10000,
        onDone(&TFM_DHCP::staticPoolRead, &TFM_DHCP::staticPoolWritten), SB_Static);
    m_staticPool->Request.Vars.KeyCount = 1;
    m_staticPool->BindListView(LV_StaticPoolSet, true);
    bindControls(m_staticPool,
        {Lb_Index, CB_StaticStatus, {ED_StaticHostName, "%s"}, {ED_StaticAssignIP, "%s"},
            {ED_StaticAssignMAC, "%h"}, {ED_StaticSubMask, "%s"}, {ED_StaticGateway, "%s"},
            {ED_StaticDNS, "%s"}, {ED_StaticWins, "%s"}, {ED_StaticDoname, "%s"}});
    m_staticDelete = makeRequest(kStaticDeleteVars, itScalars, 10000);
    bindControls(m_staticDelete, {Lb_Index});

    m_dynamicRefresh =
        makeRequest(kDynamicRefreshVars, itScalars, 10000, onSetDone(&TFM_DHCP::dynamicRefreshed));
    bindControls(m_dynamicRefresh, {CoboxDynamic});
    m_staticRefresh =
        makeRequest(kStaticRefreshVars, itScalars, 10000, onSetDone(&TFM_DHCP::staticRefreshed));
    bindControls(m_staticRefresh, {CoboxStatic});
    m_dynamicLeases = makeRequest<New_req2Edit>(kDynamicLeaseVars, itTableSelect, 10000,
        onGetDone(&TFM_DHCP::leaseListRead), SB_MappingUpper);
    m_staticLeases = makeRequest<New_req2Edit>(kStaticLeaseVars, itTableSelect, 10000,
        onGetDone(&TFM_DHCP::leaseListRead), SB_MappingLower);
    for (New_req2Edit *leases : {m_dynamicLeases, m_staticLeases}) {
        leases->Request.Vars.KeyCount = 1;
        leases->SkipValue = QLatin1String(kNoLease);
        leases->SkipColumn = 1; // the host name
    }
    m_dynamicLeases->BindListView(LV_Dy, false);
    m_staticLeases->BindListView(LV_Static, false);
}

void TFM_DHCP::FormCreate()
{
    makeRequests();
    setCloseLocks(true, true);
    openingReads();
    if (!m_staticReadStarted) {
        setCloseLocks(false, false); // no read is coming that would clear them
    }
    // the static entry waits for the static pool; Del for an entry the operator selects
    m_delEnabled = false;
    m_staticEditsOpen = false;
    PageControl1->setCurrentIndex(0);
}

// The opening's reads, in the order the device's documentation gives them. A library exception
// or a read the device did not answer ends them; the status bars say which.
bool TFM_DHCP::openingReads()
{
    try {
        m_apMode->Get();
        if (deviceSilent()) {
            return false;
        }
        m_lanAddress->Get();
        if (deviceSilent()) {
            return false;
        }

        SB_Dynamic->showMessage(QStringLiteral("Listing data ... "));
        if (getKeepingFields(m_dynamicPool)) {
            showPoolCount();
            clearIfZeroAddress({Ed_Gateway, Ed_Wins, Ed_DNS});
            SB_Dynamic->showMessage(QStringLiteral("Get OK!"));
        } else if (deviceSilent()) {
            return false;
        } else {
            SB_Dynamic->showMessage(m_dynamicPool->Request.LastError.Message);
        }

        const bool server = m_serverControl->Get();
        if (deviceSilent()) {
            return false;
        }
        const bool staticServer = m_staticControl->Get();
        if (deviceSilent()) {
            return false;
        }
        if (server && staticServer) {
            CB_Fuction2->setCurrentIndex(CB_Fuction1->currentIndex());
        }
        if (wirelessClient()) {
            // a wireless client serves no addresses: the server stays off on this page
            CB_Fuction1->setCurrentIndex(kDisable);
            CB_Fuction2->setCurrentIndex(kDisable);
        }

        m_domainNameStatus->Get();
        if (deviceSilent()) {
            return false;
        }

        SB_Static->showMessage(QStringLiteral("Listing data ... "));
        m_staticReadStarted = true;
        readStaticPool();

        m_dynamicLeases->Get();
        m_staticLeases->Get();
    } catch (const VtException &e) {
        setStatus(e.Message());
        return false;
    }
    return true;
}

void TFM_DHCP::readStaticPool()
{
    m_staticPool->Get();
}

void TFM_DHCP::setStatus(const QString &text)
{
    for (QStatusBar *bar : {SB_Dynamic, SB_Static, SB_MappingUpper}) {
        bar->showMessage(text);
    }
}

bool TFM_DHCP::wirelessClient() const
{
    return CB_APMode->currentIndex() == options::kApModeWirelessClient;
}

void TFM_DHCP::setCloseLocks(bool opening, bool writing)
{
    m_openingLock = opening;
    m_writingLock = writing;
    setCloseLocked(m_openingLock || m_writingLock);
}

void TFM_DHCP::showPoolCount()
{
    Ed_PoolRan->setText(dhcp::poolCountText(Ed_IPAF->text(), Ed_PoolRan->text()));
}

QStringList TFM_DHCP::staticPoolColumn(int column) const
{
    QStringList cells;
    for (int r = 0; r < LV_StaticPoolSet->topLevelItemCount(); ++r) {
        cells.append(LV_StaticPoolSet->cell(r, column));
    }
    return cells;
}

// What is enabled follows from the state of the controls and of the static pool's request.
void TFM_DHCP::applyRules()
{
    const bool client = wirelessClient();
    const bool dynamicOn = CB_Fuction1->currentIndex() == kEnable;
    const bool staticOn = CB_Fuction2->currentIndex() == kEnable;
    const dhcp::DomainNameEdits domain = dhcp::domainNameEdits(CB_DNStatus->currentIndex());
    // a write during a read of the same table is not queued: the entry waits for the table
    const bool staticBusy = m_staticPool->Busy;

    enable({CB_Fuction1, CB_Fuction2}, !client);
    enable({Ed_IPAF, Ed_PoolRan, Ed_SubMask, Ed_Gateway, Ed_Wins, Ed_DNS, Ed_Lease}, dynamicOn);
    Ed_DomNa->setEnabled(dynamicOn && domain.dynamicPool);
    Bt_Apply->setEnabled(m_applyEnabled);
    Bt_Cancel->setEnabled(!closeLocked());

    const bool staticEdits = staticOn && m_staticEditsOpen && !staticBusy;
    enable({ED_StaticAssignIP, ED_StaticAssignMAC, ED_StaticSubMask, ED_StaticGateway,
               ED_StaticWins, ED_StaticDNS, ED_StaticHostName},
        staticEdits);
    ED_StaticDoname->setEnabled(staticEdits && domain.staticPool);
    enable({User_ListView, LV_StaticPoolSet}, staticOn);
    setListColour(User_ListView, staticOn);
    Btn_Add->setEnabled(!staticBusy);
    Btn_Del->setEnabled(m_delEnabled && User_ListView->selectedRow() >= 0);

    Bt_RefreshDynamicPool->setEnabled(!client && !m_dynamicRefresh->Busy);
    Bt_RefreshStaticPool->setEnabled(!client && !m_staticRefresh->Busy);
}

void TFM_DHCP::PageControl1Change()
{
    m_domainNameStatus->Get();
}

// The two combos always show the same state.
void TFM_DHCP::CB_Fuction1Change()
{
    CB_Fuction2->setCurrentIndex(CB_Fuction1->currentIndex());
    if (CB_Fuction1->currentIndex() == kEnable) {
        m_applyEnabled = true;
    }
}

void TFM_DHCP::CB_Fuction2Change()
{
    CB_Fuction1->setCurrentIndex(CB_Fuction2->currentIndex());
}

void TFM_DHCP::Bt_CancelClick()
{
    close(); // refused while a close lock is set
}

bool TFM_DHCP::dynamicChecksPass()
{
    const QLineEdit *start = Ed_IPAF;
    const FieldCheck checks[] = {
        {Ed_IPAF, notEmpty(), "Please input valid IP address", faFocus, "Warning"},
        {Ed_PoolRan, notEmpty(), "Please input a number between 1 and 254.", faFocus, "Warning"},
        {Ed_PoolRan, dhcp::poolCountInRange, "Please input a number between 1 and 254.",
            faClearAndFocus, "Error"},
        {Ed_PoolRan, [start](const QString &count) { return dhcp::poolFits(start->text(), count); },
            "Invaild IP range!", faClearAndFocus, "Error"}, // shipped text
        {Ed_DomNa, dhcp::validName, "Invaild Domain Name!", faClearAndFocus, "Warning"},
        {Ed_Lease, notEmpty(), "Please input a number between 60 and 31536000.", faFocus,
            "Warning"},
        {Ed_Lease, dhcp::leaseInRange, "Please input a number between 60 and 31536000.",
            faClearAndFocus, "Error"},
        {Ed_IPAF, CheckIPAddress, "Please input valid IP address", faClearAndFocus},
        {Ed_SubMask, dhcp::validPoolMask, "Please input valid SubMask.", faClearAndFocus},
        {Ed_Gateway, optionalAddress(), "Please input valid Gateway.", faClearAndFocus},
        {Ed_Wins, optionalAddress(), "Invalid WINS!", faClearAndFocus},
        {Ed_DNS, optionalAddress(), "Please input valid DNS!", faClearAndFocus},
    };
    return runChecks(checks, "Waring"); // shipped text
}

void TFM_DHCP::Bt_ApplyClick()
{
    if (CB_Fuction1->currentIndex() != kEnable) {
        if (m_serverControl->Set()) {
            SB_Dynamic->showMessage(QStringLiteral("Setting Success!"));
        } else {
            SB_Dynamic->showMessage(QStringLiteral("Setting Error!"));
            failureTold();
        }
        return;
    }
    if (!dynamicChecksPass()) {
        return;
    }
    // the device keeps the pool's last address; the operator sees a count, whatever the outcome
    Ed_PoolRan->setText(dhcp::poolEndText(Ed_IPAF->text(), Ed_PoolRan->text()));
    const auto showCount = qScopeGuard([this] { showPoolCount(); });
    WriteSequence save(*this);
    save.write(m_serverControl);
    save.step([this] {
        MemberSwitch write(m_dynamicPool);
        if (CB_DNStatus->currentIndex() == dhcp::kDomainStatic) {
            write.readOnly(kDynamicDomainName); // only the static pool hands out a domain name
        } else {
            write.in(kDynamicDomainName);
        }
        return write.set();
    });
    if (!save.ok()) {
        SB_Dynamic->showMessage(QStringLiteral("Setting Error!"));
        failureTold();
        return;
    }
    getKeepingFields(m_dynamicPool);
    clearIfZeroAddress({Ed_Gateway, Ed_Wins, Ed_DNS});
    SB_Dynamic->showMessage(QStringLiteral("Setting Success!"));
}

// A row of the visible list is the hidden row at the same place: the device keeps its entries
// in the first rows.
void TFM_DHCP::User_ListViewClick()
{
    const int row = User_ListView->selectedRow();
    if (row < 0) {
        m_delEnabled = false;
        return;
    }
    LV_StaticPoolSet->selectRow(-1); // selecting the same row again fills the edits again
    LV_StaticPoolSet->selectRow(row);
    clearIfZeroAddress({ED_StaticGateway, ED_StaticWins, ED_StaticDNS});
    m_delEnabled = true;
    m_savedSinceSelection = false;
}

bool TFM_DHCP::staticChecksPass()
{
    const QLineEdit *ownAddress = ED_IpAddr;
    const FieldCheck checks[] = {
        {ED_StaticHostName, notEmpty(), "Invalid Host Name!", faClearAndFocus, "Warning"},
        {ED_StaticHostName, dhcp::validName, "Invalid Host Name!", faClearAndFocus, "Warning"},
        {ED_StaticDoname, dhcp::validName, "Invalid Host Name!", faClearAndFocus, "Warning"},
        {ED_StaticAssignIP, notEmpty(), "Please input valid IP address", faClearAndFocus,
            "Warning"},
        {ED_StaticAssignIP, CheckIPAddress, "Please input valid IP address", faClearAndFocus},
        {ED_StaticAssignIP,
            [ownAddress](const QString &address) { return address != ownAddress->text(); },
            "Please input valid IP address.", faClearAndFocus},
        {ED_StaticAssignMAC, dhcp::validStaticMac, "Please input valid MAC address.",
            faClearAndFocus},
        {ED_StaticSubMask, dhcp::validPoolMask, "Please input valid SubMask.", faClearAndFocus},
        {ED_StaticGateway, optionalAddress(), "Please input valid Gateway.", faClearAndFocus},
        {ED_StaticWins, optionalAddress(), "Please input valid Wins.", faClearAndFocus},
        {ED_StaticDNS, optionalAddress(), "Please input valid DNS.", faClearAndFocus},
    };
    return runChecks(checks, "Waring"); // shipped text
}

void TFM_DHCP::Btn_AddClick()
{
    m_savedSinceSelection = true;
    if (CB_Fuction2->currentIndex() != kEnable) {
        if (m_staticControl->Set()) {
            SB_Static->showMessage(QStringLiteral("Setting Success!"));
        } else {
            SB_Static->showMessage(QStringLiteral("Setting Error!"));
            failureTold();
        }
        CB_Fuction1Change();
        return;
    }
    // with no empty row left a new entry would silently replace the one written last
    if (Lb_Index->text().isEmpty()) {
        inform(QStringLiteral("Warning"), QStringLiteral("The IP Static pool is full!"));
        return;
    }
    if (!staticChecksPass()) {
        return;
    }
    m_delEnabled = false;
    const int selected = LV_StaticPoolSet->selectedRow();
    if (dhcp::rowWithMac(staticPoolColumn(kMac), ED_StaticAssignMAC->text(), selected) >= 0) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("Reject: The MAC has already existed in IP Static pool."));
        m_delEnabled = User_ListView->selectedRow() >= 0;
        ED_StaticAssignMAC->setFocus(Qt::OtherFocusReason);
        return;
    }
    MemberSwitch write(m_staticPool);
    write.in({kStatus, kHostName, kAddress, kMac, kMask, kGateway, kDns, kWins});
    m_staticControlRefused = !m_staticControl->Set();
    if (CB_DNStatus->currentIndex() == dhcp::kDomainDynamic) {
        write.readOnly(kDomainName); // only the dynamic pool hands out a domain name
    } else {
        write.in(kDomainName);
    }
    CB_StaticStatus->setCurrentIndex(kEnable);
    // into the row Lb_Index names: the empty row chosen after the read, or the entry clicked
    // last, which is thereby replaced; the write handler reads the table again
    m_staticPool->Set(false);
}

void TFM_DHCP::staticPoolWritten(const VtSNMPError &result)
{
    SB_Dynamic->showMessage(result.Message);
    SB_Static->showMessage(result.Message);
    if (result.Code != 0) {
        // the entry stays as typed, ready to be saved again
        m_delEnabled = User_ListView->selectedRow() >= 0;
        return;
    }
    setCloseLocks(m_openingLock, true);
    if (m_staticControlRefused) {
        SB_Static->showMessage(QStringLiteral("Setting Error!"));
        m_keepStaticText = true;
    } else {
        SB_Static->showMessage(QStringLiteral("Setting Success!"));
    }
    readStaticPool();
}

void TFM_DHCP::staticPoolRead(const VtSNMPError &result)
{
    const bool keepText = m_keepStaticText;
    m_keepStaticText = false;
    if (result.Code != 0) {
        SB_Dynamic->showMessage(result.Message);
        // no read is running any more: the page must stay closable
        setCloseLocks(false, false);
        return;
    }
    // a new entry goes to the first empty row; with none left there is no row to write
    const int empty = dhcp::firstEmptyRow(staticPoolColumn(kAddress));
    LV_StaticPoolSet->selectRow(-1);
    LV_StaticPoolSet->selectRow(empty);
    if (empty < 0) {
        Lb_Index->clear();
    }
    setCloseLocks(false, false);
    CB_Fuction2->setCurrentIndex(CB_Fuction1->currentIndex());
    m_applyEnabled = true;
    m_staticEditsOpen = true;
    rebuildStaticList();
    ED_StaticAssignIP->clear();
    ED_StaticAssignMAC->clear();
    // a new entry starts from the dynamic pool's options
    ED_StaticSubMask->setText(Ed_SubMask->text());
    ED_StaticDNS->setText(Ed_DNS->text());
    ED_StaticGateway->setText(Ed_Gateway->text());
    ED_StaticWins->setText(Ed_Wins->text());
    ED_StaticDoname->setText(Ed_DomNa->text());
    if (!keepText) {
        SB_Static->showMessage(QStringLiteral("Get OK!"));
    }
}

void TFM_DHCP::rebuildStaticList()
{
    User_ListView->clear();
    for (int r = 0; r < LV_StaticPoolSet->topLevelItemCount(); ++r) {
        if (LV_StaticPoolSet->cell(r, kAddress) != QLatin1String("0.0.0.0")) {
            User_ListView->addRow({LV_StaticPoolSet->cell(r, kMac),
                LV_StaticPoolSet->cell(r, kAddress), LV_StaticPoolSet->cell(r, kHostName)});
        }
    }
}

void TFM_DHCP::Btn_DelClick()
{
    if (m_staticPool->Busy || m_savedSinceSelection) {
        return;
    }
    if (User_ListView->selectedRow() >= 0 && !Lb_Index->text().isEmpty()
        && confirm(QStringLiteral("Are you sure that you want to delete this entry?"))) {
        if (m_staticDelete->Set()) {
            SB_Static->showMessage(QStringLiteral("Delete OK!"));
        } else {
            // the re-read leaves the failure standing instead of its "Get OK!"
            SB_Static->showMessage(m_staticDelete->Request.LastError.Message);
            m_keepStaticText = true;
            failureTold();
        }
        readStaticPool();
    }
    setCloseLocks(false, m_writingLock);
}

void TFM_DHCP::Bt_RefreshDynamicPoolClick()
{
    CoboxDynamic->setCurrentIndex(kRefresh);
    m_dynamicRefresh->Set();
    m_dynamicLeases->Get();
}

void TFM_DHCP::dynamicRefreshed(const VtSNMPError &result)
{
    if (result.Code != 0) {
        SB_MappingUpper->showMessage(QStringLiteral("Setting Error!"));
        return;
    }
    SB_MappingUpper->showMessage(QStringLiteral("Setting Sucess!")); // shipped text
    m_dynamicLeases->Get();
    SB_MappingUpper->showMessage(QStringLiteral("Get OK"));
}

void TFM_DHCP::Bt_RefreshStaticPoolClick()
{
    CoboxStatic->setCurrentIndex(kRefresh);
    m_staticRefresh->Set();
}

void TFM_DHCP::staticRefreshed(const VtSNMPError &result)
{
    if (result.Code != 0) {
        SB_MappingLower->showMessage(QStringLiteral("Setting Error!"));
        return;
    }
    SB_MappingLower->showMessage(QStringLiteral("Setting Sucess!")); // shipped text
    m_staticLeases->Get();
    SB_MappingLower->showMessage(QStringLiteral("Get OK"));
}

void TFM_DHCP::leaseListRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        SB_MappingLower->showMessage(QStringLiteral("Setting Error!"));
        return;
    }
    rebuildLeaseLists();
    SB_MappingLower->showMessage(QStringLiteral("Get OK"));
}

// The hidden lists hold the row number first, then the columns as read.
void TFM_DHCP::rebuildLeaseLists()
{
    LV_DynPool->clear();
    for (int r = 0; r < LV_Dy->topLevelItemCount(); ++r) {
        LV_DynPool->addRow(
            {LV_Dy->cell(r, 1), LV_Dy->cell(r, 2), LV_Dy->cell(r, 3), LV_Dy->cell(r, 4)});
    }
    LV_StaticPool->clear();
    for (int r = 0; r < LV_Static->topLevelItemCount(); ++r) {
        LV_StaticPool->addRow(
            {LV_Static->cell(r, 1), LV_Static->cell(r, 2), LV_Static->cell(r, 3)});
    }
}
