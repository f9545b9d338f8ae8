// QoS page.
#include "TFM_QosSetting.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "TFM_QosSettingRules.h"

#include <vector>

#include <QByteArray>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

#define QOS(tail) AP_OID("3.7." tail)

// The device's priorities, highest number first: item index is not the value.
const VtOptionList olPriority{
    {3, "Background(BK)"}, {2, "Best Effort(BE)"}, {1, "Video(VI)"}, {0, "Voice(VO)"}};
const VtOptionList olProtocolType{
    {0, "Any"}, {1, "TCP"}, {2, "UDP"}, {3, "Both"}, {4, "ICMP"}, {5, "Other"}};

const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApModeAdvanced},
    {nullptr},
};

const UISnmpVar kStatusVars[] = {
    {QOS("1"), "dot11QosStatus", synInteger, vfRead | vfWrite, &options::disableEnable},
    {nullptr},
};

const UISnmpVar kClassifierVars[] = {
    {QOS("2.1"), "dot11QosHttp", synInteger, vfRead | vfWrite, &options::disableEnable},
    {QOS("2.2"), "dot11QosAutomatic", synInteger, vfRead | vfWrite, &options::disableEnable},
    {nullptr},
};

const UISnmpVar kDeleteVars[] = {
    {QOS("2.4"), "dot11QosRulesDelete", synInteger, vfRead | vfWrite},
    {nullptr},
};

const UISnmpVar kRuleVars[] = {
    {QOS("2.5.1.1"), "dot11QosRulesIndex", synInteger, vfKey},
    {QOS("2.5.1.2"), "dot11QosRulesState", synInteger, vfRead | vfWrite, &options::disableEnable},
    {QOS("2.5.1.3"), "dot11QosRulesName", synDisplayString, vfRead | vfWrite},
    {QOS("2.5.1.4"), "dot11QosRulespriority", synInteger, vfRead | vfWrite, &olPriority},
    {QOS("2.5.1.5"), "dot11QosRulesProtocol", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.6"), "dot11QosRulesProtocolType", synInteger, vfRead | vfWrite, &olProtocolType},
    {QOS("2.5.1.7"), "dot11QosRulesHostOneIpStart", synIpAddress, vfRead | vfWrite},
    {QOS("2.5.1.8"), "dot11QosRulesHostOneIpEnd", synIpAddress, vfRead | vfWrite},
    {QOS("2.5.1.9"), "dot11QosRulesHostOneIpRange", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.10"), "dot11QosRulesHostOnePortStart", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.11"), "dot11QosRulesHostOnePortEnd", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.12"), "dot11QosRulesHostOnePortRange", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.13"), "dot11QosRulesHostTwoIpStart", synIpAddress, vfRead | vfWrite},
    {QOS("2.5.1.14"), "dot11QosRulesHostTwoIpEnd", synIpAddress, vfRead | vfWrite},
    {QOS("2.5.1.15"), "dot11QosRulesHostTwoIpRange", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.16"), "dot11QosRulesHostTwoPortStart", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.17"), "dot11QosRulesHostTwoPortEnd", synInteger, vfRead | vfWrite},
    {QOS("2.5.1.18"), "dot11QosRulesHostTwoPortRange", synInteger, vfRead | vfWrite},
    {nullptr},
};

// The state objects of the listed rules are made at every Save.
const UISnmpVar kNoVars[] = {
    {nullptr},
};

#undef QOS

// Positions in the rule table, and columns of its hidden list.
enum RuleColumn {
    kIndex = 0,
    kState = 1,
    kName = 2,
    kPriority = 3,
    kProtocol = 4,
    kProtocolType = 5,
    kOneIpStart = 6,
    kOneIpEnd = 7,
    kOneIpRange = 8,
    kOnePortStart = 9,
    kOnePortEnd = 10,
    kOnePortRange = 11,
    kTwoIpStart = 12,
    kTwoIpEnd = 13,
    kTwoIpRange = 14,
    kTwoPortStart = 15,
    kTwoPortEnd = 16,
    kTwoPortRange = 17,
};

constexpr int kMaxRules = 64;
constexpr int kBackground = 0; // item of olPriority

const char kStateOid[] = "1.3.6.1.4.1.32473.7310.3.7.2.5.1.2.";

} // namespace

TFM_QosSetting::TFM_QosSetting(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ QoS"), context)
{
    CB_EnableQos =
        form().addCombo("CB_EnableQos", QStringLiteral("Enable QoS(Quality of Service)"));
    form().beginGroup("GB_Classifiers", QStringLiteral("Priority Classifiers"));
    CheckBox_Http = form().addCheck("CheckBox_Http", QStringLiteral("HTTP"));
    CheckBox_Automatic = form().addCheck("CheckBox_Automatic", QStringLiteral("Automatic "));
    form().addLine("LB_Default", QStringLiteral("(default if not matched by anything else) "));
    form().beginGroup("GB_AddRule", QStringLiteral("Add QoS Rule"));
    Ed_QosName = form().addEdit("Ed_QosName", QStringLiteral("Name"));
    CB_Priority = form().addCombo("CB_Priority", QStringLiteral("Priority "));
    CB_Protocol = form().addCombo("CB_Protocol", QStringLiteral("Protocol"));
    Ed_ProtocolName = form().addEdit("Ed_ProtocolName", QString(), 3);
    Ed_IpFrom1 = form().addEdit("Ed_IpFrom1", QStringLiteral("Host 1 IP Range "));
    Ed_IpTo1 = form().addEdit("Ed_IpTo1", QStringLiteral("---"));
    Ed_PortFrom1 = form().addEdit("Ed_PortFrom1", QStringLiteral("Host 1 Port Range"));
    Ed_PortTo1 = form().addEdit("Ed_PortTo1", QStringLiteral("---"));
    Ed_IpFrom2 = form().addEdit("Ed_IpFrom2", QStringLiteral("Host 2 IP Range"));
    Ed_IpTo2 = form().addEdit("Ed_IpTo2", QStringLiteral("---"));
    Ed_PortFrom2 = form().addEdit("Ed_PortFrom2", QStringLiteral("Host 2 Port Range"));
    Ed_PortTo2 = form().addEdit("Ed_PortTo2", QStringLiteral("---"));
    Btn_Add = addGroupButton("Btn_Add", QStringLiteral("Add"), &TFM_QosSetting::Btn_AddClick);
    Btn_Del = addFieldButton("Btn_Del", QStringLiteral("Delete"), &TFM_QosSetting::Btn_DelClick);
    Btn_Clear =
        addFieldButton("Btn_Clear", QStringLiteral("Clear"), &TFM_QosSetting::Btn_ClearClick);
    form().beginGroup("GB_Rules", QStringLiteral("QoS Rules"));
    LV_QosRulesUser = form().addListView("LV_QosRulesUser",
        {{QStringLiteral("Name "), 100}, {QStringLiteral("Priority"), 100},
            {QStringLiteral("Host 1 IP Range"), 180}, {QStringLiteral("Host 2 IP Range "), 180},
            {QStringLiteral("Protocol / Ports "), 160}},
        true);
    form().endGroup();
    Btn_Apply = addButton("Btn_Apply", QStringLiteral("Save"), &TFM_QosSetting::Btn_ApplyClick);

    CB_ApMode = form().addHiddenCombo("CB_ApMode");
    Ed_QosRuleDel = form().addHiddenEdit("Ed_QosRuleDel");
    LV_QosRules = form().addHiddenList("LV_QosRules");
    LB_Index = form().addHiddenLabel("LB_Index");
    CB_QosRulesState = form().addHiddenCombo("CB_QosRulesState");
    Ed_HostOneIpRange = form().addHiddenEdit("Ed_HostOneIpRange");
    Ed_HostOnePortRange = form().addHiddenEdit("Ed_HostOnePortRange");
    Ed_HostTowIpRange = form().addHiddenEdit("Ed_HostTowIpRange");
    Ed_HostTowPortRange = form().addHiddenEdit("Ed_HostTowPortRange");

    onChange(CB_EnableQos, &TFM_QosSetting::CB_EnableQosChange);
    onChange(CB_Protocol, &TFM_QosSetting::CB_ProtocolChange);
    onChange(LV_QosRulesUser, &TFM_QosSetting::LV_QosRulesUserClick);
    Btn_Apply->setEnabled(false); // until the rules have been read
}

// Every request is made before the first read: an opening that ends early leaves none missing.
void TFM_QosSetting::makeRequests()
{
    m_apMode = makeRequest(kApModeVars, itInstance, 10000);
    bindControls(m_apMode, {CB_ApMode});
    m_status = makeRequest(kStatusVars, itScalars, 10000);
    bindControls(m_status, {CB_EnableQos});
    m_classifiers = makeRequest(kClassifierVars, itScalars, 10000);
    bindControls(m_classifiers, {CheckBox_Http, CheckBox_Automatic});
    m_delete = makeRequest(kDeleteVars, itScalars, 10000);
    bindControls(m_delete, {{Ed_QosRuleDel, "%s"}});
    m_rules = makeRequest(kRuleVars, itTable, 10000,
        onDone(&TFM_QosSetting::rulesRead, &TFM_QosSetting::ruleWritten));
    m_rules->BindListView(LV_QosRules, true);
    bindControls(m_rules,
        {LB_Index, CB_QosRulesState, {Ed_QosName, "%s"}, CB_Priority, {Ed_ProtocolName, "%u"},
            CB_Protocol, {Ed_IpFrom1, "%s"}, {Ed_IpTo1, "%s"}, {Ed_HostOneIpRange, "%s"},
            {Ed_PortFrom1, "%s"}, {Ed_PortTo1, "%s"}, {Ed_HostOnePortRange, "%s"},
            {Ed_IpFrom2, "%s"}, {Ed_IpTo2, "%s"}, {Ed_HostTowIpRange, "%s"}, {Ed_PortFrom2, "%s"},
            {Ed_PortTo2, "%s"}, {Ed_HostTowPortRange, "%s"}});
    m_ruleStates = makeRequest(kNoVars, itInstance, 10000);
    m_ruleStates->BeforeSetHook = [this] {
        showProgress(
            QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    };
}

void TFM_QosSetting::FormCreate()
{
    makeRequests();
    // Read failures are not reported: the controls show what the failed read left in them.
    m_apMode->Get();
    m_status->Get();
    apModeRule();
    m_classifiers->Get();
    m_rules->Get();
}

void TFM_QosSetting::applyRules()
{
    if (m_rules == nullptr) {
        return;
    }
    const bool busy = m_rules->Busy;
    // a write is never queued behind the table's read or write
    Btn_Add->setEnabled(m_qosControls && m_buttonState != kFull && !busy);
    Btn_Del->setEnabled(m_qosControls && m_buttonState == kSelected);
    Btn_Clear->setEnabled(m_qosControls);
    Btn_Apply->setEnabled(m_applyEnabled);
    // closable unless the table is being read or written
    setCloseLocked(busy || m_readFollows);
}

void TFM_QosSetting::apModeRule()
{
    if (CB_ApMode->currentIndex() == options::kApModeWirelessClient) {
        pin(CB_EnableQos, options::kDisable); // a wireless client has no QoS
    } else {
        CB_EnableQos->setEnabled(true);
    }
}

void TFM_QosSetting::enableRule()
{
    m_qosControls = CB_EnableQos->currentIndex() == options::kEnable;
    enable({CheckBox_Http, CheckBox_Automatic, Ed_QosName, CB_Priority, CB_Protocol, Ed_IpFrom1,
               Ed_IpTo1, Ed_IpFrom2, Ed_IpTo2, Ed_PortFrom1, Ed_PortTo1, Ed_PortFrom2, Ed_PortTo2,
               LV_QosRulesUser},
        m_qosControls);
    Ed_ProtocolName->setEnabled(false);
    protocolRule();
}

// The protocol decides the number and whether ports apply; nothing is enabled while QoS is off.
void TFM_QosSetting::protocolRule()
{
    const qos::ProtocolRule rule = qos::protocolRule(CB_Protocol->currentIndex());
    if (rule.number != nullptr) {
        Ed_ProtocolName->setText(QLatin1String(rule.number));
    }
    Ed_ProtocolName->setEnabled(m_qosControls && rule.numberEditable);
    enable({Ed_PortFrom1, Ed_PortTo1, Ed_PortFrom2, Ed_PortTo2}, m_qosControls && rule.ports);
}

TFM_QosSetting::ButtonState TFM_QosSetting::roomState() const
{
    return m_count < kMaxRules ? kAdding : kFull;
}

bool TFM_QosSetting::selectRuleRow(int row)
{
    // cleared first: selecting the row already selected would not fill the controls again
    LV_QosRules->selectRow(-1);
    if (row < 0 || row >= LV_QosRules->topLevelItemCount()) {
        return false;
    }
    LV_QosRules->selectRow(row);
    return true;
}

void TFM_QosSetting::selectFirstEmptyRow()
{
    for (int row = 0; row < LV_QosRules->topLevelItemCount(); ++row) {
        if (LV_QosRules->cell(row, kName).isEmpty()) {
            selectRuleRow(row);
            return;
        }
    }
    LV_QosRules->selectRow(-1); // no empty row: nothing a new rule could go into
}

void TFM_QosSetting::rulesRead(const VtSNMPError &result)
{
    m_readFollows = false;
    if (result.Code != 0) {
        setStatus(result.Message); // the list keeps its rows
        return;
    }
    // The device keeps its rules in the first rows, numbered from 1: visible row i is hidden row i.
    LV_QosRulesUser->clear();
    for (int row = 0; row < LV_QosRules->topLevelItemCount(); ++row) {
        auto cell = [&](int column) { return LV_QosRules->cell(row, column); };
        if (cell(kName).isEmpty()) {
            continue;
        }
        QTreeWidgetItem *item = LV_QosRulesUser->addRow(
            {cell(kName), cell(kPriority), cell(kOneIpStart) + QLatin1Char('~') + cell(kOneIpEnd),
                cell(kTwoIpStart) + QLatin1Char('~') + cell(kTwoIpEnd),
                qos::protocolPortsText(cell(kProtocolType), cell(kOnePortStart), cell(kOnePortEnd),
                    cell(kTwoPortStart), cell(kTwoPortEnd))});
        item->setCheckState(
            0, cell(kState) == QLatin1String("Enable") ? Qt::Checked : Qt::Unchecked);
    }
    m_count = LV_QosRulesUser->topLevelItemCount();
    m_buttonState = roomState();
    Btn_ClearClick(); // selects the first empty row as the target of the next add
    apModeRule();
    enableRule();
    setStatus(QStringLiteral("Get OK!"));
    m_applyEnabled = true;
}

void TFM_QosSetting::ruleWritten(const VtSNMPError &result)
{
    closeProgress();
    if (result.Code != 0) {
        setStatus(result.Message);
        return;
    }
    m_readFollows = true; // the binding reads the table again
}

void TFM_QosSetting::CB_EnableQosChange()
{
    enableRule();
}

void TFM_QosSetting::CB_ProtocolChange()
{
    protocolRule();
}

void TFM_QosSetting::LV_QosRulesUserClick()
{
    const int row = LV_QosRulesUser->selectedRow();
    if (row >= 0 && selectRuleRow(row)) {
        Ed_QosRuleDel->setText(LB_Index->text());
        m_buttonState = kSelected;
    } else {
        m_buttonState = roomState();
        selectFirstEmptyRow();
    }
    for (QLineEdit *edit : {Ed_IpFrom1, Ed_IpTo1, Ed_IpFrom2, Ed_IpTo2, Ed_PortFrom1, Ed_PortTo1,
             Ed_PortFrom2, Ed_PortTo2}) {
        if (edit->text() == QLatin1String("0") || edit->text() == QLatin1String("0.0.0.0")) {
            edit->clear();
        }
    }
    protocolRule();
}

void TFM_QosSetting::Btn_ClearClick()
{
    selectFirstEmptyRow();
    for (QLineEdit *edit : {Ed_QosName, Ed_IpFrom1, Ed_IpTo1, Ed_IpFrom2, Ed_IpTo2, Ed_PortFrom1,
             Ed_PortTo1, Ed_PortFrom2, Ed_PortTo2, Ed_QosRuleDel}) {
        edit->clear();
    }
    // nothing selected to delete or replace any more
    m_buttonState = roomState();
    CB_Protocol->setCurrentIndex(qos::kProtocolAny);
    protocolRule();
    CB_Priority->setCurrentIndex(kBackground);
}

bool TFM_QosSetting::addChecksPass()
{
    const QString name = Ed_QosName->text();
    if (name.isEmpty()) {
        return refuse(Ed_QosName, "Warning", "The Name field can not be blank.");
    }
    if (name.startsWith(QLatin1Char(' '))) {
        return refuse(Ed_QosName, "Error", "The first character can't be blank.");
    }
    if (!qos::validProtocolNumber(Ed_ProtocolName->text())) {
        return refuse(Ed_ProtocolName, "Warning", "Invalid Port.");
    }
    const char kBadAddress[] = "Invalid IP address!";
    const char kBadRange[] = "Invalid IP address Range!";
    for (QLineEdit *edit : {Ed_IpFrom1, Ed_IpTo1}) {
        if (edit->text().isEmpty() || edit->text() == QLatin1String("0.0.0.0")) {
            return refuse(edit, "Warning", kBadAddress);
        }
    }
    for (QLineEdit *edit : {Ed_IpFrom1, Ed_IpTo1}) {
        if (!CheckIPAddress(edit->text())) {
            return refuse(edit, "Waring", kBadAddress, faClearAndFocus); // shipped text
        }
    }
    if (qos::addressValue(Ed_IpTo1->text()) < qos::addressValue(Ed_IpFrom1->text())
        || !qos::sameNetwork(Ed_IpFrom1->text(), Ed_IpTo1->text())) {
        return refuse(Ed_IpTo1, "Warning", kBadRange);
    }
    Ed_HostOneIpRange->setText(
        QString::number(qos::addressCount(Ed_IpFrom1->text(), Ed_IpTo1->text())));
    if (qos::protocolRule(CB_Protocol->currentIndex()).ports) {
        const std::pair<QLineEdit *, QLineEdit *> hosts[] = {
            {Ed_PortFrom1, Ed_PortTo1}, {Ed_PortFrom2, Ed_PortTo2}};
        for (const auto &[start, end] : hosts) {
            // a text that is no number is no port either
            for (QLineEdit *port : {start, end}) {
                if (!port->text().isEmpty() && !qos::validPort(port->text())) {
                    return refuse(port, "Waring", "Invalid port!");
                }
            }
            if (!start->text().isEmpty() && !end->text().isEmpty()
                && end->text().toInt() < start->text().toInt()) {
                return refuse(end, "Waring", "Invalid Port Range!");
            }
        }
    }
    if (!Ed_IpFrom2->text().isEmpty()) {
        if (!CheckIPAddress(Ed_IpFrom2->text())) {
            return refuse(Ed_IpFrom2, "Waring", kBadAddress, faClearAndFocus);
        }
        setIfEmpty(Ed_IpTo2, Ed_IpFrom2->text()); // a single address
        if (!CheckIPAddress(Ed_IpTo2->text())) {
            return refuse(Ed_IpTo2, "Waring", kBadAddress, faClearAndFocus);
        }
        if (qos::addressValue(Ed_IpTo2->text()) < qos::addressValue(Ed_IpFrom2->text())
            || !qos::sameNetwork(Ed_IpFrom2->text(), Ed_IpTo2->text())) {
            return refuse(Ed_IpTo2, "Warning", kBadRange);
        }
    } else if (!Ed_IpTo2->text().isEmpty() && !CheckIPAddress(Ed_IpTo2->text())) {
        // the end goes out as typed even without a start: it must be an address
        return refuse(Ed_IpTo2, "Waring", kBadAddress, faClearAndFocus);
    }
    return true;
}

void TFM_QosSetting::Btn_AddClick()
{
    if (m_rules->Busy || LV_QosRules->selectedRow() < 0) {
        return;
    }
    if (!addChecksPass()) {
        return;
    }
    // into the row selected: the empty row chosen after a read or a Clear, or the rule clicked
    // last, which is thereby replaced
    MemberSwitch write(m_rules);
    for (int column = kState; column <= kTwoPortRange; ++column) {
        write.in(column);
    }
    if (qos::protocolRule(CB_Protocol->currentIndex()).ports) {
        const struct
        {
            QLineEdit *start;
            QLineEdit *end;
            QLineEdit *count;
            int column; // the start's column; the end and the count follow it
        } hosts[] = {{Ed_PortFrom1, Ed_PortTo1, Ed_HostOnePortRange, kOnePortStart},
            {Ed_PortFrom2, Ed_PortTo2, Ed_HostTowPortRange, kTwoPortStart}};

        for (const auto &host : hosts) {
            const bool start = !host.start->text().isEmpty();
            const bool end = !host.end->text().isEmpty();
            write.include(host.column, start).include(host.column + 1, end);
            write.include(host.column + 2, start && end);
            if (start && end) {
                host.count->setText(
                    QString::number(qos::portCount(host.start->text(), host.end->text())));
            }
        }
    } else {
        write.out(
            {kOnePortStart, kOnePortEnd, kOnePortRange, kTwoPortStart, kTwoPortEnd, kTwoPortRange});
    }
    if (Ed_IpFrom2->text().isEmpty()) {
        write.out({kTwoIpStart, kTwoIpRange});
    } else {
        Ed_HostTowIpRange->setText(
            QString::number(qos::addressCount(Ed_IpFrom2->text(), Ed_IpTo2->text())));
    }
    CB_QosRulesState->setCurrentIndex(options::kEnable);
    showProgress(QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    setStatus(QStringLiteral("Adding QOS!"));
    write.set();
}

void TFM_QosSetting::Btn_DelClick()
{
    const int row = LV_QosRulesUser->selectedRow();
    if (row < 0
        || !confirm(QStringLiteral("Are you sure you want to delete ")
            + LV_QosRulesUser->cell(row, 0) + QLatin1Char('?'))) {
        return;
    }
    if (!m_delete->Set()) {
        reportFailure(QStringLiteral("Delete Fail!"));
        return;
    }
    m_rules->Get();
    setStatus(QStringLiteral("Delete OK!"));
}

bool TFM_QosSetting::readRuleStates()
{
    // One state object per listed rule: rule i (from 0) is the device's row i + 1.
    const int n = LV_QosRulesUser->topLevelItemCount();
    std::vector<QByteArray> oids;
    std::vector<QByteArray> names;
    for (int i = 1; i <= n; ++i) {
        oids.push_back(QByteArray(kStateOid) + QByteArray::number(i));
        names.push_back(QByteArrayLiteral("dot11QosRulesState") + QByteArray::number(i));
    }
    std::vector<UISnmpVar> table;
    for (std::size_t i = 0; i < oids.size(); ++i) {
        table.push_back({oids[i].constData(), names[i].constData(), synInteger, vfRead | vfWrite,
            &options::disableEnable});
    }
    table.push_back({nullptr});
    m_ruleStates->Request.Vars = VtSNMPVarList(table.data(), itInstance);
    // the read's outcome decides: a read of one instance list shows its row whatever became of it
    if (!m_ruleStates->Get()) {
        return false;
    }
    for (int i = 0; i < n; ++i) {
        const bool checked = LV_QosRulesUser->topLevelItem(i)->checkState(0) == Qt::Checked;
        m_ruleStates->Request.Vars.Var(i).Value =
            options::disableEnable.Entry(checked ? options::kEnable : options::kDisable).Text;
    }
    return true;
}

void TFM_QosSetting::Btn_ApplyClick()
{
    const bool enabling = CB_EnableQos->currentIndex() == options::kEnable;
    bool anyChecked = false;
    for (int row = 0; row < LV_QosRulesUser->topLevelItemCount(); ++row) {
        anyChecked = anyChecked || LV_QosRulesUser->topLevelItem(row)->checkState(0) == Qt::Checked;
    }
    if (enabling && !anyChecked && !CheckBox_Http->isChecked()
        && !CheckBox_Automatic->isChecked()) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("All traffic will be treated as priority of 'Best Effort'\nbecause of "
                           "priority classifier specified and empty rule table."));
    }
    if (!enabling) {
        if (m_status->Set()) {
            setStatus(QStringLiteral("Save OK!"));
        } else {
            reportFailure(m_status->Request.LastError.Message);
        }
        return;
    }
    m_applyEnabled = false; // until the rules have been read again
    if (!readRuleStates()) {
        reportFailure(m_ruleStates->Request.LastError.Message); // nothing is written
        return;
    }
    // The states, the switch and the classifiers, each attempted; the first refusal is said.
    WriteSequence save(*this);
    QString refusal;
    auto note = [&](bool written, VtSNMPRequest2Edits *request) {
        if (!written && refusal.isEmpty()) {
            refusal = request->Request.LastError.Message;
        }
    };
    note(save.step([this] { return m_ruleStates->Set(true, false); }), m_ruleStates);
    note(save.write(m_status), m_status);
    note(save.write(m_classifiers), m_classifiers);
    closeProgress();
    if (save.ok()) {
        setStatus(QStringLiteral("Save OK!"));
    } else if (!refusal.isEmpty()) {
        reportFailure(refusal);
    }
    m_rules->Get();
}
