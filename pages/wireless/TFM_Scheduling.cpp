// Wireless schedule page.
#include "TFM_Scheduling.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "TFM_SchedulingRules.h"
#include "VtOptionList.h"
#include "WirelessTables.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>

namespace {

#define SCHEDULE(tail) AP_OID("3.10." tail)

const VtOptionList olAllDay{{0, "disable"}, {1, "enable"}};
const VtOptionList olSsidIndex{{0, "Primary SSID"}, {1, "SSID1"}, {2, "SSID2"}, {3, "SSID3"}};
const VtOptionList olWireless{{0, "off"}, {1, "on"}};
const VtOptionList olNodeStatus{{0, "disable"}, {1, "enable"}};

constexpr int rw = vfRead | vfWrite;

// The switch is read as a table without keys: a GET-NEXT on its OID answers its ".0".
const UISnmpVar kStatusVars[] = {
    {SCHEDULE("1.1.1"), "dot11ScheduleStatus", synInteger, rw, &options::disableEnable},
    {nullptr},
};
// The rule command group, written in this order; never read.
const UISnmpVar kRuleVars[] = {
    {SCHEDULE("1.2.1"), "dot11ScheduleRuleName", synDisplayString, rw},
    {SCHEDULE("1.2.2"), "dot11ScheduleDaysSelect", synInteger, rw},
    {SCHEDULE("1.2.3"), "dot11ScheduleAllDaySelect", synInteger, rw, &olAllDay},
    {SCHEDULE("1.2.4"), "dot11ScheduleRuleStartTime", synDisplayString, rw},
    {SCHEDULE("1.2.5"), "dot11ScheduleRuleEndTime", synDisplayString, rw},
    {SCHEDULE("1.2.8"), "dot11ScheduleSSIDIndex", synInteger, rw, &olSsidIndex},
    {SCHEDULE("1.2.9"), "dot11ScheduleNodeStatus", synInteger, rw},
    {SCHEDULE("1.2.7"), "dot11ScheduleAction", synInteger, rw, &options::delAdd},
    {nullptr},
};
const UISnmpVar kRuleListVars[] = {
    {SCHEDULE("2.1.1.1"), "dot11ScheduleListIndex", synInteger, vfKey},
    {SCHEDULE("2.1.1.2"), "dot11ScheduleListName", synDisplayString, vfRead},
    {SCHEDULE("2.1.1.3"), "dot11ScheduleListDays", synDisplayString, vfRead},
    {SCHEDULE("2.1.1.4"), "dot11ScheduleListTimeFrame", synDisplayString, vfRead},
    {SCHEDULE("2.1.1.5"), "dot11ScheduleListWirelessStatus", synInteger, vfRead, &olWireless},
    {SCHEDULE("2.1.1.6"), "dot11ScheduleListSSIDIndex", synInteger, vfRead},
    {SCHEDULE("2.1.1.7"), "dot11ScheduleListSSID", synDisplayString, vfRead},
    {SCHEDULE("2.1.1.8"), "dot11ScheduleListNodeStatus", synInteger, vfRead, &olNodeStatus},
    {nullptr},
};
// The node status of the four rows, written in place.
const UISnmpVar kNodeStatusVars[] = {
    {SCHEDULE("2.1.1.8.1"), "dot11ScheduleListNodeStatus", synInteger, rw, &olNodeStatus},
    {SCHEDULE("2.1.1.8.2"), "dot11ScheduleListNodeStatus", synInteger, rw, &olNodeStatus},
    {SCHEDULE("2.1.1.8.3"), "dot11ScheduleListNodeStatus", synInteger, rw, &olNodeStatus},
    {SCHEDULE("2.1.1.8.4"), "dot11ScheduleListNodeStatus", synInteger, rw, &olNodeStatus},
    {nullptr},
};

#undef SCHEDULE

enum RuleVar {
    rvName,
    rvDays,
    rvAllDay,
    rvStart,
    rvEnd,
    rvSsid,
    rvNodeStatus,
    rvAction,
};

// Columns of the hidden rule list: the variables in list order.
constexpr int kListName = 1;
constexpr int kListDays = 2;
constexpr int kListTimeFrame = 3;
constexpr int kListWireless = 4;
constexpr int kListSsidIndex = 5;
constexpr int kListSsid = 6;
constexpr int kListNodeStatus = 7;

// Items of olNodeStatus.
constexpr int kNodeDisable = 0;
constexpr int kNodeEnable = 1;

const char *const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr int kNameMax = 32;
constexpr int kTimeMax = 2;

} // namespace

TFM_Scheduling::TFM_Scheduling(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Schedule"), context)
{
    usePanelStatus(); // the results go to panel 0
    PageControl1 = form().beginTabs("PageControl1");
    form().beginTab("TabSheet1", QStringLiteral("Wireless Schedule Setting"));
    CBox_ScheduleStatus =
        form().addCombo("CBox_ScheduleStatus", QStringLiteral("Wireless Schedule"));
    Ed_ScheduleName = form().addEdit("Ed_ScheduleName", QStringLiteral("Name"), kNameMax);
    Cbox_SchIndex = form().addCombo("Cbox_SchIndex", QStringLiteral("SSID Index"));
    Ed_SchSsid = form().addEdit("Ed_SchSsid", QStringLiteral("SSID"));
    RB_Week = form().addRadioButton("RB_Week", QStringLiteral("All Week ")); // shipped text
    RB_Day = form().addRadioButton("RB_Day", QStringLiteral("Select Day(s)"));
    form().beginColumns();
    for (std::size_t d = 0; d < CheckBox_Day.size(); ++d) {
        if (d > 0) {
            form().nextColumn();
        }
        const QByteArray name = QByteArray("CheckBox_") + kDayNames[d];
        CheckBox_Day[d] = form().addCheck(name.constData(), QLatin1String(kDayNames[d]));
    }
    form().endColumns();
    CheckBox_AllDay = form().addCheck("CheckBox_AllDay", QStringLiteral("All Day(s) - 24hrs"));
    form().beginColumns();
    Ed_StartHour = form().addEdit("Ed_StartHour", QStringLiteral("Start Time"), kTimeMax);
    Ed_EndHour = form().addEdit("Ed_EndHour", QStringLiteral("End Time"), kTimeMax);
    form().nextColumn();
    Ed_StartMinute = form().addEdit("Ed_StartMinute", QStringLiteral(":"), kTimeMax);
    Ed_EndMinute = form().addEdit("Ed_EndMinute", QStringLiteral(":"), kTimeMax);
    form().endColumns();
    Btn_Add = addGroupButton("Btn_Add", QStringLiteral("Add"), &TFM_Scheduling::Btn_AddClick);
    Btn_Clear =
        addFieldButton("Btn_Clear", QStringLiteral("Clear"), &TFM_Scheduling::Btn_ClearClick);
    User_ListView = form().addListView("User_ListView",
        {{QStringLiteral("Name"), -1}, {QStringLiteral("SSID Index"), -1},
            {QStringLiteral("SSID "), -1}, {QStringLiteral("Days"), -1},
            {QStringLiteral("Time Frame"), -1}, {QStringLiteral("Wireless"), -1}},
        true);
    form().endTab();
    form().endTabs();
    Btn_Del = addButton("Btn_Del", QStringLiteral("Delete"), &TFM_Scheduling::Btn_DelClick);
    Btn_Apply = addButton("Btn_Apply", QStringLiteral("Save"), &TFM_Scheduling::Btn_ApplyClick);

    CB_APMode = form().addHiddenCombo("CB_APMode");
    LV_SSID = form().addHiddenList("LV_SSID");
    Ed_day = form().addHiddenEdit("Ed_day");
    Ed_StartTime = form().addHiddenEdit("Ed_StartTime");
    Ed_EndTime = form().addHiddenEdit("Ed_EndTime");
    Ed_ScheduleNodeStatus = form().addHiddenEdit("Ed_ScheduleNodeStatus");
    CB_ScheduleAction = form().addHiddenCombo("CB_ScheduleAction");
    Schedule_ListView = form().addHiddenList("Schedule_ListView");
    LB_Index = form().addHiddenLabel("LB_Index");
    for (std::size_t k = 0; k < CB_NoteStatus.size(); ++k) {
        const QByteArray name = "CB_NoteStatus" + QByteArray::number(int(k) + 1);
        CB_NoteStatus[k] = form().addHiddenCombo(name.constData());
    }
    Ed_DeleteName = form().addHiddenEdit("Ed_DeleteName");
    Ed_ScheduleSSIDIndex = form().addHiddenEdit("Ed_ScheduleSSIDIndex");

    RB_Day->setChecked(true);
    onChange(CBox_ScheduleStatus, &TFM_Scheduling::CBox_ScheduleStatusChange);
    onChange(Cbox_SchIndex, &TFM_Scheduling::Cbox_SchIndexChange);
    onChange(LV_SSID, &TFM_Scheduling::LV_SSIDClick);
    onChange(RB_Week, &TFM_Scheduling::RB_WeekClick);
    onChange(RB_Day, &TFM_Scheduling::RB_DayClick);
    onChange(CheckBox_AllDay, &TFM_Scheduling::CheckBox_AllDayClick);
    onChange(User_ListView, &TFM_Scheduling::User_ListViewClick);
}

void TFM_Scheduling::FormCreate()
{
    // the wireless settings with the AP mode alone left in
    m_mode = makeRequest(wireless::kWirelessNetworkVars, itInstance, 2000);
    for (int i = 0; i < m_mode->Request.Vars.Count(); ++i) {
        if (i != wireless::wnApMode) {
            m_mode->Request.Vars.Var(i).Flags = vfSkip;
        }
    }
    m_mode->BindCombo(wireless::wnApMode, CB_APMode);
    m_ssids = makeRequest(wireless::kMssidSsidVars, itTable, 10000);
    m_ssids->BindFormat(wireless::mssSsid, QStringLiteral("%s"), Ed_SchSsid);
    m_ssids->BindListView(LV_SSID, true);
    m_status = makeRequest(kStatusVars, itTable, 50000);
    bindControls(m_status, {CBox_ScheduleStatus});
    m_rule = makeRequest(kRuleVars, itScalars, 50000, onSetDone(&TFM_Scheduling::ruleWritten));
    bindControls(m_rule,
        {{Ed_ScheduleName, "%s"}, {Ed_day, "%s"}, CheckBox_AllDay, {Ed_StartTime, "%s"},
            {Ed_EndTime, "%s"}, Cbox_SchIndex, {Ed_ScheduleNodeStatus, "%s"}, CB_ScheduleAction});
    m_ruleList = makeRequest(kRuleListVars, itTable, 50000, onGetDone(&TFM_Scheduling::listRead));
    m_ruleList->BindListView(Schedule_ListView, true);
    bindControls(m_ruleList,
        {LB_Index, {Ed_ScheduleName, "%s"}, {Ed_day, "%s"}, nullptr, nullptr, nullptr,
            {Ed_SchSsid, "%s"}, {Ed_ScheduleNodeStatus, "%s"}});
    m_nodeStatus = makeRequest(kNodeStatusVars, itInstance, 10000);
    bindControls(
        m_nodeStatus, {CB_NoteStatus[0], CB_NoteStatus[1], CB_NoteStatus[2], CB_NoteStatus[3]});

    m_mode->Get();
    m_ssids->Get();
    Cbox_SchIndex->setCurrentIndex(0);
    m_status->Get();
    if (!deviceSilent()) {
        m_ruleList->Get();
    }
    for (QLineEdit *edit : {Ed_ScheduleName, Ed_StartHour, Ed_StartMinute, Ed_EndHour, Ed_EndMinute,
             Ed_day, Ed_StartTime, Ed_EndTime, Ed_DeleteName, Ed_ScheduleSSIDIndex}) {
        edit->clear();
    }
    Ed_ScheduleNodeStatus->setText(QStringLiteral("0"));
    LB_Index->clear();
    CBox_ScheduleStatusChange();
    Cbox_SchIndexChange();
    LV_SSIDClick();
    // a wireless client keeps no schedule of its own: the switch stays as the device has it
    m_clientMode = CB_APMode->currentIndex() == options::kApModeWirelessClient;
    if (m_clientMode) {
        CBox_ScheduleStatus->setEnabled(false);
        CBox_ScheduleStatusChange();
    }
}

bool TFM_Scheduling::scheduleOn() const
{
    return CBox_ScheduleStatus->currentIndex() == options::kEnable;
}

void TFM_Scheduling::applyRules()
{
    if (m_nodeStatus == nullptr) {
        return;
    }
    const bool on = scheduleOn();
    // a rule write is not queued behind a walk, nor a walk's rows mixed with a change
    const bool busy = m_rule->Busy || m_ruleList->Busy;
    enable({Cbox_SchIndex, Ed_ScheduleName, RB_Week, RB_Day, CheckBox_AllDay, Btn_Clear}, on);
    for (QCheckBox *day : CheckBox_Day) {
        day->setEnabled(on && !RB_Week->isChecked());
    }
    enable({Ed_StartHour, Ed_StartMinute, Ed_EndHour, Ed_EndMinute},
        on && !CheckBox_AllDay->isChecked());
    User_ListView->setEnabled(on && !busy);
    Btn_Add->setEnabled(on && !busy);
    Btn_Del->setEnabled(on && m_editMode == 1 && !busy);
    Btn_Apply->setEnabled(!busy);
    Ed_SchSsid->setEnabled(false);
    CBox_ScheduleStatus->setEnabled(!m_clientMode);
}

void TFM_Scheduling::CBox_ScheduleStatusChange()
{
    if (scheduleOn()) {
        // the first free row of the list: a new rule
        Schedule_ListView->selectRow(-1);
        Schedule_ListView->selectRow(m_ruleCount);
        showSsid(Cbox_SchIndex->currentIndex()); // the free row has no SSID of its own
        m_editMode = 0;
    }
}

void TFM_Scheduling::showSsid(int ssid)
{
    // selecting the SSID's row fills Ed_SchSsid; it is selected afresh, as its name may have been
    // replaced by a listed rule's
    LV_SSID->selectRow(-1);
    LV_SSID->selectRow(ssid);
}

void TFM_Scheduling::Cbox_SchIndexChange()
{
    Ed_ScheduleSSIDIndex->setText(QString::number(Cbox_SchIndex->currentIndex()));
    showSsid(Cbox_SchIndex->currentIndex());
}

void TFM_Scheduling::LV_SSIDClick()
{
    showSsid(Cbox_SchIndex->currentIndex());
}

void TFM_Scheduling::RB_WeekClick()
{
    if (RB_Week->isChecked()) {
        for (QCheckBox *day : CheckBox_Day) {
            day->setChecked(true);
        }
    }
}

void TFM_Scheduling::RB_DayClick()
{
    if (RB_Day->isChecked() && scheduleOn()) {
        for (QCheckBox *day : CheckBox_Day) {
            day->setChecked(false);
        }
    }
}

void TFM_Scheduling::CheckBox_AllDayClick()
{
    if (CheckBox_AllDay->isChecked()) {
        for (QLineEdit *edit : {Ed_StartHour, Ed_StartMinute, Ed_EndHour, Ed_EndMinute}) {
            edit->clear();
        }
    }
}

void TFM_Scheduling::User_ListViewClick()
{
    const int row = User_ListView->selectedRow();
    Schedule_ListView->selectRow(-1);
    if (row < 0 || row >= Schedule_ListView->topLevelItemCount()) {
        // none, or no rule of the device behind the row (a read failed on the way)
        User_ListView->selectRow(-1);
        m_editMode = 0;
        return;
    }
    // The device keeps its rules in the first rows: visible row k is row k of the hidden list.
    // Selecting it copies the rule into the bound fields.
    Schedule_ListView->selectRow(row);
    const auto cell = [&](int column) { return Schedule_ListView->cell(row, column); };
    m_selectedRow = row;
    m_selected.name = cell(kListName);
    m_selected.ssid = cell(kListSsidIndex).toInt();
    m_selected.nodeStatus = olNodeStatus.ValueOf(cell(kListNodeStatus));
    Ed_DeleteName->setText(m_selected.name);
    Cbox_SchIndex->setCurrentIndex(m_selected.ssid);

    const schedulerules::DaySelection days = schedulerules::daysOf(cell(kListDays));
    m_selected.days = schedulerules::daysValue(days);
    (days.allWeek ? RB_Week : RB_Day)->setChecked(true);
    for (std::size_t d = 0; d < CheckBox_Day.size(); ++d) {
        CheckBox_Day[d]->setChecked(days.days[d]);
    }
    const schedulerules::TimeFrame frame = schedulerules::timeFrameOf(cell(kListTimeFrame));
    m_selected.allDay = frame.allDay;
    m_selected.start = frame.times.startHour + QLatin1Char(':') + frame.times.startMinute;
    m_selected.end = frame.times.endHour + QLatin1Char(':') + frame.times.endMinute;
    CheckBox_AllDay->setChecked(frame.allDay);
    Ed_StartHour->setText(frame.times.startHour);
    Ed_StartMinute->setText(frame.times.startMinute);
    Ed_EndHour->setText(frame.times.endHour);
    Ed_EndMinute->setText(frame.times.endMinute);
    CheckBox_AllDayClick();
    m_editMode = 1;
}

bool TFM_Scheduling::ssidHeld(int ssid, int except) const
{
    for (int row = 0; row < m_ruleCount && row < Schedule_ListView->topLevelItemCount(); ++row) {
        if (row != except && !Schedule_ListView->cell(row, kListName).isEmpty()
            && Schedule_ListView->cell(row, kListSsidIndex) == QString::number(ssid)) {
            return true;
        }
    }
    return false;
}

int TFM_Scheduling::daysOfFields() const
{
    schedulerules::DaySelection selection;
    selection.allWeek = RB_Week->isChecked();
    for (std::size_t d = 0; d < CheckBox_Day.size(); ++d) {
        selection.days[d] = CheckBox_Day[d]->isChecked();
    }
    return schedulerules::daysValue(selection);
}

TFM_Scheduling::Rule TFM_Scheduling::ruleOfFields() const
{
    Rule rule;
    rule.name = Ed_ScheduleName->text();
    rule.days = daysOfFields();
    rule.allDay = CheckBox_AllDay->isChecked();
    rule.start =
        Ed_StartHour->text().trimmed() + QLatin1Char(':') + Ed_StartMinute->text().trimmed();
    rule.end = Ed_EndHour->text().trimmed() + QLatin1Char(':') + Ed_EndMinute->text().trimmed();
    rule.ssid = Cbox_SchIndex->currentIndex();
    return rule;
}

bool TFM_Scheduling::sendRule(const Rule &rule, int action)
{
    // the fields the operator sees are put back once the rule is collected
    const QString name = Ed_ScheduleName->text();
    const bool allDay = CheckBox_AllDay->isChecked();
    const int ssid = Cbox_SchIndex->currentIndex();
    const auto restore = qScopeGuard([&] {
        Ed_ScheduleName->setText(name);
        CheckBox_AllDay->setChecked(allDay);
        Cbox_SchIndex->setCurrentIndex(ssid);
    });
    Ed_ScheduleName->setText(rule.name);
    Ed_day->setText(QString::number(rule.days));
    CheckBox_AllDay->setChecked(rule.allDay);
    Ed_StartTime->setText(rule.start);
    Ed_EndTime->setText(rule.end);
    Cbox_SchIndex->setCurrentIndex(rule.ssid);
    Ed_ScheduleNodeStatus->setText(rule.nodeStatus);
    CB_ScheduleAction->setCurrentIndex(action);
    MemberSwitch write(m_rule);
    write.allIn();
    if (rule.allDay) {
        write.out({rvStart, rvEnd});
    } else {
        write.out(rvAllDay);
    }
    try {
        return write.set();
    } catch (...) {
        m_replace.reset(); // never sent: no completion will take the next step
        throw;
    }
}

bool TFM_Scheduling::deleteReplaced()
{
    const int chosen = Cbox_SchIndex->currentIndex();
    const auto back = qScopeGuard([&] {
        m_rule->Async = true;
        Cbox_SchIndex->setCurrentIndex(chosen);
    });
    Cbox_SchIndex->setCurrentIndex(m_replaced.ssid);
    CB_ScheduleAction->setCurrentIndex(options::kActionDel);
    m_rule->Async = false; // the add waits for the device to have taken the delete
    const QString members = QStringLiteral("%1,%2,%3").arg(rvName).arg(rvSsid).arg(rvAction);
    try {
        return m_rule->Set(true, true, members);
    } catch (...) {
        m_replace.reset();
        throw;
    }
}

void TFM_Scheduling::Btn_AddClick()
{
    const int chosen = Cbox_SchIndex->currentIndex();
    // a rule that is changed may keep its own SSID, never take another rule's
    if (ssidHeld(chosen, m_editMode == 1 ? m_selectedRow : -1)) {
        refuse(nullptr, "Warning", "The SSID has been exist already.", faWarnOnly); // shipped text
        return;
    }
    const FieldCheck names[] = {
        {Ed_ScheduleName, notEmpty(), "The Name field can not be blank.", faFocus, "Warning"},
        {Ed_ScheduleName, [](const QString &t) { return !t.startsWith(QLatin1Char(' ')); },
            "The first character can't be blank.", faFocus, "Error"},
    };
    if (!runChecks(names, "Warning")) {
        return;
    }
    if (RB_Day->isChecked() && daysOfFields() == 0) {
        refuse(nullptr, "Warning", "Please Select Day(s)", faWarnOnly);
        return;
    }
    Rule rule = ruleOfFields();
    rule.nodeStatus = QStringLiteral("1");
    if (!rule.allDay) {
        const schedulerules::TimeCheck check = schedulerules::checkTimes({Ed_StartHour->text(),
            Ed_StartMinute->text(), Ed_EndHour->text(), Ed_EndMinute->text()});
        Ed_StartHour->setText(check.fields.startHour);
        Ed_StartMinute->setText(check.fields.startMinute);
        Ed_EndHour->setText(check.fields.endHour);
        Ed_EndMinute->setText(check.fields.endMinute);
        if (check.message != nullptr) {
            QLineEdit *field = nullptr;
            switch (check.field) {
            case schedulerules::TimeField::StartHour:
                field = Ed_StartHour;
                break;
            case schedulerules::TimeField::StartMinute:
                field = Ed_StartMinute;
                break;
            case schedulerules::TimeField::EndHour:
                field = Ed_EndHour;
                break;
            case schedulerules::TimeField::EndMinute:
                field = Ed_EndMinute;
                break;
            case schedulerules::TimeField::None:
                break;
            }
            refuse(field, "Warning", check.message,
                field != nullptr ? int(faClearAndFocus) : int(faWarnOnly));
            return;
        }
        rule.start = check.start;
        rule.end = check.end;
    }
    m_lastCommand = Command::Add;
    if (m_editMode == 1) {
        // A change: the old rule goes first, and the new one only once the device took that;
        // should the device refuse the new one, the old one is put back.
        m_replaced = m_selected;
        m_replace.begin();
        const bool deleted = deleteReplaced();
        if (m_replace.completed(deleted) == ReplaceCommand::Then::DeleteRefused) {
            reportFailure(QStringLiteral("Save Fail!")); // nothing changed; the fields stay
            return;
        }
    }
    sendRule(rule, options::kActionAdd); // its completion tells how it went
    clear();
}

void TFM_Scheduling::Btn_ClearClick()
{
    clear();
}

void TFM_Scheduling::clear()
{
    RB_Day->setChecked(true);
    CheckBox_AllDay->setChecked(false);
    Cbox_SchIndex->setCurrentIndex(0);
    for (QLineEdit *edit :
        {Ed_ScheduleName, Ed_StartHour, Ed_StartMinute, Ed_EndHour, Ed_EndMinute}) {
        edit->clear();
    }
    RB_WeekClick();
    RB_DayClick();
    User_ListView->selectRow(-1);
    Schedule_ListView->selectRow(-1);
    Cbox_SchIndexChange(); // the SSID shown is index 0's again
    Ed_DeleteName->clear();
    m_editMode = 0;
}

void TFM_Scheduling::Btn_DelClick()
{
    // the rule the operator selected, whatever the SSID index shows now
    Ed_ScheduleSSIDIndex->setText(QString::number(m_selected.ssid));
    if (Ed_DeleteName->text().isEmpty()) {
        return;
    }
    if (confirm(QStringLiteral("Are you sure that you want to delete this entry?"))) {
        Rule rule = ruleOfFields();
        rule.ssid = m_selected.ssid;
        rule.nodeStatus = m_selected.nodeStatus; // the device's number, not the list's text
        m_lastCommand = Command::Delete;
        sendRule(rule, options::kActionDel);
    }
    clear();
}

void TFM_Scheduling::ruleWritten(const VtSNMPError &result)
{
    const bool ok = result.Code == 0;
    switch (m_replace.completed(ok)) {
    case ReplaceCommand::Then::Plain:
        if (!ok) {
            reportFailure(QStringLiteral("Save Fail!"));
            return;
        }
        setStatus(m_lastCommand == Command::Delete ? QStringLiteral("Delete OK!")
                                                   : QStringLiteral("Save OK!"));
        m_ruleList->Get();
        return;
    case ReplaceCommand::Then::Replaced:
        setStatus(QStringLiteral("Save OK!"));
        m_ruleList->Get();
        return;
    case ReplaceCommand::Then::RestoreOld:
        // the new rule was refused after the old one was deleted: the old one is put back
        reportFailure(QStringLiteral("Save Fail!"));
        m_failureStays = true;
        sendRule(m_replaced, options::kActionAdd);
        return;
    case ReplaceCommand::Then::Restored:
        m_failureStays = true;
        m_ruleList->Get();
        return;
    case ReplaceCommand::Then::DeleteRefused:
    case ReplaceCommand::Then::SendNew:
        return; // the delete of a change is sent blocking: its outcome is taken where it is sent
    }
}

void TFM_Scheduling::listRead(const VtSNMPError &result)
{
    const bool failureStays = std::exchange(m_failureStays, false);
    if (result.Code != 0) {
        if (!failureStays) {
            reportFailure(QStringLiteral("Get Fail!"));
        }
        return;
    }
    User_ListView->clear();
    for (int row = 0; row < Schedule_ListView->topLevelItemCount(); ++row) {
        const auto cell = [&](int column) { return Schedule_ListView->cell(row, column); };
        if (cell(kListName).isEmpty()) {
            continue;
        }
        QTreeWidgetItem *item =
            User_ListView->addRow({cell(kListName), olSsidIndex.TextOf(cell(kListSsidIndex)),
                cell(kListSsid), cell(kListDays), cell(kListTimeFrame), cell(kListWireless)});
        item->setCheckState(0,
            cell(kListNodeStatus) == olNodeStatus.Entry(kNodeEnable).Text ? Qt::Checked
                                                                          : Qt::Unchecked);
    }
    m_ruleCount = User_ListView->topLevelItemCount();
    m_editMode = 0;
    if (!failureStays) {
        setStatus(QStringLiteral("Get OK!"));
    }
}

void TFM_Scheduling::Btn_ApplyClick()
{
    bool ok = false;
    {
        // the switch is answered at ".0": its write names that instance
        VtSNMPVarList &vars = m_status->Request.Vars;
        const auto back = qScopeGuard([&] { vars.ItemType = itTable; });
        vars.ItemType = itScalars;
        ok = m_status->Set();
    }
    if (scheduleOn()) {
        const int rows = std::min(User_ListView->topLevelItemCount(), int(CB_NoteStatus.size()));
        if (rows > 0) {
            // Row k of the list is instance k + 1: the device keeps its rules in the first rows.
            MemberSwitch write(m_nodeStatus);
            write.allOut();
            for (int k = 0; k < rows; ++k) {
                write.in(k);
                const bool checked = User_ListView->topLevelItem(k)->checkState(0) == Qt::Checked;
                CB_NoteStatus[std::size_t(k)]->setCurrentIndex(
                    checked ? kNodeEnable : kNodeDisable);
            }
            ok = write.set() && ok;
        }
        m_ruleList->Get();
    }
    if (ok) {
        setStatus(QStringLiteral("Save OK!"));
    } else {
        reportFailure(QStringLiteral("Save Fail!"));
        m_failureStays = m_ruleList->Busy; // the list read after it does not say "Get OK!" over it
    }
    clear();
}
