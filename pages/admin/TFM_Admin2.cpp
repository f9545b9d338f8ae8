// The administration page.
#include "TFM_Admin2.h"

#include "Admin2Rules.h"
#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "VtOptionList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const VtOptionList olApply{{0, "nothing"}, {1, "apply"}};
const VtOptionList olLimit{{0, "disable"}, {1, "vlanID"}, {2, "ipaddress"}, {3, "both"}};
const VtOptionList olDisableEnable{{0, "Disable"}, {1, "Enable"}};
// "Never" is the device's 0, listed last
const VtOptionList olTimeout{
    {1, "1Min"}, {2, "3Mins"}, {3, "5Mins"}, {4, "10Mins"}, {5, "15Mins"}, {0, "Never"}};
const VtOptionList olTrapType{{0, "normalTrap"}, {1, "wirelessTrap"}};
const VtOptionList olPing{{0, "Enable"}, {1, "Disable"}}; // 0 lets the device answer pings

constexpr int rw = vfRead | vfWrite;

const UISnmpVar kApplyVars[] = {
    {mib::deviceSettingApply, "deviceSettingApply", synInteger, rw, &olApply},
    {nullptr},
};
const UISnmpVar kLimitVars[] = {
    {mib::managerIpAddressStatus, "managerIpAddressStatus", synInteger, rw, &olLimit},
    {AP_OID("4.10.3"), "manergeVLANTag", synInteger, rw},
    {nullptr},
};
const UISnmpVar kVlanVars[] = {
    {mib::dot11VlanStatus, "dot11VlanStatus", synInteger, rw, &olDisableEnable},
    {nullptr},
};
const UISnmpVar kProtectionVars[] = {
    {mib::dot11NetworkAccessProtection, "dot11NetworkAccessProtection", synInteger, rw,
        &olDisableEnable},
    {nullptr},
};
const UISnmpVar kConsoleVars[] = {
    {AP_OID("4.4.1.0"), "telnet", synInteger, rw, &olDisableEnable},
    {AP_OID("4.4.2.0"), "ssh", synInteger, rw, &olDisableEnable},
    {nullptr},
};
const UISnmpVar kTimeoutVars[] = {
    {AP_OID("4.4.3"), "timeout", synInteger, rw, &olTimeout},
    {nullptr},
};
const UISnmpVar kSystemVars[] = {
    {mib::sysName, "systemName", synDisplayString, rw},
    {mib::sysLocation, "systemLocation", synDisplayString, rw},
    {nullptr},
};
const UISnmpVar kUserVars[] = {
    {AP_OID("4.1.1.1.2.1"), "usersName", synDisplayString, rw},
    {AP_OID("4.1.1.1.3.1"), "usersPassword", synDisplayString, rw},
    {nullptr},
};
const UISnmpVar kTrapVars[] = {
    {AP_OID("5.7.2.1"), "trapStatus", synInteger, rw, &olDisableEnable},
    {AP_OID("5.7.2.2"), "trapType", synInteger, rw, &olTrapType},
    {nullptr},
};
const UISnmpVar kPingVars[] = {
    {AP_OID("4.12.1.0"), "pingControlStatus", synInteger, rw, &olPing},
    {nullptr},
};
// The index travels in the instance; an empty row holds 0.0.0.0 as start and end.
const UISnmpVar kRangeVars[] = {
    {AP_OID("4.10.1.4.1.1"), "managerIpAddressIndex", synInteger, vfKey},
    {AP_OID("4.10.1.4.1.3"), "managerIpAddressPoolStart", synIpAddress, rw},
    {AP_OID("4.10.1.4.1.4"), "managerIpAddressPoolEnd", synIpAddress, rw},
    {nullptr},
};
const UISnmpVar kRangeListVars[] = {
    {AP_OID("4.10.1.4.1.1"), "Index", synInteger, vfKey},
    {AP_OID("4.10.1.4.1.3"), "Start", synIpAddress, rw},
    {AP_OID("4.10.1.4.1.4"), "End", synIpAddress, rw},
    {nullptr},
};
const UISnmpVar kDeleteVars[] = {
    {AP_OID("4.10.1.3"), "managerDelete", synInteger, rw},
    {nullptr},
};

constexpr int kTimeout = 10000; // hundredths
constexpr int kDisable = 0;     // item indexes of olDisableEnable
constexpr int kEnable = 1;
constexpr int kApply = 1;
constexpr int kTelnet = 0; // members of the console request
constexpr int kSsh = 1;
constexpr int kVlanTag = 1;  // member of the limit status request
constexpr int kPassword = 1; // member of the user request
constexpr int kMaxRanges = 4;
constexpr int kTextMax = 64;
constexpr int kNameMax = 32;
constexpr int kVidMax = 4;

const char kEmptyAddress[] = "0.0.0.0";

bool enabled(const QComboBox *combo)
{
    return combo->currentIndex() == kEnable;
}

bool noLeadingBlank(const QString &text)
{
    return !text.startsWith(QLatin1Char(' '));
}

} // namespace

TFM_Admin2::TFM_Admin2(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ Administration"), context)
{
    form().addLine("LA_Heading", QStringLiteral("    Administration Settings "));
    form().beginGroup("GB_Limit", QStringLiteral("Limit Administrator"));
    CheckBox_VID = form().addCheck("CheckBox_VID", QStringLiteral("Limit Administrator VID"));
    Ed_VID = form().addEdit("Ed_VID", QStringLiteral("VID"), kVidMax);
    CkBx_ManagerState =
        form().addCheck("CkBx_ManagerState", QStringLiteral("Limit Administrator IP"));
    Ed_FromIP = form().addEdit("Ed_FromIP", QStringLiteral("From"));
    Ed_ToIP = form().addEdit("Ed_ToIP", QStringLiteral("To"));
    Btn_Add = addGroupButton("Btn_Add", QStringLiteral("Add"), &TFM_Admin2::Btn_AddClick);
    ListView_User = form().addListView("ListView_User",
        {{QStringLiteral("Index"), -1}, {QStringLiteral("Start"), 120},
            {QStringLiteral("End"), 120}});
    Btn_Del = addGroupButton("Btn_Del", QStringLiteral("Delete"), &TFM_Admin2::Btn_DelClick);
    form().beginGroup("GB_System", QStringLiteral("System"));
    Ed_SysName = form().addEdit("Ed_SysName", QStringLiteral("System Name"), kNameMax);
    Ed_Location = form().addEdit("Ed_Location", QStringLiteral("Location"), kNameMax);
    form().beginGroup("GB_Login", QStringLiteral("Login Settings"));
    Ed_Usr = form().addEdit("Ed_Usr", QStringLiteral("User Name"), kTextMax);
    Ed_OPwd = form().addEdit("Ed_OPwd", QStringLiteral("Old Password"), kTextMax);
    Ed_NPwd = form().addEdit("Ed_NPwd", QStringLiteral("New Password"), kTextMax);
    Ed_CNP = form().addEdit("Ed_CNP", QStringLiteral("Confirm New Password"), kTextMax);
    form().beginGroup("GB_Console", QStringLiteral("Console Settings"));
    CheckBox_Console = form().addCheck("CheckBox_Console", QStringLiteral("Enable"));
    RB_Telnet = form().addRadioButton("RB_Telnet", QStringLiteral("Telnet"));
    RB_SHH = form().addRadioButton("RB_SHH", QStringLiteral("SSH"));
    CB_Timeout = form().addCombo("CB_Timeout", QStringLiteral("Time Out"));
    GB_Trap = form().beginGroup("GB_Trap", QStringLiteral("Trap"));
    CB_TrapStatus = form().addCombo("CB_TrapStatus", QStringLiteral("Trap Status"));
    Ch_SystemTrap = form().addCheck("Ch_SystemTrap", QStringLiteral("System Trap"));
    Ch_WirelessTrap = form().addCheck("Ch_WirelessTrap", QStringLiteral("Wireless Trap"));
    GB_Control = form().beginGroup("GB_Control", QStringLiteral("Control Setting"));
    CB_Ping = form().addCombo("CB_Ping", QStringLiteral("Ping"));
    form().endGroup();
    OK = addButton("OK", QStringLiteral("Save"), &TFM_Admin2::OKClick);
    Cancel = form().addButton("Cancel", QStringLiteral("Cancel"));

    CB_DeviceApplySetting = form().addHiddenCombo("CB_DeviceApplySetting");
    CB_managerIpAddressStatus = form().addHiddenCombo("CB_managerIpAddressStatus");
    CB_VlanStatus = form().addHiddenCombo("CB_VlanStatus");
    CB_NapStatus = form().addHiddenCombo("CB_NapStatus");
    CB_Telnet = form().addHiddenCombo("CB_Telnet");
    CB_SHH = form().addHiddenCombo("CB_SHH");
    Ed_Pwd = form().addHiddenEdit("Ed_Pwd");
    CB_TrapType = form().addHiddenCombo("CB_TrapType");
    ListView_IpRange = form().addHiddenList("ListView_IpRange");
    LA_Index = form().addHiddenLabel("LA_Index");
    Ed_From = form().addHiddenEdit("Ed_From");
    Ed_To = form().addHiddenEdit("Ed_To");
    Ed_delete = form().addHiddenEdit("Ed_delete");

    for (QLineEdit *secret : {Ed_OPwd, Ed_NPwd, Ed_CNP}) {
        secret->setEchoMode(QLineEdit::Password);
    }
    // the trap and ping settings are kept on the form but not offered: they take no room
    GB_Trap->hide();
    GB_Control->hide();
    onChange(CheckBox_VID, &TFM_Admin2::CheckBox_VIDClick);
    onChange(CkBx_ManagerState, &TFM_Admin2::CkBx_ManagerStateClick);
    onChange(CheckBox_Console, &TFM_Admin2::CheckBox_ConsoleClick);
    onChange(RB_Telnet, &TFM_Admin2::RB_Click);
    onChange(RB_SHH, &TFM_Admin2::RB_Click);
    onChange(ListView_User, &TFM_Admin2::ListView_UserClick);
    connect(Cancel, &QPushButton::clicked, this, &TFM_Admin2::reject);
    connect(Ed_NPwd, &QLineEdit::textEdited, this, [this] { m_newPasswordTyped = true; });
}

void TFM_Admin2::FormCreate()
{
    m_apply = makeRequest(kApplyVars, itScalars, kTimeout); // bound for its value, never sent
    bindControls(m_apply, {CB_DeviceApplySetting});
    m_limit = makeRequest(kLimitVars, itScalars, kTimeout);
    bindControls(m_limit, {CB_managerIpAddressStatus, {Ed_VID, "%u"}});
    m_vlan = makeRequest(kVlanVars, itScalars, kTimeout);
    bindControls(m_vlan, {CB_VlanStatus});
    m_protection = makeRequest(kProtectionVars, itInstance, kTimeout);
    bindControls(m_protection, {CB_NapStatus});
    m_console = makeRequest(kConsoleVars, itInstance, kTimeout);
    bindControls(m_console, {CB_Telnet, CB_SHH});
    // the console write comes first in a save: the notice covers the whole save from here
    m_console->BeforeSetHook = [this] {
        showProgress(
            QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    };
    m_timeout = makeRequest(kTimeoutVars, itScalars, kTimeout);
    bindControls(m_timeout, {CB_Timeout});
    m_system = makeRequest(kSystemVars, itScalars, kTimeout);
    bindControls(m_system, {{Ed_SysName, "%s"}, {Ed_Location, "%s"}});
    m_user = makeRequest(kUserVars, itInstance, kTimeout);
    bindControls(m_user, {{Ed_Usr, "%s"}, {Ed_Pwd, "%s"}});
    m_trap = makeRequest(kTrapVars, itScalars, kTimeout); // read only
    bindControls(m_trap, {CB_TrapStatus, CB_TrapType});
    m_ping = makeRequest(kPingVars, itInstance, kTimeout); // never read or written
    bindControls(m_ping, {CB_Ping});

    m_ranges = makeRequest(kRangeVars, itTable, kTimeout, statusTarget());
    m_ranges->Request.Vars.KeyCount = 1;
    m_ranges->BindListView(ListView_IpRange, true);
    bindControls(m_ranges, {LA_Index, {Ed_From, "%s"}, {Ed_To, "%s"}});
    // the binding reads the table again after its write; the shown list is read here
    m_ranges->AfterSetHook = [this] { m_rangeList->Get(); };
    m_rangeList = makeRequest<New_req2Edit>(kRangeListVars, itTable, kTimeout);
    m_rangeList->Request.Vars.KeyCount = 1;
    m_rangeList->SkipValue = QLatin1String(kEmptyAddress);
    m_rangeList->SkipColumn = 1;
    m_rangeList->BindListView(ListView_User, true);
    m_delete = makeRequest(kDeleteVars, itScalars, kTimeout, statusTarget());
    bindControls(m_delete, {{Ed_delete, "%s"}});
    m_delete->AfterSetHook = [this] { refreshLists(); };

    // A library exception stops the reads; what follows them runs whatever became of them.
    guarded([this] { readAtOpening(); });
    CheckBox_Console->setChecked(enabled(CB_Telnet) || enabled(CB_SHH));
    resetRangeInputs();
    CkBx_ManagerStateClick();
    CheckBox_ConsoleClick();
    // Save compares the old password with it and writes the new one, so untouched fields write
    // back the password the device holds
    m_devicePassword = Ed_Pwd->text();
    for (QLineEdit *password : {Ed_OPwd, Ed_NPwd, Ed_CNP}) {
        password->setText(m_devicePassword);
    }
}

void TFM_Admin2::readAtOpening()
{
    m_limit->Get();
    const int status = CB_managerIpAddressStatus->currentIndex();
    CheckBox_VID->setChecked(limitsByVid(status));
    CkBx_ManagerState->setChecked(limitsByAddress(status));
    m_vlan->Get();
    m_protection->Get();
    if (m_console->Get()) {
        RB_Telnet->setChecked(enabled(CB_Telnet));
        RB_SHH->setChecked(enabled(CB_SHH));
    }
    m_timeout->Get();
    m_system->Get();
    m_passwordRead = m_user->Get();
    m_trap->Get();
    const int trapType = CB_TrapType->currentIndex();
    if (trapType == 0 || trapType == 1) {
        Ch_SystemTrap->setChecked(trapType == 0);
        Ch_WirelessTrap->setChecked(trapType == 1);
    }
    m_ranges->Get();
    m_rangeList->Get();
}

void TFM_Admin2::applyRules()
{
    Ed_VID->setEnabled(CheckBox_VID->isChecked());
    enable({Ed_FromIP, Ed_ToIP, Btn_Add}, CkBx_ManagerState->isChecked());
    enable({RB_Telnet, RB_SHH, CB_Timeout}, CheckBox_Console->isChecked());
    if (ListView_User->selectedRow() < 0) {
        Btn_Del->setEnabled(false); // a re-read list has no selection left to delete
    }
}

void TFM_Admin2::warnIfProtected()
{
    const QString warning = limitWarning(enabled(CB_VlanStatus), enabled(CB_NapStatus));
    if (!warning.isEmpty()) {
        inform(QStringLiteral("Warning"), warning);
    }
}

void TFM_Admin2::CkBx_ManagerStateClick()
{
    if (CkBx_ManagerState->isChecked()) {
        warnIfProtected();
    }
}

void TFM_Admin2::CheckBox_VIDClick()
{
    if (CheckBox_VID->isChecked()) {
        warnIfProtected();
    }
}

void TFM_Admin2::CheckBox_ConsoleClick()
{
    if (CheckBox_Console->isChecked()) {
        if (!RB_Telnet->isChecked() && !RB_SHH->isChecked()) {
            RB_Telnet->setChecked(true);
        }
    } else {
        CB_Telnet->setCurrentIndex(kDisable);
        CB_SHH->setCurrentIndex(kDisable);
    }
}

void TFM_Admin2::RB_Click()
{
    CB_Telnet->setCurrentIndex(RB_Telnet->isChecked() ? kEnable : kDisable);
    CB_SHH->setCurrentIndex(RB_SHH->isChecked() ? kEnable : kDisable);
}

void TFM_Admin2::ListView_UserClick()
{
    if (ListView_User->selectedRow() >= 0) {
        Btn_Del->setEnabled(true);
        CkBx_ManagerStateClick();
    } else {
        Btn_Del->setEnabled(false);
    }
}

void TFM_Admin2::resetRangeInputs()
{
    Ed_FromIP->clear();
    Ed_ToIP->clear();
    Btn_Del->setEnabled(false);
}

void TFM_Admin2::refreshLists()
{
    m_ranges->Get();
    m_rangeList->Get(); // numbered from 1 again by the binding
}

std::vector<AddressRange> TFM_Admin2::rangeRows() const
{
    std::vector<AddressRange> rows;
    for (int r = 0; r < ListView_IpRange->topLevelItemCount(); ++r) {
        rows.push_back({ListView_IpRange->cell(r, 1), ListView_IpRange->cell(r, 2)});
    }
    return rows;
}

bool TFM_Admin2::saveChecksPass()
{
    const FieldCheck first[] = {
        {Ed_VID,
            [this](const QString &t) { return !CheckBox_VID->isChecked() || CheckAdminVid(t); },
            "Please input a number between 0 and 4095!", faClearAndFocus},
        {Ed_SysName, notEmpty(), "The System Name field can not be blank!", faFocus},
        {Ed_SysName, noLeadingBlank, "The first character can't be blank.", faFocus, "Error"},
        {Ed_Location, noLeadingBlank, "The first character can't be blank.", faFocus, "Error"},
        {Ed_OPwd, [this](const QString &t) { return t == m_devicePassword; },
            "Please input the current password correctly!", faWarnOnly},
    };
    if (!runChecks(first, "Warning")) {
        return false;
    }
    const FieldCheck second[] = {
        {Ed_Usr, atMost(kTextMax), "Please limit user name to 64 characters!", faClearAndFocus},
        {Ed_Usr, CheckUserName, "Invaild UserName!", faClearAndFocus}, // shipped text
        {Ed_NPwd, atMost(kTextMax), "Please limit password to 64 characters!", faClearAndFocus},
        {Ed_NPwd, [this](const QString &t) { return Ed_CNP->text() == t; },
            "Please input the confirm new password correctly!", faFocus},
    };
    if (!runChecks(second, "Warning")) {
        resetRangeInputs();
        return false;
    }
    return true;
}

void TFM_Admin2::writeConsole(WriteSequence &save)
{
    const bool on = CheckBox_Console->isChecked();
    if (on && (RB_Telnet->isChecked() || RB_SHH->isChecked())) {
        // only the chosen console is written: the device turns the other one off itself
        const bool telnet = RB_Telnet->isChecked();
        (telnet ? CB_Telnet : CB_SHH)->setCurrentIndex(kEnable);
        save.step([&] {
            MemberSwitch console(m_console);
            console.out(telnet ? kSsh : kTelnet);
            return console.set();
        });
        save.write(m_timeout);
    } else {
        CB_Telnet->setCurrentIndex(kDisable);
        CB_SHH->setCurrentIndex(kDisable);
        save.write(m_console);
    }
}

void TFM_Admin2::OKClick()
{
    if (!saveChecksPass()) {
        return;
    }
    Ed_Pwd->setText(Ed_NPwd->text());
    WriteSequence save(*this);
    writeConsole(save);
    CB_DeviceApplySetting->setCurrentIndex(kApply);
    CB_managerIpAddressStatus->setCurrentIndex(
        limitStatusIndex(CheckBox_VID->isChecked(), CkBx_ManagerState->isChecked()));
    CB_TrapType->setCurrentIndex(Ch_WirelessTrap->isChecked() ? 1 : 0);
    const bool userWritten = save.step([&] {
        MemberSwitch user(m_user);
        if (!m_passwordRead && !m_newPasswordTyped) {
            // what stands in the fields is no password of the device's: it is not written back
            user.readOnly(kPassword);
        }
        return user.set();
    });
    if (userWritten && (m_passwordRead || m_newPasswordTyped)) {
        m_devicePassword = Ed_Pwd->text();
    }
    save.write(m_system);
    save.step([&] {
        MemberSwitch limit(m_limit);
        limit.include(kVlanTag, CheckBox_VID->isChecked());
        return limit.set();
    });
    closeProgress();
    if (save.ok()) {
        resetRangeInputs();
        m_console->Get();
        setStatus(QStringLiteral("Set OK!"));
    } else {
        reportFailure(QStringLiteral("Setting Error!"));
    }
}

void TFM_Admin2::Btn_AddClick()
{
    const auto full = [this] {
        inform(QStringLiteral("Waring"), QStringLiteral("Maximum number of IP Range List is 4!!"));
        Ed_FromIP->clear();
        Ed_ToIP->clear();
    };
    if (ListView_User->topLevelItemCount() >= kMaxRanges) {
        full();
        return;
    }
    const FieldCheck checks[] = {
        {Ed_FromIP, CheckIPAddress, "Please input valid IP address", faClearAndFocus},
        {Ed_ToIP, CheckIPAddress, "Please input valid IP address", faClearAndFocus},
    };
    if (!runChecks(checks, "Waring")) { // shipped text
        return;
    }
    const quint32 from = addressNumber(Ed_FromIP->text()).value_or(0);
    const quint32 to = addressNumber(Ed_ToIP->text()).value_or(0);
    const RangePlace place = placeRange(from, to, rangeRows());
    if (to < from || place.kind == RangePlace::Overlaps) {
        refuse(Ed_FromIP, "Warning", "Invalid IP address range for Administrator!");
        return;
    }
    if (place.kind == RangePlace::NoEmptyRow) {
        // the table as read now has no empty row (a read that failed, a half-empty row): there
        // is no row to write, and none that may be overwritten
        full();
        return;
    }
    ListView_IpRange->selectRow(place.row); // its index and addresses into the bound fields
    Ed_From->setText(Ed_FromIP->text());
    Ed_To->setText(Ed_ToIP->text());
    if (m_ranges->Set()) {
        Ed_FromIP->clear();
        Ed_ToIP->clear();
        setStatus(QStringLiteral("Set OK!"));
    } else {
        reportFailure(QStringLiteral("Setting Error!"));
    }
}

void TFM_Admin2::Btn_DelClick()
{
    const int shown = ListView_User->selectedRow();
    const int row = shown < 0
        ? -1
        : findRange(rangeRows(), ListView_User->cell(shown, 1), ListView_User->cell(shown, 2));
    if (row < 0) {
        // no row of the table as read now holds that range: nothing is deleted in its place
        reportFailure(QStringLiteral("Delete Error!"));
        return;
    }
    Ed_delete->setText(ListView_IpRange->cell(row, 0));
    if (m_delete->Set()) {
        setStatus(QStringLiteral("Delete OK!"));
    } else {
        reportFailure(QStringLiteral("Delete Error!"));
    }
}
