// Advanced \ Filter \ Wireless MAC ACL.
#include "TFM_FilterMACACL.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "TypingLimit.h"
#include "VtUi.h"
#include "WirelessTables.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace transfer;

namespace {

const VtOptionList olAccessControl{{1, "Accept"}, {2, "Reject"}, {3, "Disable"}};
const VtOptionList olZoneDefence{{0, "disable"}, {1, "enable"}};

// Items of olAccessControl and olZoneDefence.
constexpr int kReject = 1;
constexpr int kDisable = 2;
constexpr int kZoneEnable = 1;
constexpr int kClientGet = 1; // item of dot11ClientInformationRefresh

const UISnmpVar kZoneVars[] = {
    {AP_OID("2.1.3.3.7.1.1.1.1"), "dot11ZoneDefenceControl", synInteger, vfRead, &olZoneDefence},
    {nullptr},
};
const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApMode},
    {nullptr},
};
const UISnmpVar kAccessVars[] = {
    {AP_OID("2.1.3.3.2.3.2.1.1.1"), "dot11MacAccessControl", synInteger, vfRead | vfWrite,
        &olAccessControl},
    {nullptr},
};
const UISnmpVar kBandVars[] = {
    {mib::dot11Band, "dot11Band", synInteger, vfRead, &options::dot11Band},
    {nullptr},
};
// The device appends an address written here to its list, and drops one written to the delete
// object.
const UISnmpVar kAddVars[] = {
    {AP_OID("2.1.3.3.2.3.2.1.2.1"), "dot11MacAccessControlMacAddressAdd", synMacAddress,
        vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kDeleteVars[] = {
    {AP_OID("2.1.3.3.2.3.2.1.3.1"), "dot11MacAccessControlMacAddressDelete", synMacAddress,
        vfRead | vfWrite},
    {nullptr},
};
// 32 slots, the addresses packed first; an empty slot reads 000000000000.
const UISnmpVar kAclVars[] = {
    {AP_OID("2.1.3.3.2.3.3.1.1"), "dot11MacAccessControlListIndex", synInteger, vfKey},
    {AP_OID("2.1.3.3.2.3.3.1.2"), "dot11MacAccessControlListMacAddress", synMacAddress, vfRead},
    {nullptr},
};
constexpr int kAclMac = 1; // column of the address, in both lists

const char kNoMac[] = "000000000000";
const char kFilter[] = "*.acl (*.acl);;all files (*)";

// How the client list names the device's authentications.
QString clientAuthentication(const QString &authentication)
{
    static const char *const kTexts[][2] = {
        {"opensystem", "OPEN"},
        {"sharedkey", "WEP"},
        {"wpa-psk", "WPA-PSK"},
        {"wpa-eap", "WPA-EAP"},
        {"wpa2-psk", "WPA2-PSK"},
        {"wpa2-eap", "WPA2-EAP"},
    };
    for (const auto &text : kTexts) {
        if (authentication == QLatin1String(text[0])) {
            return QLatin1String(text[1]);
        }
    }
    return authentication;
}

bool listHolds(const ReportListView *list, const QString &mac)
{
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        if (sameMac(mac, list->cell(r, kAclMac))) {
            return true;
        }
    }
    return false;
}

} // namespace

TFM_FilterMACACL::TFM_FilterMACACL(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Wireless MAC ACL"), context),
      m_flow(*this, 300, [this](const QString &text) { setStatus(text); })
{
    usePanelStatus();
    CB_Band = form().addCombo("CB_Band", QStringLiteral("Band"));
    CB_AccessControl = form().addCombo("CB_AccessControl", QStringLiteral("Access Control"));
    Ed_MacAdd = form().addEdit("Ed_MacAdd", QStringLiteral("MAC Address"), 12);
    Btn_Add = addFieldButton("Btn_Add", QStringLiteral("Add"), &TFM_FilterMACACL::Btn_AddClick);

    form().beginGroup("GB_MacAddress", QStringLiteral("MAC Address"));
    LV_UerMACAddress = form().addListView(
        "LV_UerMACAddress", {{QStringLiteral("ID"), -1}, {QStringLiteral("MAC Address"), -1}});
    Bt_Del = addGroupButton("Bt_Del", QStringLiteral("Delete"), &TFM_FilterMACACL::Bt_DelClick);
    form().endGroup();

    form().addLine("Lb_ClientInfo", QStringLiteral("Current Client Information "));
    Bt_Add = addGroupButton("Bt_Add", QStringLiteral("Add"), &TFM_FilterMACACL::Bt_AddClick);
    LV_ClientUser = form().addListView("LV_ClientUser",
        {{QStringLiteral("MAC Address"), 110}, {QStringLiteral("SSID"), 100},
            {QStringLiteral("Band"), -1}, {QStringLiteral("Authentication"), 100},
            {QStringLiteral("Signal"), -1}});

    form().beginGroup("GB_Upload", QStringLiteral("Upload ACL File"));
    Ed_UpgFile = form().addEdit("Ed_UpgFile", QStringLiteral("Upload File :"));
    Btn_Browse =
        addFieldButton("Btn_Browse", QStringLiteral("Browse"), &TFM_FilterMACACL::Btn_BrowseClick);
    Btn_Upload =
        addFieldButton("Btn_Upload", QStringLiteral("Upload"), &TFM_FilterMACACL::Btn_UploadClick);
    form().beginGroup("GB_Download", QStringLiteral("Download ACL File"));
    form().addLine("Lb_Download", QStringLiteral("Load ACL File to Local Hard Driver :"));
    Btn_Download = addGroupButton(
        "Btn_Download", QStringLiteral("Download"), &TFM_FilterMACACL::Btn_DownloadClick);
    form().endGroup();
    Bt_Apply = addButton("Bt_Apply", QStringLiteral("Save"), &TFM_FilterMACACL::Bt_ApplyClick);

    LV_ClientTable = form().addHiddenList("LV_ClientTable");
    LV_GetMAC = form().addHiddenList("LV_GetMAC");
    LA_Index = form().addHiddenLabel("LA_Index");
    Ed_MACAddr = form().addHiddenEdit("Ed_MACAddr");
    Ed_MacAdd2 = form().addHiddenEdit("Ed_MacAdd2");
    CB_ZoneStatus = form().addHiddenCombo("CB_ZoneStatus");
    Cbox_ACLAPmode = form().addHiddenCombo("Cbox_ACLAPmode");
    CB_GetInfo = form().addHiddenCombo("CB_GetInfo");
    Ed_TfpSrv = form().addHiddenEdit("Ed_TfpSrv");
    Ed_SaveFile = form().addHiddenEdit("Ed_SaveFile");
    CB_TfpCom = form().addHiddenCombo("CB_TfpCom");
    CB_UpgCom = form().addHiddenCombo("CB_UpgCom");

    for (QLineEdit *edit :
        {Ed_MacAdd, Ed_UpgFile, Ed_MACAddr, Ed_MacAdd2, Ed_TfpSrv, Ed_SaveFile}) {
        edit->clear();
    }
    setTypingLimit(Ed_MacAdd2, 12);
    CB_Band->setEnabled(false);

    onChange(CB_AccessControl, &TFM_FilterMACACL::CB_AccessControlChange);
    onChange(LV_ClientUser, &TFM_FilterMACACL::LV_ClientUserClick);
}

TFM_FilterMACACL::~TFM_FilterMACACL()
{
    m_flow.stop();
}

void TFM_FilterMACACL::makeRequests()
{
    m_zone = makeRequest(kZoneVars, itInstance, 10000);
    bindControls(m_zone, {CB_ZoneStatus});
    m_apMode = makeRequest(kApModeVars, itInstance, 10000);
    bindControls(m_apMode, {Cbox_ACLAPmode});
    m_access = makeRequest(kAccessVars, itInstance, 10000, statusTarget());
    bindControls(m_access, {CB_AccessControl});
    m_band = makeRequest(kBandVars, itInstance, 10000);
    bindControls(m_band, {CB_Band});

    m_clients = makeRequest(wireless::kClientVars, itTable, 10000,
        onDone(&TFM_FilterMACACL::clientTableRead, &TFM_FilterMACACL::clientTableWritten));
    m_clients->BindListView(LV_ClientTable, false);
    m_clientRefresh = makeRequest(wireless::kClientRefreshVars, itInstance, 1000,
        onSetDone(&TFM_FilterMACACL::clientRefreshWritten));
    bindControls(m_clientRefresh, {CB_GetInfo});

    m_add = makeRequest(kAddVars, itInstance, 10000, onSetDone(&TFM_FilterMACACL::listChanged));
    bindControls(m_add, {{Ed_MacAdd, "%h"}});
    m_clientAdd =
        makeRequest(kAddVars, itInstance, 10000, onSetDone(&TFM_FilterMACACL::listChanged));
    bindControls(m_clientAdd, {{Ed_MacAdd2, "%h"}});
    m_delete =
        makeRequest(kDeleteVars, itInstance, 10000, onSetDone(&TFM_FilterMACACL::listChanged));
    bindControls(m_delete, {{Ed_MACAddr, "%h"}});

    // every slot, empty ones included: what typed adds and deletes compare against
    m_aclTable = makeRequest(kAclVars, itTable, 2000);
    m_aclTable->BindListView(LV_GetMAC, false);
    bindControls(m_aclTable, {LA_Index, Ed_MACAddr}); // Ed_MACAddr is the delete's constrained edit
    // the listed addresses alone, numbered without gaps
    m_aclList = makeRequest<New_req2Edit>(
        kAclVars, itTable, 10000, onGetDone(&TFM_FilterMACACL::aclListRead));
    m_aclList->SkipValue = QLatin1String(kNoMac);
    m_aclList->SkipColumn = kAclMac;
    m_aclList->BindListView(LV_UerMACAddress, false);

    m_address = makeRequest(kTftpAddressVars, itScalars, 10000);
    bindControls(m_address, {Ed_TfpSrv, Ed_UpgFile});
    m_install = makeRequest(
        kTftpInstallVars, itScalars, 30000, onSetDone(&TFM_FilterMACACL::installReported));
    bindControls(m_install, {CB_UpgCom});
    m_command = makeRequest(kTftpCommandVars, itScalars, 10000,
        onSetDone(&TFM_FilterMACACL::commandReported), statusTarget());
    bindControls(m_command, {CB_TfpCom});
}

void TFM_FilterMACACL::FormCreate()
{
    makeRequests();
    guarded([this] { openingReads(); });
    m_flow.open(); // without a server the page works on, without files
}

// The opening's reads in the device's order; an error ends them, not the opening.
void TFM_FilterMACACL::openingReads()
{
    m_zone->Get();
    m_apMode->Get();
    m_access->Get();
    m_band->Get();
    CB_Band->setEnabled(false);

    CB_GetInfo->setCurrentIndex(kClientGet); // the device collects its clients, then answers
    LV_ClientUser->clear();
    m_clientRefresh->Set();

    setStatus(QStringLiteral("Refresh..."));
    m_aclTable->Get();
    Ed_MacAdd->clear();
    m_listIdle = false;
    readList();

    if (wirelessClient()) {
        pin(CB_AccessControl, kDisable); // a wireless client applies no list
    }
    CB_AccessControlChange();
    m_clientPicked = false;
}

bool TFM_FilterMACACL::wirelessClient() const
{
    return Cbox_ACLAPmode->currentIndex() == options::kApModeWirelessClient;
}

bool TFM_FilterMACACL::accessDisabled() const
{
    return CB_AccessControl->currentIndex() == kDisable;
}

void TFM_FilterMACACL::readList()
{
    setStatus(QStringLiteral("Refresh..."));
    m_aclList->RowNumber = 1;
    m_aclList->SkipValue = QLatin1String(kNoMac);
    m_aclList->Get();
}

void TFM_FilterMACACL::applyRules()
{
    const bool listBusy =
        m_add->Busy || m_clientAdd->Busy || m_delete->Busy || m_aclTable->Busy || m_aclList->Busy;
    if (!listBusy) {
        // however the chain ended (a failure, an exception, a read that never started, the
        // device's silence), the list is usable again
        m_listIdle = true;
    }
    const bool client = wirelessClient();
    const bool disabled = accessDisabled();
    CB_Band->setEnabled(false);
    CB_AccessControl->setEnabled(!client);
    Ed_MacAdd->setEnabled(!client && !disabled);
    Btn_Add->setEnabled(!client && !disabled && m_listIdle);
    Bt_Add->setEnabled(m_clientPicked && !disabled && LV_ClientUser->selectedRow() >= 0);
    Bt_Del->setEnabled(m_listIdle);
    // the client table takes no write while it is read
    Bt_Apply->setEnabled(m_listIdle && !m_clients->Busy && !m_clientRefresh->Busy);
    const bool files = m_flow.ready() && !m_transferRunning;
    Btn_Upload->setEnabled(files);
    Btn_Download->setEnabled(files);
    setCloseLocked(!m_listIdle);
}

void TFM_FilterMACACL::CB_AccessControlChange()
{
    m_zone->Get();
    if (accessDisabled()) {
        m_clientPicked = false;
    }
    if (CB_AccessControl->currentIndex() != kReject
        && CB_ZoneStatus->currentIndex() == kZoneEnable) {
        inform(QStringLiteral("Waring"), // shipped text
            QStringLiteral("Zone defence would be disable!"));
    }
}

void TFM_FilterMACACL::Btn_AddClick()
{
    const QString mac = Ed_MacAdd->text();
    if (mac.size() != 12) {
        refuse(Ed_MacAdd, "Error", "The length is 12 in MAC Address.");
        return;
    }
    if (mac == QLatin1String(kNoMac)) {
        refuse(Ed_MacAdd, "Warning", "Please input a valid MAC Address.");
        return;
    }
    if (listHolds(LV_GetMAC, mac)) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("Reject: The MAC already exists ")); // shipped text
        return;
    }
    m_listIdle = false;
    m_add->Set();
}

void TFM_FilterMACACL::LV_ClientUserClick()
{
    const int row = LV_ClientUser->selectedRow();
    if (row < 0 || accessDisabled()) {
        m_clientPicked = false;
        return;
    }
    Ed_MacAdd2->setText(LV_ClientUser->cell(row, 0).trimmed());
    m_clientPicked = true;
}

void TFM_FilterMACACL::Bt_AddClick()
{
    if (LV_ClientUser->selectedRow() < 0) {
        m_clientPicked = false;
        return;
    }
    if (listHolds(LV_UerMACAddress, Ed_MacAdd2->text())) {
        inform(QStringLiteral("Warning"), QStringLiteral("The MAC already exists ")); // shipped
        return;
    }
    m_clientAdd->Set();
    m_clientPicked = false;
}

void TFM_FilterMACACL::Bt_DelClick()
{
    const int row = LV_UerMACAddress->selectedRow();
    if (row < 0) {
        return;
    }
    if (!confirm(QStringLiteral("Are you sure that you want to delete this mac address?"))) {
        return;
    }
    const QString mac = LV_UerMACAddress->cell(row, kAclMac);
    int slot = -1;
    for (int r = 0; r < LV_GetMAC->topLevelItemCount() && slot < 0; ++r) {
        if (sameMac(mac, LV_GetMAC->cell(r, kAclMac))) {
            slot = r;
        }
    }
    if (slot < 0) {
        return; // no slot holds it: there is nothing the device could delete
    }
    LV_GetMAC->selectRow(-1);
    LV_GetMAC->selectRow(slot);
    Ed_MACAddr->setText(LV_GetMAC->cell(slot, kAclMac));
    m_listIdle = false;
    m_delete->Set();
}

void TFM_FilterMACACL::listChanged(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
        m_listIdle = true;
        return;
    }
    setStatus(QStringLiteral("Refresh..."));
    m_aclTable->Get();
    readList();
    Ed_MacAdd->clear();
    Ed_MacAdd2->clear();
}

void TFM_FilterMACACL::aclListRead(const VtSNMPError &result)
{
    m_listIdle = true;
    setStatus(result.Code != 0 ? result.Message : QStringLiteral("Get OK!"));
}

void TFM_FilterMACACL::clientRefreshWritten(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(QStringLiteral("Detect timed out!") + result.Message);
        return;
    }
    m_clients->Get();
    setStatus(QStringLiteral("Get Client info...!"));
}

void TFM_FilterMACACL::clientTableRead(const VtSNMPError &result)
{
    const bool keepSaveText = m_keepSaveText;
    m_keepSaveText = false;
    if (result.Code != 0 || !keepSaveText) {
        setStatus(result.Message);
    }
    if (result.Code == 0) {
        rebuildClientList();
    }
}

void TFM_FilterMACACL::rebuildClientList()
{
    LV_ClientUser->clear();
    m_clientPicked = false;
    for (int r = 0; r < LV_ClientTable->topLevelItemCount(); ++r) {
        const QString mac = LV_ClientTable->cell(r, wireless::clMacAddress);
        if (mac == QLatin1String(kNoMac)) {
            continue;
        }
        LV_ClientUser->addRow({mac, LV_ClientTable->cell(r, wireless::clSsid),
            LV_ClientTable->cell(r, wireless::clBand),
            clientAuthentication(LV_ClientTable->cell(r, wireless::clAuthentication)),
            LV_ClientTable->cell(r, wireless::clRssi)});
    }
}

void TFM_FilterMACACL::Bt_ApplyClick()
{
    WriteSequence save(*this);
    save.write(m_apMode); // the mode as read
    save.write(m_access);
    m_savedBefore = save.ok();
    // The client table holds nothing to write: its (empty) write is followed by a new read of
    // the clients. The outcome of the save is known when that write is answered.
    if (!guarded([this] { m_clients->Set(); })) {
        reportFailure(QStringLiteral("Save Fail!"));
    }
}

void TFM_FilterMACACL::clientTableWritten(const VtSNMPError &result)
{
    if (result.Code == 0 && m_savedBefore) {
        setStatus(QStringLiteral("Save OK!"));
    } else {
        reportFailure(QStringLiteral("Save Fail!"));
    }
    // a taken write is followed by the client table's read, which leaves the outcome standing
    m_keepSaveText = result.Code == 0;
}

void TFM_FilterMACACL::Btn_BrowseClick()
{
    const QString path =
        VtUi::current().openFileName(this, QString(), QString(), QString::fromUtf8(kFilter));
    if (!path.isEmpty()) {
        Ed_UpgFile->setText(path);
    }
}

void TFM_FilterMACACL::Btn_UploadClick()
{
    if (!m_flow.ready() || m_transferRunning) {
        return;
    }
    const QString path = Ed_UpgFile->text();
    if (path.isEmpty()) {
        inform(QStringLiteral("Warning"), QStringLiteral("Empty file is not accepted."));
        return;
    }
    if (!QFileInfo(path).isFile() || !path.toUpper().contains(QLatin1String(".ACL"))) {
        inform(QStringLiteral("Warning"), QStringLiteral("File format error! Please try again!"));
        return;
    }
    m_download = false;
    m_upload = true;
    TransferStep step;
    step.path = path;
    step.direction = tftpReadRequest; // the device fetches the file
    step.server = Ed_TfpSrv;
    step.remoteFile = Ed_UpgFile;
    step.address = m_address;
    step.commandCombo = CB_TfpCom;
    step.commandIndex = kGet;
    step.commandRequest = m_command;
    const TransferStart started = m_flow.start(step);
    Ed_UpgFile->setText(path);
    if (started == TransferStart::Started) {
        m_transferRunning = true; // getacl follows once the device has the file
    } else if (started == TransferStart::NotSent) {
        transferFailed();
    } else {
        m_upload = false;
    }
}

void TFM_FilterMACACL::Btn_DownloadClick()
{
    if (!m_flow.ready() || m_transferRunning) {
        return;
    }
    const QString path =
        VtUi::current().saveFileName(this, QString(), QString(), QString::fromUtf8(kFilter));
    if (path.isEmpty()) {
        return; // the dialog was cancelled
    }
    Ed_SaveFile->setText(path);
    if (namesNoFile(path)) {
        inform(QStringLiteral("Warning"), QStringLiteral("Empty file is not accepted."));
        return;
    }
    QString directory;
    QString name;
    if (splitPath(path, directory, name) && !name.toUpper().contains(QLatin1String(".ACL"))) {
        name += QLatin1String(".acl");
    }
    m_upload = false;
    m_download = true;
    TransferStep step;
    step.path = path;
    step.direction = tftpWriteRequest; // the device stores its list
    step.server = Ed_TfpSrv;
    step.remoteFile = Ed_UpgFile;
    step.remoteName = name;
    step.address = m_address;
    step.commandCombo = CB_TfpCom;
    step.commandIndex = kPutAcl;
    step.commandRequest = m_command;
    const TransferStart started = m_flow.start(step);
    Ed_UpgFile->clear();
    if (started == TransferStart::Started) {
        m_transferRunning = true;
    } else if (started == TransferStart::NotSent) {
        transferFailed();
    } else {
        m_download = false;
    }
}

void TFM_FilterMACACL::transferFailed()
{
    m_flow.endTransfer();
    m_upload = false;
    m_download = false;
    m_transferRunning = false;
    inform(QStringLiteral("ERROR"), QStringLiteral("Fail to save the ACL file!"));
}

// The device answers the command only once the file has moved (or failed to).
void TFM_FilterMACACL::commandReported(const VtSNMPError &result)
{
    m_flow.endTransfer();
    if (!m_upload && !m_download) {
        return;
    }
    if (result.Code != 0) {
        transferFailed();
        return;
    }
    // an upload installs only a list the device really fetched; a download confirms the store
    CB_UpgCom->setCurrentIndex(kGetAcl);
    if (!guarded([this] { m_install->Set(); })) {
        transferFailed();
    }
}

void TFM_FilterMACACL::installReported(const VtSNMPError &result)
{
    if (!m_upload && !m_download) {
        return;
    }
    if (result.Code != 0) {
        transferFailed();
        return;
    }
    m_transferRunning = false;
    if (m_download) {
        m_download = false;
        inform(QStringLiteral("OK"), QStringLiteral("The ACL file saved successfully!"));
        return;
    }
    m_upload = false;
    runWaiting(5, QStringLiteral("Updating ACL file..."));
    inform(QStringLiteral("OK"), QStringLiteral("The ACL file update successfully!"));
    m_listIdle = false;
    setStatus(QStringLiteral("Refresh..."));
    m_access->Get();
    m_aclTable->Get();
    readList();
    Ed_MacAdd->clear();
    Ed_MacAdd2->clear();
}
