// ARP spoofing prevention page.
#include "TFM_ARPSpoofing.h"

#include "ApMib.h"
#include "Checks.h"
#include "ReportListView.h"
#include "SharedOptions.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace {

#define ARP(tail) AP_OID("3.15." tail)

const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApModeAdvanced},
    {nullptr},
};
const UISnmpVar kStatusVars[] = {
    {ARP("1.1"), "dot11ARPSpoofingPreventionStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};
const UISnmpVar kCommandVars[] = {
    {ARP("2.1"), "dot11ARPSpoofingPreventionIpAddress", synIpAddress, vfRead | vfWrite},
    {ARP("2.2"), "dot11ARPSpoofingPreventionMacAddress", synMacAddress, vfRead | vfWrite},
    {ARP("2.3"), "dot11ARPSpoofingPreventionAction", synInteger, vfRead | vfWrite,
        &options::delAdd},
    {nullptr},
};
const UISnmpVar kGatewayVars[] = {
    {ARP("2.4.1.1"), "dot11ARPSpoofingPreventionIndex", synInteger, vfKey},
    {ARP("2.4.1.2"), "dot11ARPSpoofingPreventionListIpAddress", synIpAddress, vfRead | vfWrite},
    {ARP("2.4.1.3"), "dot11ARPSpoofingPreventionListMacAddress", synMacAddress, vfRead | vfWrite},
    {nullptr},
};

#undef ARP

// Columns of the list: the variables in list order.
constexpr int kColIp = 1;
constexpr int kColMac = 2;

constexpr int kMaxGateways = 8;

bool twelveCharacters(const QString &text)
{
    return text.size() == 12;
}

} // namespace

TFM_ARPSpoofing::TFM_ARPSpoofing(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ARP Spoofing Prevention"), context)
{
    CB_APPstatus = form().addCombo("CB_APPstatus", QStringLiteral("ARP Spoofing Prevention"));
    GB_AddGateway = form().beginGroup("GB_AddGateway", QStringLiteral("Add Gateway Address"));
    Ed_IpAddress = form().addEdit("Ed_IpAddress", QStringLiteral("Gateway IP Address"));
    Ed_MacAddress = form().addEdit("Ed_MacAddress", QStringLiteral("Gateway MAC Address"), 12);
    Btn_Add = addGroupButton("Btn_Add", QStringLiteral("Add"), &TFM_ARPSpoofing::Btn_AddClick);
    Btn_Clear =
        addGroupButton("Btn_Clear", QStringLiteral("Clear"), &TFM_ARPSpoofing::Btn_ClearClick);
    GB_GatewayList = form().beginGroup("GB_GatewayList", QStringLiteral("Gateway Address List"));
    LV_ListViewUser = form().addListView("LV_ListViewUser",
        {{QStringLiteral("Index"), 40}, {QStringLiteral("Gateway IP Address"), 150},
            {QStringLiteral("Gateway MAC Address"), 150}});
    Btn_Del = addGroupButton("Btn_Del", QStringLiteral("Delete"), &TFM_ARPSpoofing::Btn_DelClick);
    Btn_Delall = addGroupButton(
        "Btn_Delall", QStringLiteral("Delete all"), &TFM_ARPSpoofing::Btn_DelallClick);
    form().endGroup();
    Btn_Save = addButton("Btn_Save", QStringLiteral("Save"), &TFM_ARPSpoofing::Btn_SaveClick);
    CB_Action = form().addHiddenCombo("CB_Action");
    Ed_Index = form().addHiddenEdit("Ed_Index");
    CB_ApMode = form().addHiddenCombo("CB_ApMode");
    onChange(CB_APPstatus, &TFM_ARPSpoofing::CB_APPstatusChange);
    onChange(LV_ListViewUser, &TFM_ARPSpoofing::LV_ListViewUserClick);
}

void TFM_ARPSpoofing::FormCreate()
{
    m_apMode = makeRequest(kApModeVars, itInstance, 10000);
    bindControls(m_apMode, {CB_ApMode});
    m_status = makeRequest(kStatusVars, itScalars, 10000);
    bindControls(m_status, {CB_APPstatus});
    m_command =
        makeRequest(kCommandVars, itScalars, 10000, onSetDone(&TFM_ARPSpoofing::commandWritten));
    bindControls(m_command, {{Ed_IpAddress, "%s"}, {Ed_MacAddress, "%h"}, CB_Action});
    m_gateways = makeRequest(kGatewayVars, itTable, 10000,
        onDone(&TFM_ARPSpoofing::gatewaysRead, &TFM_ARPSpoofing::gatewayWritten));
    m_gateways->Request.Vars.KeyCount = 1;
    // the list shows the device's rows itself: index, address and MAC in its designed columns
    m_gateways->BindListView(LV_ListViewUser, true);
    bindControls(m_gateways, {{Ed_Index, "%s"}, {Ed_IpAddress, "%s"}, {Ed_MacAddress, "%h"}});

    // Read failures are not reported: the controls show what the failed read left in them.
    m_apMode->Get();
    m_status->Get();
    m_gateways->Get();
    if (CB_ApMode->currentIndex() == options::kApModeWirelessClient) {
        pin(CB_APPstatus, options::kDisable); // a client protects no gateway of its own
    } else {
        CB_APPstatus->setEnabled(true);
    }
    CB_APPstatusChange();
}

bool TFM_ARPSpoofing::statusEnabled() const
{
    return CB_APPstatus->currentIndex() == options::kEnable;
}

void TFM_ARPSpoofing::CB_APPstatusChange()
{
    m_editing = statusEnabled();
    if (m_editing) {
        m_deleteAll = LV_ListViewUser->topLevelItemCount() > 0;
    } else {
        m_deleteOn = false;
        m_deleteAll = false;
    }
}

void TFM_ARPSpoofing::applyRules()
{
    if (m_command == nullptr) {
        return;
    }
    // A write is never queued behind one still under way.
    const bool addWrites = m_mode == Mode::Edit ? m_gateways->Busy : m_command->Busy;
    GB_AddGateway->setEnabled(m_editing);
    GB_GatewayList->setEnabled(m_editing);
    Btn_Add->setEnabled(m_editing && !addWrites);
    Btn_Clear->setEnabled(m_editing);
    Btn_Del->setEnabled(m_deleteOn && !m_command->Busy);
    Btn_Delall->setEnabled(m_deleteAll && !m_command->Busy);
    Btn_Save->setEnabled(!m_status->Busy);
}

void TFM_ARPSpoofing::gatewaysRead(const VtSNMPError &result)
{
    m_mode = Mode::Add;
    Btn_ClearClick();
    m_deleteAll = LV_ListViewUser->topLevelItemCount() > 0 && statusEnabled();
    if (result.Code != 0) {
        setStatus(result.Message);
    }
}

void TFM_ARPSpoofing::gatewayWritten(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(QStringLiteral("Error!")); // the list stays as read, the mode stays edit
        return;
    }
    m_gateways->Get();
}

void TFM_ARPSpoofing::commandWritten(const VtSNMPError &result)
{
    Btn_ClearClick();
    m_mode = Mode::Add;
    if (result.Code != 0) {
        setStatus(QStringLiteral("Error!"));
        return;
    }
    setStatus(result.Message);
    m_gateways->Get();
}

void TFM_ARPSpoofing::LV_ListViewUserClick()
{
    // the click filled the index, address and MAC fields with the row
    m_deleteOn = LV_ListViewUser->selectedRow() >= 0;
    m_mode = m_deleteOn ? Mode::Edit : Mode::Add;
}

void TFM_ARPSpoofing::Btn_ClearClick()
{
    Ed_IpAddress->clear();
    Ed_MacAddress->clear();
}

void TFM_ARPSpoofing::Btn_AddClick()
{
    const FieldCheck checks[] = {
        {Ed_IpAddress, notEmpty(), "The IP Address can not be blank!"},
        {Ed_IpAddress, CheckIPAddress, "Please input valid IP Address.", faClearAndFocus},
        {Ed_MacAddress, twelveCharacters, "The length is 12 MAC Address.", faClearAndFocus,
            "Error"},
    };
    if (!runChecks(checks, "Warning")) {
        return;
    }
    if (m_mode == Mode::Add) {
        addGateway();
    } else {
        changeGateway();
    }
}

void TFM_ARPSpoofing::addGateway()
{
    if (m_command->Busy) {
        return;
    }
    const int rows = LV_ListViewUser->topLevelItemCount();
    if (rows >= kMaxGateways) {
        inform(QStringLiteral("Waring"), QStringLiteral("The Max number is 8,is full now!"));
        return;
    }
    // row by row, the address before the MAC
    for (int row = 0; row < rows; ++row) {
        if (LV_ListViewUser->cell(row, kColIp) == Ed_IpAddress->text()) {
            refuse(Ed_IpAddress, "Warning", "The IP Address has already been added in the list!");
            return;
        }
        // the list shows upper-case digits; what the operator typed may be either case
        if (sameMac(LV_ListViewUser->cell(row, kColMac), Ed_MacAddress->text())) {
            refuse(Ed_MacAddress, "Warning", "The MAC Address has already been added in the list!");
            return;
        }
    }
    CB_Action->setCurrentIndex(options::kActionAdd);
    m_command->Set();
}

void TFM_ARPSpoofing::changeGateway()
{
    const int selected = LV_ListViewUser->selectedRow();
    if (selected < 0 || m_gateways->Busy) {
        return;
    }
    for (int row = 0; row < LV_ListViewUser->topLevelItemCount(); ++row) {
        if (row != selected && LV_ListViewUser->cell(row, kColIp) == Ed_IpAddress->text()) {
            refuse(Ed_IpAddress, "Warning", "Can not use the same IP Address!");
            return;
        }
    }
    // the address and MAC into the row the index field names; read again once written
    m_gateways->Set(false);
}

void TFM_ARPSpoofing::Btn_DelClick()
{
    if (LV_ListViewUser->selectedRow() < 0 || m_command->Busy) {
        return;
    }
    // the address and MAC the fields hold: the clicked row's unless the operator changed them
    CB_Action->setCurrentIndex(options::kActionDel);
    m_command->Set();
}

void TFM_ARPSpoofing::Btn_DelallClick()
{
    if (m_command->Busy || !confirm(QStringLiteral("Are you sure delete all the rules?"))) {
        return;
    }
    CB_Action->setCurrentIndex(options::kActionDel);
    {
        m_command->Async = false;
        const auto async = qScopeGuard([this] { m_command->Async = true; });
        for (int row = 0; row < LV_ListViewUser->topLevelItemCount(); ++row) {
            LV_ListViewUser->selectRow(-1);
            LV_ListViewUser->selectRow(row); // fills the fields with the row's address and MAC
            // each answer is left aside: the read below shows what is left on the device
            m_command->Set(false);
        }
    }
    m_gateways->Get();
}

void TFM_ARPSpoofing::Btn_SaveClick()
{
    const bool ok = m_status->Set();
    setStatus(ok ? QStringLiteral("Save OK!") : QStringLiteral("Save Error!"));
    if (!ok) {
        failureTold();
    }
}
