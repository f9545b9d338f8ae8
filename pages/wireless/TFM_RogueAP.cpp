// Wireless intrusion protection page.
#include "TFM_RogueAP.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "VtOptionList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabWidget>

namespace {

#define ROGUE(tail) AP_OID("3.4.4." tail)

const VtOptionList olRefresh{{0, "nothing"}, {1, "refresh"}};
const VtOptionList olMode{{1, "B"}, {2, "G"}, {3, "N"}, {4, "A"}};
const VtOptionList olType{{1, "new"}, {2, "valid"}, {3, "neighborhood"}, {4, "rogue"}};
const VtOptionList olStatus{{2, "up"}, {1, "down"}};

// The scalars of this page are answered at ".0" (itScalars).
const UISnmpVar kRefreshVars[] = {
    {ROGUE("1"), "dot11RogueApSurveyRefresh", synInteger, vfRead | vfWrite, &olRefresh},
    {nullptr},
};
const UISnmpVar kSurveyVars[] = {
    {ROGUE("4.1.1"), "dot11RogueApSurveyIndex", synInteger, vfKey},
    {ROGUE("4.1.3"), "dot11RogueApSurveyChannel", synInteger, vfRead},
    {ROGUE("4.1.5"), "dot11RogueApSurveyBssid", synMacAddress, vfRead},
    {ROGUE("4.1.8"), "dot11RogueApSurveyMode", synInteger, vfRead, &olMode},
    {ROGUE("4.1.9"), "dot11RogueApSurveySsid", synDisplayString, vfRead},
    {ROGUE("4.1.10"), "dot11RogueApSurveyLastseem", synDisplayString, vfRead},
    {ROGUE("4.1.11"), "dot11RogueApSurveyType", synInteger, vfRead, &olType},
    {ROGUE("4.1.12"), "dot11RogueApSurveyStatus", synInteger, vfRead, &olStatus},
    {nullptr},
};
// Each takes the survey index of the access point it classifies.
const UISnmpVar kValidVars[] = {
    {ROGUE("5"), "dot11RogueApAddtoValid", synInteger, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kNeighbourVars[] = {
    {ROGUE("6"), "dot11RogueApAddtoNeighbor", synInteger, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kRogueVars[] = {
    {ROGUE("7"), "dot11RogueApAddtoRouge", synInteger, vfRead | vfWrite}, // shipped name
    {nullptr},
};
const UISnmpVar kNewVars[] = {
    {ROGUE("8"), "dot11RogueApAddtoNew", synInteger, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kMarkVars[] = {
    {ROGUE("9"), "dot11RogueApAllNewNodesAsValid", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {ROGUE("10"), "dot11RogueApUnknownAccessNodesAsRogue", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};

#undef ROGUE

enum MarkVar {
    kMarkValid,
    kMarkRogue,
};

// Columns of the hidden survey list: the variables in list order.
constexpr int kSurveyIndex = 0;
constexpr int kSurveyChannel = 1;
constexpr int kSurveyBssid = 2;
constexpr int kSurveyMode = 3;
constexpr int kSurveySsid = 4;
constexpr int kSurveyLastSeen = 5;
constexpr int kSurveyType = 6;
constexpr int kSurveyStatus = 7;

// Columns of the visible list.
constexpr int kShownBssid = 4;

// Items of CB_OperatorType.
constexpr int kFilterAll = 0;
constexpr int kFilterNew = 4;

constexpr int kRefreshItem = 1; // item of olRefresh

const char kFirstLine[] = "Please wait...";

} // namespace

TFM_RogueAP::TFM_RogueAP(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Intrusion"), context)
{
    usePanelStatus(); // every text of this page goes to panel 0
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    PageControl1 = form().beginTabs("PageControl1");
    form().beginTab("TabSheet1", QStringLiteral("Wireless Intrusion Protection"));
    Btn_Detect =
        addGroupButton("Btn_Detect", QStringLiteral("Detect"), &TFM_RogueAP::Btn_DetectClick);
    form().beginGroup("GB_APList", QStringLiteral("AP List"));
    CB_OperatorType = form().addCombo("CB_OperatorType", QString());
    CheckBox_SelectAll = form().addCheck("CheckBox_SelectAll", QStringLiteral("Select All"));
    AP_UserListView = form().addListView("AP_UserListView",
        {{QStringLiteral("Type"), 80}, {QStringLiteral("Band "), -1}, {QStringLiteral("CH"), -1},
            {QStringLiteral("SSID"), 100}, {QStringLiteral("BSSID"), 100},
            {QStringLiteral("Last Seen "), 150}, {QStringLiteral("Status "), -1}},
        true);
    Btn_SetValid = addGroupButton(
        "Btn_SetValid", QStringLiteral("Set as Valid"), &TFM_RogueAP::Btn_SetValidClick);
    Btn_SetNeigh = addGroupButton(
        "Btn_SetNeigh", QStringLiteral("Set as Neighborhood"), &TFM_RogueAP::Btn_SetNeighClick);
    Btn_SetRogue = addGroupButton(
        "Btn_SetRogue", QStringLiteral("Set as Rogue"), &TFM_RogueAP::Btn_SetRogueClick);
    Btn_SetNew =
        addGroupButton("Btn_SetNew", QStringLiteral("Set as New"), &TFM_RogueAP::Btn_SetNewClick);
    form().endGroup();
    // the trailing blanks are the device's
    RB_MarkAllValid = form().addRadioButton(
        "RB_MarkAllValid", QStringLiteral("Mark All New Access Points as Valid Access Points "));
    RB_MarkAllRogue = form().addRadioButton(
        "RB_MarkAllRogue", QStringLiteral("Mark All New Access Points as Rogue Access Points "));
    Btn_Apply = addGroupButton("Btn_Apply", QStringLiteral("Save"), &TFM_RogueAP::Btn_ApplyClick);
    form().endTab();
    form().endTabs();

    CB_Refresh = form().addHiddenCombo("CB_Refresh");
    AP_ListView = form().addHiddenList("AP_ListView");
    Ed_Valid = form().addHiddenEdit("Ed_Valid");
    Ed_Neigh = form().addHiddenEdit("Ed_Neigh");
    Ed_Rogue = form().addHiddenEdit("Ed_Rogue");
    Ed_New = form().addHiddenEdit("Ed_New");
    CheckBox_MarkAllValid = form().addHiddenCheck("CheckBox_MarkAllValid");
    CheckBox_MarkAllRogue = form().addHiddenCheck("CheckBox_MarkAllRogue");

    CB_OperatorType->addItems({QStringLiteral("All"), QStringLiteral("Valid"),
        QStringLiteral("Neighborhood"), QStringLiteral("Rogue"), QStringLiteral("New")});
    CheckBox_SelectAll->setEnabled(false);
    RB_MarkAllValid->setChecked(true);
    onChange(CB_OperatorType, &TFM_RogueAP::CB_OperatorTypeChange);
    onChange(CheckBox_SelectAll, &TFM_RogueAP::CheckBox_SelectAllClick);
}

void TFM_RogueAP::FormCreate()
{
    m_refresh =
        makeRequest(kRefreshVars, itScalars, 10000, onSetDone(&TFM_RogueAP::surveyRefreshed));
    bindControls(m_refresh, {CB_Refresh});
    m_survey = makeRequest(kSurveyVars, itTable, 10000, onGetDone(&TFM_RogueAP::surveyRead));
    m_survey->BindListView(AP_ListView, false);
    m_valid = makeRequest(kValidVars, itScalars, 10000);
    bindControls(m_valid, {{Ed_Valid, "%s"}});
    m_neighbour = makeRequest(kNeighbourVars, itScalars, 10000);
    bindControls(m_neighbour, {{Ed_Neigh, "%s"}});
    m_rogue = makeRequest(kRogueVars, itScalars, 10000);
    bindControls(m_rogue, {{Ed_Rogue, "%s"}});
    m_new = makeRequest(kNewVars, itScalars, 10000);
    bindControls(m_new, {{Ed_New, "%s"}});
    m_mark = makeRequest(kMarkVars, itScalars, 10000);
    bindControls(m_mark, {CheckBox_MarkAllValid, CheckBox_MarkAllRogue});

    for (VtSNMPRequest2Edits *classification : {m_valid, m_neighbour, m_rogue, m_new}) {
        classification->Get();
    }
    // The policy the device holds: Save writes the checked choice, so it must show what the device
    // has, not always "valid". Neither, both or a failed read leave "valid".
    if (m_mark->Get() && CheckBox_MarkAllRogue->isChecked()
        && !CheckBox_MarkAllValid->isChecked()) {
        RB_MarkAllRogue->setChecked(true);
    }
    CB_OperatorType->setCurrentIndex(kFilterAll);
    Btn_Detect->setFocus(Qt::OtherFocusReason);
}

void TFM_RogueAP::applyRules()
{
    const bool idle = !m_scanning;
    enable({Btn_Detect, Btn_SetValid, Btn_SetNeigh, Btn_SetRogue, Btn_SetNew, Btn_Apply,
               CB_OperatorType, AP_ListView},
        idle);
    const int filter = CB_OperatorType->currentIndex();
    const bool markable = filter == kFilterAll || filter == kFilterNew;
    enable({RB_MarkAllValid, RB_MarkAllRogue}, idle && markable);
    CheckBox_SelectAll->setEnabled(idle && m_selectAllAllowed);
}

void TFM_RogueAP::rebuild(const QString &filter)
{
    AP_UserListView->clear();
    const bool all = filter == QLatin1String("all");
    for (int row = 0; row < AP_ListView->topLevelItemCount(); ++row) {
        const QString type = AP_ListView->cell(row, kSurveyType);
        if (!all && type != filter) {
            continue;
        }
        AP_UserListView->addRow(
            {type, AP_ListView->cell(row, kSurveyMode), AP_ListView->cell(row, kSurveyChannel),
                AP_ListView->cell(row, kSurveySsid), AP_ListView->cell(row, kSurveyBssid),
                AP_ListView->cell(row, kSurveyLastSeen), AP_ListView->cell(row, kSurveyStatus)});
    }
}

void TFM_RogueAP::Btn_DetectClick()
{
    startScan(QStringLiteral("The device is scanning."));
}

void TFM_RogueAP::startScan(const QString &secondLine)
{
    m_scanning = true; // before the write: a failure may complete it at once
    auto failed = qScopeGuard([this] { endScan(); });
    showProgress(QLatin1String(kFirstLine), secondLine);
    CB_Refresh->setCurrentIndex(kRefreshItem);
    m_refresh->Set();
    failed.dismiss();
}

void TFM_RogueAP::endScan()
{
    m_scanning = false;
    closeProgress();
}

void TFM_RogueAP::surveyRefreshed(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
        endScan();
        return;
    }
    // the device has scanned: read what it found
    setStatus(QStringLiteral("Refresh...!"));
    m_survey->Get();
}

void TFM_RogueAP::surveyRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message); // the visible list keeps its rows
        endScan();
        return;
    }
    // a scan shows every access point found, and the filter says so
    CB_OperatorType->setCurrentIndex(kFilterAll);
    rebuild(QStringLiteral("all"));
    m_selectAllAllowed = AP_UserListView->topLevelItemCount() > 0;
    CheckBox_SelectAll->setChecked(false);
    endScan();
    setStatus(QStringLiteral("Get OK!"));
}

void TFM_RogueAP::CB_OperatorTypeChange()
{
    rebuild(CB_OperatorType->currentText().toLower());
}

void TFM_RogueAP::CheckBox_SelectAllClick()
{
    const Qt::CheckState state = CheckBox_SelectAll->isChecked() ? Qt::Checked : Qt::Unchecked;
    for (int row = 0; row < AP_UserListView->topLevelItemCount(); ++row) {
        AP_UserListView->topLevelItem(row)->setCheckState(0, state);
    }
}

void TFM_RogueAP::classify(VtSNMPRequest2Edits *request, QLineEdit *edit)
{
    QStringList bssids;
    for (int row = 0; row < AP_UserListView->topLevelItemCount(); ++row) {
        if (AP_UserListView->topLevelItem(row)->checkState(0) == Qt::Checked) {
            bssids.append(AP_UserListView->cell(row, kShownBssid));
        }
    }
    if (bssids.isEmpty()) {
        inform(QStringLiteral("Waring"), QStringLiteral("No entry click!")); // shipped text
        return;
    }
    // One write per checked access point, with the survey index the device knows it by. A refused
    // one shows nothing; the scan that follows shows what the device made of them.
    for (const QString &bssid : bssids) {
        for (int row = 0; row < AP_ListView->topLevelItemCount(); ++row) {
            if (AP_ListView->cell(row, kSurveyBssid) == bssid) {
                edit->setText(AP_ListView->cell(row, kSurveyIndex));
                request->Set();
                break;
            }
        }
    }
    startScan(QStringLiteral("The settings are saving now."));
}

void TFM_RogueAP::Btn_SetValidClick()
{
    classify(m_valid, Ed_Valid);
}

void TFM_RogueAP::Btn_SetNeighClick()
{
    classify(m_neighbour, Ed_Neigh);
}

void TFM_RogueAP::Btn_SetRogueClick()
{
    classify(m_rogue, Ed_Rogue);
}

void TFM_RogueAP::Btn_SetNewClick()
{
    classify(m_new, Ed_New);
}

void TFM_RogueAP::Btn_ApplyClick()
{
    const bool rogue = RB_MarkAllRogue->isChecked();
    if (!rogue && !RB_MarkAllValid->isChecked()) {
        return;
    }
    CheckBox_MarkAllRogue->setChecked(rogue);
    CheckBox_MarkAllValid->setChecked(!rogue);
    bool ok = false;
    {
        // Only the chosen policy goes, as Enable; the device turns the other one off itself.
        MemberSwitch write(m_mark);
        write.in(rogue ? kMarkRogue : kMarkValid).out(rogue ? kMarkValid : kMarkRogue);
        ok = write.set();
    }
    if (!ok) {
        reportFailure(QStringLiteral("Set Error!"));
        return;
    }
    startScan(QStringLiteral("The settings are saving now."));
    setStatus(QStringLiteral("Set OK!"));
}
