// Advanced \ Multi-SSID.
#include "TFM_MultiSSIDNewForm.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SecurityChecks.h"
#include "SharedOptions.h"
#include "TypingLimit.h"
#include "WirelessTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>

using namespace mssidrules;
using security::SecurityKind;

namespace {

const VtOptionList olDisabledEnabled{{0, "Disabled"}, {1, "Enabled"}};

constexpr int kDisabled = 0;
constexpr int kEnabled = 1;

const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApModeAdvanced},
    {nullptr},
};
const UISnmpVar kBandVars[] = {
    {mib::dot11Band, "dot11Band", synInteger, vfRead, &options::dot11Band},
    {nullptr},
};
const UISnmpVar kStateVars[] = {
    {AP_OID("3.3.1.1.1.1"), "dot11MssidState", synInteger, vfRead | vfWrite, &olDisabledEnabled},
    {AP_OID("3.3.1.1.2.1"), "dot11MssidPriorityState", synInteger, vfRead | vfWrite,
        &olDisabledEnabled},
    {nullptr},
};

// Every column of an SSID row after its two index parts.
const std::initializer_list<int> kRowMembers = {wireless::msIndividualState, wireless::msSsid,
    wireless::msSuppress, wireless::msAuthentication, wireless::msEncryption,
    wireless::msWepKeyIndex, wireless::msWepKey, wireless::msVlanTagId, wireless::msCipherType,
    wireless::msPassPhrase, wireless::msKeyType, wireless::msWmm,
    wireless::msGroupKeyUpdateInterval, wireless::msPriority, wireless::msAutoRekeyControl,
    wireless::msAutoRekeyStartWeek, wireless::msAutoRekeyStartTime,
    wireless::msAutoRekeyTimeInterval, wireless::msAutoRekeyPassPhrase};

const char kIntervalText[] = "Please input a number between 300 and 9999999.";
const char kConfirmText[] = "Please input the confirm new password correctly!";

QStringList numbers(int count)
{
    QStringList items;
    for (int n = 0; n < count; ++n) {
        items.append(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
    }
    return items;
}

} // namespace

const char TFM_MultiSSIDNewForm::kWarningArmedKey[] = "TFM_MultiSSIDNewForm/apModeWarningArmed";

TFM_MultiSSIDNewForm::TFM_MultiSSIDNewForm(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Multi-SSID"), context)
{
    usePanelStatus();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    form().beginColumns();
    IfEnabMuSSID = form().addCheck("IfEnabMuSSID", QStringLiteral("Enable Multi-SSID "));
    CB_Band = form().addCombo("CB_Band", QStringLiteral("Band:"));
    CB_Index = form().addCombo("CB_Index", QStringLiteral("Index:"));
    Ed_SSID = form().addEdit("Ed_SSID", QStringLiteral("SSID:"), 32);
    CB_SsidBroadcast = form().addCombo("CB_SsidBroadcast", QStringLiteral("SSID Visibility:"));
    CB_SSIDSecurityMode = form().addCombo("CB_SSIDSecurityMode", QStringLiteral("Security:"));
    CB_WMM = form().addCombo("CB_WMM", QStringLiteral("WMM(Wi-Fi Multimedia):"));
    Chk_MultiPri = form().addCheck("Chk_MultiPri", QStringLiteral("Enable Priority"));
    Cbox_Priority = form().addCombo("Cbox_Priority", QStringLiteral("Priority"));
    GB_KeySettings = form().beginGroup("GB_KeySettings", QStringLiteral("Key Settings"));
    CB_MssidEncryption = form().addCombo("CB_MssidEncryption", QStringLiteral("Encryption:"));
    CB_WepEncryp = form().addCombo("CB_WepEncryp", QStringLiteral("Key Size :  "));
    CB_KeyType = form().addCombo("CB_KeyType", QStringLiteral("Key Type : "));
    CB_DefaultKey = form().addCombo("CB_DefaultKey", QStringLiteral("Key Index(1~4) : "));
    Ed_Key = form().addEdit("Ed_Key", QStringLiteral("Network Key :"));
    Ed_ConfirmKey = form().addEdit("Ed_ConfirmKey", QStringLiteral("Confirm Key"));
    form().endGroup();

    form().nextColumn();
    GB_Passphrase = form().beginOuterGroup("GB_Passphrase", QStringLiteral("Passphrase Settings"));
    CB_WPAMode = form().addCombo("CB_WPAMode", QStringLiteral("WPA Mode "));
    CB_CipherType = form().addCombo("CB_CipherType", QStringLiteral("Cipher Type "));
    Ed_UpdateInterval =
        form().addEdit("Ed_UpdateInterval", QStringLiteral("Group Key Update Interval"), 7);
    Ed_KeyUpdate = form().addEdit("Ed_KeyUpdate", QStringLiteral("Key Update Interval"), 7);
    Ed_Passphrase = form().addEdit("Ed_Passphrase", QStringLiteral("Passphrase :  "), 63);
    Ed_ConfirmPass = form().addEdit("Ed_ConfirmPass", QStringLiteral("Confirm PassPhrase"), 63);
    CB_AutoRekeyType = form().addCombo("CB_AutoRekeyType", QStringLiteral("AutoRekeyControl"));
    CB_TimeWeek = form().addCombo("CB_TimeWeek", QStringLiteral("Activated From "));
    CB_TimeHour = form().addCombo("CB_TimeHour", QString());
    CB_TimeSec = form().addCombo("CB_TimeSec", QString());
    Ed_TimeInterval = form().addEdit("Ed_TimeInterval", QStringLiteral("Time Interval "), 3);
    Ed_AutoRekeyPassphrase =
        form().addReadOnly("Ed_AutoRekeyPassphrase", QStringLiteral("Passphrase :  "));
    GB_Radius = form().beginGroup("GB_Radius", QStringLiteral("Primary RADIUS Server Setting"));
    Edt_RadiusServer = form().addEdit("Edt_RadiusServer", QStringLiteral("RADIUS Server"), 15);
    Edt_RadiusPort = form().addEdit("Edt_RadiusPort", QStringLiteral("RADIUS Port"), 5);
    Edt_RadiusSecret = form().addEdit("Edt_RadiusSecret", QStringLiteral("RADIUS Secret"), 64);
    form().endGroup();
    form().endOuterGroup();
    form().endColumns();

    GB_MultiSSID = form().beginGroup("GB_MultiSSID", QStringLiteral("Mulit-SSID")); // shipped text
    LV_MultiSSID_User = form().addListView("LV_MultiSSID_User",
        {{QStringLiteral("Index"), -1}, {QStringLiteral("SSID"), -1}, {QStringLiteral("Band"), -1},
            {QStringLiteral("Encryption"), -1}});
    DelButton = addGroupButton(
        "DelButton", QStringLiteral("Delete"), &TFM_MultiSSIDNewForm::DelButtonClick);
    AddButton =
        addFieldButton("AddButton", QStringLiteral("Add"), &TFM_MultiSSIDNewForm::AddButtonClick);
    form().endGroup();
    ApplyBtn = addButton("ApplyBtn", QStringLiteral("Save"), &TFM_MultiSSIDNewForm::ApplyBtnClick);
    CancelBtn =
        addButton("CancelBtn", QStringLiteral("Cancel"), &TFM_MultiSSIDNewForm::CancelBtnClick);

    CB_ApMode = form().addHiddenCombo("CB_ApMode");
    MulSSIDListView = form().addHiddenList("MulSSIDListView");
    Lb_Ifindex = form().addHiddenLabel("Lb_Ifindex");
    Lb_Ssidindex = form().addHiddenLabel("Lb_Ssidindex");
    CB_IdvState = form().addHiddenCombo("CB_IdvState");
    CB_dot11Authentication = form().addHiddenCombo("CB_dot11Authentication");
    CB_Clipher = form().addHiddenCombo("CB_Clipher");
    Ed_TimeStart = form().addHiddenEdit("Ed_TimeStart");
    LV_RadiusServer = form().addHiddenList("LV_RadiusServer");
    Cbox_MultiRadser = form().addHiddenCombo("Cbox_MultiRadser");

    CB_Index->addItems({QStringLiteral("Primary SSID"), QStringLiteral("SSID 1"),
        QStringLiteral("SSID 2"), QStringLiteral("SSID 3")});
    CB_WepEncryp->addItems({QStringLiteral("64Bits"), QStringLiteral("128Bits")});
    CB_TimeHour->addItems(numbers(24));
    CB_TimeSec->addItems(numbers(60));
    for (QLineEdit *secret : {Ed_ConfirmKey, Ed_ConfirmPass}) {
        secret->setEchoMode(QLineEdit::Password);
    }
    Ed_AutoRekeyPassphrase->setEnabled(false);
    CB_Band->setEnabled(false);

    onChange(IfEnabMuSSID, &TFM_MultiSSIDNewForm::IfEnabMuSSIDClick);
    onChange(Chk_MultiPri, &TFM_MultiSSIDNewForm::Chk_MultiPriClick);
    onChange(CB_Index, &TFM_MultiSSIDNewForm::CB_IndexChange);
    onChange(LV_MultiSSID_User, &TFM_MultiSSIDNewForm::LV_MultiSSID_UserClick);
    onChange(CB_SSIDSecurityMode, &TFM_MultiSSIDNewForm::CB_SSIDSecurityModeChange);
    onChange(CB_Band, &TFM_MultiSSIDNewForm::CB_SecurityModeChange);
    onChange(Cbox_Priority, &TFM_MultiSSIDNewForm::CB_SecurityModeChange);
    onChange(CB_MssidEncryption, &TFM_MultiSSIDNewForm::CB_MssidEncryptionChange);
    onChange(CB_KeyType, &TFM_MultiSSIDNewForm::CB_KeyTypeChange);
    onChange(CB_WepEncryp, &TFM_MultiSSIDNewForm::CB_WepEncrypChange);
    onChange(CB_DefaultKey, &TFM_MultiSSIDNewForm::CB_DefaultKeyChange);
    onChange(CB_AutoRekeyType, &TFM_MultiSSIDNewForm::CB_AutoRekeyTypeChange);
}

void TFM_MultiSSIDNewForm::makeRequests()
{
    m_apMode = makeRequest(kApModeVars, itInstance, 10000, statusTarget());
    bindControls(m_apMode, {CB_ApMode});
    m_band = makeRequest(kBandVars, itInstance, 10000);
    bindControls(m_band, {CB_Band});
    m_state = makeRequest(kStateVars, itInstance, 10000, statusTarget());
    bindControls(m_state, {IfEnabMuSSID, Chk_MultiPri});

    m_ssids = makeRequest(wireless::kMssidVars, itTable, 50000,
        onDone(&TFM_MultiSSIDNewForm::ssidTableRead, &TFM_MultiSSIDNewForm::ssidTableWritten));
    // a row's values fill the controls; what is enabled is the page's rules' business
    m_ssids->BindListView(MulSSIDListView, false);
    bindControls(m_ssids,
        {Lb_Ifindex, Lb_Ssidindex, CB_IdvState, {Ed_SSID, "%s"}, CB_SsidBroadcast,
            CB_dot11Authentication, CB_MssidEncryption, CB_DefaultKey, nullptr, nullptr, CB_Clipher,
            nullptr, CB_KeyType, CB_WMM, {Ed_UpdateInterval, "%u"}, Cbox_Priority, CB_AutoRekeyType,
            CB_TimeWeek, {Ed_TimeStart, "%s"}, {Ed_TimeInterval, "%u"},
            {Ed_AutoRekeyPassphrase, "%s"}});
    // the device may read its secrets back masked: they are written only when typed
    m_ssids->BindSecret(wireless::msWepKey, Ed_Key);
    m_ssids->BindSecret(wireless::msPassPhrase, Ed_Passphrase);

    m_radius = makeRequest(wireless::kMssidRadiusVars, itTable, 10000);
    m_radius->BindListView(LV_RadiusServer, false);
    bindControls(m_radius,
        {nullptr, nullptr, {Edt_RadiusServer, "%s"}, {Edt_RadiusPort, "%s"}, nullptr,
            Cbox_MultiRadser, {Ed_KeyUpdate, "%u"}});
    m_radius->BindSecret(wireless::mrSecret, Edt_RadiusSecret);
}

void TFM_MultiSSIDNewForm::FormCreate()
{
    makeRequests();
    CB_Index->setCurrentIndex(0);
    m_apMode->Get();
    m_band->Get();
    if (m_state->Get()) {
        setWarningArmed(true);
    }
    m_checkLogArmed = false;
    m_ssids->Get();
    m_radius->Get();
}

int TFM_MultiSSIDNewForm::apModeIndex() const
{
    return CB_ApMode->currentIndex();
}

int TFM_MultiSSIDNewForm::selectedIndex() const
{
    return std::max(0, CB_Index->currentIndex());
}

bool TFM_MultiSSIDNewForm::multiSsidChecked() const
{
    return IfEnabMuSSID->isChecked();
}

SecurityKind TFM_MultiSSIDNewForm::kind() const
{
    return securityKind(
        CB_SSIDSecurityMode->currentIndex(), CB_MssidEncryption->currentIndex() == kEnabled);
}

bool TFM_MultiSSIDNewForm::warningArmed() const
{
    return context().pages->flag(QLatin1String(kWarningArmedKey));
}

void TFM_MultiSSIDNewForm::setWarningArmed(bool armed)
{
    context().pages->setFlag(QLatin1String(kWarningArmedKey), armed);
}

bool TFM_MultiSSIDNewForm::needsAccessPoint() const
{
    const int mode = apModeIndex();
    return multiSsidChecked()
        && (mode == options::kApModeWds || mode == options::kApModeWirelessClient);
}

// What is enabled and shown follows from the SSID being edited, its security and the switches.
void TFM_MultiSSIDNewForm::applyRules()
{
    const bool multi = multiSsidChecked();
    const bool editable = selectedIndex() > 0; // the primary SSID is set on the wireless page
    // a write during a read of the table is not queued
    const bool busy = m_ssids->Busy;
    const int mode = apModeIndex();
    const bool periodic = CB_AutoRekeyType->currentIndex() == options::kRekeyPeriodic;
    const SecurityView view = securityView(kind(), mode, periodic);

    CB_Band->setEnabled(false);
    Chk_MultiPri->setEnabled(multi);
    Cbox_Priority->setEnabled(multi && Chk_MultiPri->isChecked());
    CB_Index->setEnabled(multi);
    GB_MultiSSID->setEnabled(multi);
    AddButton->setEnabled(multi && !busy);
    DelButton->setEnabled(
        multi && !busy && m_deleteAllowed && LV_MultiSSID_User->selectedRow() >= 0);
    ApplyBtn->setEnabled(!busy);

    enable({Ed_SSID, CB_SsidBroadcast, CB_SSIDSecurityMode, CB_WMM, CB_MssidEncryption,
               CB_CipherType, Ed_UpdateInterval, Ed_KeyUpdate, Ed_Passphrase, Ed_ConfirmPass,
               CB_AutoRekeyType, Edt_RadiusServer, Edt_RadiusPort, Edt_RadiusSecret},
        editable);
    CB_WPAMode->setEnabled(editable && !securityLists(mode).wpaPinned);
    enable({CB_WepEncryp, CB_KeyType, CB_DefaultKey, Ed_Key, Ed_ConfirmKey},
        editable && CB_MssidEncryption->currentIndex() == kEnabled);
    // an additional SSID cannot keep a schedule of its own while the primary rekeys on one
    const bool schedule =
        editable && periodic && !rekeysPeriodically(m_primaryAuthentication, m_primaryRekey);
    enable({CB_TimeWeek, CB_TimeHour, CB_TimeSec, Ed_TimeInterval}, schedule);
    Ed_AutoRekeyPassphrase->setEnabled(false);

    GB_KeySettings->setVisible(view.keyGroup);
    GB_Passphrase->setVisible(view.passphraseGroup);
    if (view.passphraseGroup) {
        GB_Passphrase->setTitle(view.passphraseTitle);
    }
    GB_Radius->setVisible(view.radius);
    showRow(CB_WPAMode, view.wpaAndCipher);
    showRow(CB_CipherType, view.wpaAndCipher);
    showRow(Ed_UpdateInterval, view.groupInterval);
    showRow(Ed_KeyUpdate, view.keyInterval);
    showRow(Ed_Passphrase, view.passphrase);
    showRow(Ed_ConfirmPass, view.passphrase);
    for (QWidget *rekey : {static_cast<QWidget *>(CB_AutoRekeyType),
             static_cast<QWidget *>(CB_TimeWeek), static_cast<QWidget *>(CB_TimeHour),
             static_cast<QWidget *>(CB_TimeSec), static_cast<QWidget *>(Ed_TimeInterval)}) {
        showRow(rekey, view.rekeyControls);
    }
    showRow(Ed_AutoRekeyPassphrase, view.rekeyPassphrase);
}

void TFM_MultiSSIDNewForm::ssidTableRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        m_keepSaveText = false;
        setStatus(result.Message);
        return;
    }
    if (CB_ApMode->currentIndex() < 0) {
        m_apMode->Get();
    }
    if (m_keepSaveText) {
        m_keepSaveText = false; // the read after a Save leaves the Save's outcome standing
    } else {
        setStatus(QStringLiteral("Get OK!"));
    }
    for (int r = 1; r < MulSSIDListView->topLevelItemCount(); ++r) {
        const bool enabled =
            MulSSIDListView->cell(r, wireless::msIndividualState) == QLatin1String("Enabled");
        if (m_checkLogArmed && enabled
            && rekeysPeriodically(MulSSIDListView->cell(r, wireless::msAuthentication),
                MulSSIDListView->cell(r, wireless::msAutoRekeyControl))) {
            // the device made a new key for the SSID and tells it through its log and e-mail
            m_checkLogArmed = false;
            inform(QStringLiteral("Warning"),
                QStringLiteral("Please check the Log or E-mail for the new security key!"));
        }
    }
    m_primaryAuthentication = MulSSIDListView->cell(0, wireless::msAuthentication);
    m_primaryRekey = MulSSIDListView->cell(0, wireless::msAutoRekeyControl);
    CB_Index->setCurrentIndex(0);
    CB_IndexChange();
    rebuildVisibleList();
}

void TFM_MultiSSIDNewForm::ssidTableWritten(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
        return;
    }
    m_checkLogArmed = true;
    m_ssids->Get();
    m_radius->Get();
}

void TFM_MultiSSIDNewForm::rebuildVisibleList()
{
    LV_MultiSSID_User->clear();
    for (int r = 0; r < MulSSIDListView->topLevelItemCount(); ++r) {
        if (MulSSIDListView->cell(r, wireless::msIndividualState) != QLatin1String("Enabled")) {
            continue;
        }
        const bool encrypted =
            MulSSIDListView->cell(r, wireless::msEncryption) == QLatin1String("Enabled");
        LV_MultiSSID_User->addRow({listCaption(r == 0, MulSSIDListView->cell(r, wireless::msIndex)),
            MulSSIDListView->cell(r, wireless::msSsid), CB_Band->currentText(),
            encryptionText(MulSSIDListView->cell(r, wireless::msAuthentication), encrypted)});
    }
}

std::vector<SsidRow> TFM_MultiSSIDNewForm::ssidRows() const
{
    std::vector<SsidRow> rows;
    rows.reserve(static_cast<std::size_t>(MulSSIDListView->topLevelItemCount()));
    for (int r = 0; r < MulSSIDListView->topLevelItemCount(); ++r) {
        rows.push_back({MulSSIDListView->cell(r, wireless::msSsid),
            MulSSIDListView->cell(r, wireless::msIndividualState) == QLatin1String("Enabled"),
            MulSSIDListView->cell(r, wireless::msWepKey),
            MulSSIDListView->cell(r, wireless::msWepKeyIndex),
            MulSSIDListView->cell(r, wireless::msAuthentication),
            MulSSIDListView->cell(r, wireless::msEncryption) == QLatin1String("Enabled")});
    }
    return rows;
}

QStringList TFM_MultiSSIDNewForm::visibleCaptions() const
{
    QStringList captions;
    for (int r = 0; r < LV_MultiSSID_User->topLevelItemCount(); ++r) {
        captions.append(LV_MultiSSID_User->cell(r, 0));
    }
    return captions;
}

void TFM_MultiSSIDNewForm::fillSecurityLists()
{
    const SecurityLists lists = securityLists(apModeIndex());
    const Pick pick = pickFor(apModeIndex(), CB_dot11Authentication->currentText());
    CB_SSIDSecurityMode->clear();
    CB_SSIDSecurityMode->addItems(lists.security);
    CB_SSIDSecurityMode->setCurrentIndex(pick.security);
    CB_WPAMode->clear();
    CB_WPAMode->addItems(lists.wpa);
    CB_WPAMode->setCurrentIndex(lists.wpaPinned ? 0 : pick.wpa);
}

void TFM_MultiSSIDNewForm::applyKeyLimits()
{
    const int length =
        security::wepKeyLength(CB_KeyType->currentIndex(), CB_WepEncryp->currentIndex());
    setTypingLimit(Ed_Key, length);
    setTypingLimit(Ed_ConfirmKey, length);
}

// The cipher list of the WPA kinds follows the mode, and shows the row's cipher.
void TFM_MultiSSIDNewForm::securityVisibility()
{
    const SecurityKind k = kind();
    if (k != SecurityKind::WpaPersonal && k != SecurityKind::WpaEnterprise) {
        return;
    }
    const QStringList items = cipherItems(apModeIndex());
    CB_CipherType->clear();
    CB_CipherType->addItems(items);
    CB_CipherType->setCurrentIndex(cipherItemFor(items, CB_Clipher->currentText()));
}

void TFM_MultiSSIDNewForm::multiSsidBoxRule()
{
    if (multiSsidChecked()) {
        if (!m_listClick) {
            rebuildVisibleList();
        }
        if (warningArmed()
            && (apModeIndex() == options::kApModeWds
                || apModeIndex() == options::kApModeWirelessClient)) {
            inform(QStringLiteral("Warning"),
                QStringLiteral("If you enable Multi-SSID, AP Mode will be set to 'Access Point'!"));
            setWarningArmed(false);
        }
    } else {
        Chk_MultiPri->setChecked(false);
        setWarningArmed(true);
        CB_Index->setCurrentIndex(0);
    }
    securityVisibility();
}

// The controls show SSID i's row and its RADIUS server; what was typed for another SSID is gone.
void TFM_MultiSSIDNewForm::CB_IndexChange()
{
    const int i = selectedIndex();
    MulSSIDListView->selectRow(-1); // selecting the same row again fills the controls again
    MulSSIDListView->selectRow(i);
    fillSecurityLists();
    CB_WepEncryp->setCurrentIndex(
        security::wepKeySize(CB_KeyType->currentIndex(), int(Ed_Key->text().size())));
    Ed_ConfirmKey->setText(Ed_Key->text());
    Ed_ConfirmPass->setText(Ed_Passphrase->text());
    applyKeyLimits();
    const QStringList start = Ed_TimeStart->text().split(QLatin1Char(':'));
    CB_TimeHour->setCurrentIndex(CB_TimeHour->findText(start.value(0)));
    CB_TimeSec->setCurrentIndex(CB_TimeSec->findText(start.value(1)));
    multiSsidBoxRule();
    LV_RadiusServer->selectRow(-1);
    LV_RadiusServer->selectRow(i);
    securityVisibility();
}

void TFM_MultiSSIDNewForm::IfEnabMuSSIDClick()
{
    const int before = selectedIndex();
    multiSsidBoxRule();
    if (selectedIndex() != before) {
        CB_IndexChange(); // back on the primary SSID: the controls show its row again
    }
}

void TFM_MultiSSIDNewForm::Chk_MultiPriClick()
{
    // the priority list follows the box (applyRules)
}

void TFM_MultiSSIDNewForm::LV_MultiSSID_UserClick()
{
    m_listClick = true;
    const auto leave = qScopeGuard([this] { m_listClick = false; });
    const int row = LV_MultiSSID_User->selectedRow();
    const int index = row >= 0 ? indexOfCaption(LV_MultiSSID_User->cell(row, 0)) : -1;
    m_deleteAllowed = index > 0;
    if (index < 0) {
        return; // nothing selected, or a row the index list has no item for
    }
    CB_Index->setCurrentIndex(index);
    CB_IndexChange();
}

void TFM_MultiSSIDNewForm::CB_SSIDSecurityModeChange()
{
    securityVisibility();
}

void TFM_MultiSSIDNewForm::CB_SecurityModeChange()
{
    securityVisibility();
}

void TFM_MultiSSIDNewForm::CB_MssidEncryptionChange()
{
    // the key controls follow the encryption (applyRules)
}

void TFM_MultiSSIDNewForm::CB_KeyTypeChange()
{
    applyKeyLimits();
}

void TFM_MultiSSIDNewForm::CB_WepEncrypChange()
{
    applyKeyLimits();
}

void TFM_MultiSSIDNewForm::CB_DefaultKeyChange()
{
    applyKeyLimits();
    Ed_Key->clear();
    Ed_ConfirmKey->clear();
}

void TFM_MultiSSIDNewForm::CB_AutoRekeyTypeChange()
{
    // passphrase or generated passphrase, and the schedule, follow the choice (applyRules)
}

void TFM_MultiSSIDNewForm::CancelBtnClick()
{
    close();
}

bool TFM_MultiSSIDNewForm::refuseText(
    QWidget *field, const char *caption, const QString &text, int actions)
{
    inform(QLatin1String(caption), text);
    if (auto *edit = qobject_cast<QLineEdit *>(field); edit != nullptr && (actions & faClear)) {
        edit->clear();
    }
    if (field != nullptr && (actions & faFocus) != 0) {
        field->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

void TFM_MultiSSIDNewForm::AddButtonClick()
{
    if (m_ssids->Busy) {
        return;
    }
    // what the operator saw decides between a typed and a generated passphrase
    const bool periodic = CB_AutoRekeyType->currentIndex() == options::kRekeyPeriodic;
    const bool periodicShown =
        securityView(kind(), apModeIndex(), periodic).rekeyControls && periodic;
    MemberSwitch row(m_ssids);
    row.readOnly(kRowMembers);
    if (needsAccessPoint()) {
        CB_ApMode->setCurrentIndex(options::kApModeAccessPoint);
        m_apMode->Set(); // the SSID's write follows whatever became of the mode
    }
    if (selectedIndex() == 0) {
        addPrimary(row);
    } else {
        addAdditional(row, periodicShown);
    }
}

// The primary SSID is set on the wireless page; here only its priority.
void TFM_MultiSSIDNewForm::addPrimary(MemberSwitch &row)
{
    if (!Chk_MultiPri->isChecked()) {
        inform(QStringLiteral("Warning"), QStringLiteral("Settings is not changed."));
        return;
    }
    row.in(wireless::msPriority);
    // the write handler reads the table again
    if (!m_ssids->Set(false)) {
        reportFailure(QStringLiteral("Save Fail!"));
    }
}

void TFM_MultiSSIDNewForm::setCipher()
{
    CB_Clipher->setCurrentIndex(CB_Clipher->findText(deviceCipher(CB_CipherType->currentText())));
}

void TFM_MultiSSIDNewForm::addAdditional(MemberSwitch &row, bool periodicShown)
{
    const int i = selectedIndex();
    const std::vector<SsidRow> rows = ssidRows();
    const SecurityKind k = kind();
    if (k == SecurityKind::Wep) {
        const QString keyIndex = CB_DefaultKey->currentText();
        if (keyInUse(visibleCaptions(), i, rows, keyIndex)) {
            inform(QStringLiteral("Warning"),
                QStringLiteral("Key value is used by SSID!\nTo change Key value affects other SSID "
                               "settings."));
        } else if (keyIndexShared(rows, i, keyIndex)) {
            // the same warning in its second wording, a blank before the line break
            inform(QStringLiteral("Warning"),
                QStringLiteral("Key value is used by SSID! \nTo change Key value affects other "
                               "SSID settings."));
        }
    }
    if (const char *fault = ssidFault(Ed_SSID->text())) {
        refuseText(Ed_SSID, "Warning", QLatin1String(fault), faFocus);
        return;
    }
    const int other = duplicateOf(rows, i, Ed_SSID->text());
    if (other >= 0) {
        refuseText(Ed_SSID, "Warning", duplicateText(i, other), faFocus);
        return;
    }
    const QString authentication = authenticationFor(
        apModeIndex(), CB_SSIDSecurityMode->currentIndex(), CB_WPAMode->currentText());
    if (!authentication.isEmpty()) {
        CB_dot11Authentication->setCurrentIndex(CB_dot11Authentication->findText(authentication));
    }
    if (Chk_MultiPri->isChecked()) {
        row.in(wireless::msPriority);
    }
    switch (k) {
    case SecurityKind::WpaPersonal:
        if (!checkPersonal(row, periodicShown)) {
            return;
        }
        break;
    case SecurityKind::WpaEnterprise:
        if (!writeRadius(Ed_UpdateInterval, false)) {
            return;
        }
        setCipher();
        row.in({wireless::msCipherType, wireless::msGroupKeyUpdateInterval});
        break;
    case SecurityKind::Dot1x:
        if (!writeRadius(Ed_KeyUpdate, true)) {
            return;
        }
        break;
    case SecurityKind::Wep:
        if (!checkWep(row)) {
            return;
        }
        break;
    case SecurityKind::Open:
        row.in(wireless::msEncryption);
        break;
    case SecurityKind::None:
        break;
    }
    row.in({wireless::msIndividualState, wireless::msSsid, wireless::msSuppress,
        wireless::msAuthentication, wireless::msWmm});
    CB_IdvState->setCurrentIndex(kEnabled);
    // the write handler reads the table again
    if (m_ssids->Set(false)) {
        setStatus(QStringLiteral("Save SSID...!"));
    } else {
        reportFailure(QStringLiteral("Save Fail!"));
    }
}

bool TFM_MultiSSIDNewForm::checkPersonal(MemberSwitch &row, bool periodicShown)
{
    setCipher();
    if (Ed_UpdateInterval->text().isEmpty()) {
        return refuseText(Ed_UpdateInterval, "Warning", QLatin1String(kIntervalText), faFocus);
    }
    if (!security::validKeyInterval(Ed_UpdateInterval->text())) {
        return refuseText(
            Ed_UpdateInterval, "Error", QLatin1String(kIntervalText), faClearAndFocus);
    }
    if (periodicShown) {
        if (!security::validRekeyInterval(Ed_TimeInterval->text())) {
            return refuseText(Ed_TimeInterval, "Warning",
                QStringLiteral("Invalid Time Interval range!"), faFocus);
        }
        Ed_TimeStart->setText(
            CB_TimeHour->currentText() + QLatin1Char(':') + CB_TimeSec->currentText());
        // the device generates the passphrase itself
        row.in({wireless::msCipherType, wireless::msGroupKeyUpdateInterval,
            wireless::msAutoRekeyControl, wireless::msAutoRekeyStartWeek,
            wireless::msAutoRekeyStartTime, wireless::msAutoRekeyTimeInterval});
        return true;
    }
    switch (security::checkPassphrase(Ed_Passphrase->text())) {
    case security::PassphraseFault::TooShort:
        return refuseText(Ed_Passphrase, "Error",
            QStringLiteral("The Passphrase length is between 8 and 63."), faFocus);
    case security::PassphraseFault::TooLong:
        return refuseText(
            Ed_Passphrase, "Error", QStringLiteral("The max length of Passphrase is 63."), faFocus);
    case security::PassphraseFault::BlankEdge:
        return refuseText(Ed_Passphrase, "Warning",
            QStringLiteral("The first character and last character can't be blank.!"),
            faFocus); // shipped text
    case security::PassphraseFault::None:
        break;
    }
    if (Ed_Passphrase->text() != Ed_ConfirmPass->text()) {
        return refuseText(Ed_ConfirmPass, "Warning", QLatin1String(kConfirmText), faFocus);
    }
    // the passphrase itself only when the operator typed it
    row.in({wireless::msCipherType, wireless::msGroupKeyUpdateInterval,
        wireless::msAutoRekeyControl, wireless::msPassPhrase});
    return true;
}

bool TFM_MultiSSIDNewForm::checkWep(MemberSwitch &row)
{
    const int type = CB_KeyType->currentIndex();
    if (const char *fault =
            keyLengthFault(type, CB_WepEncryp->currentIndex(), int(Ed_Key->text().size()))) {
        inform(QStringLiteral("Warning"), QLatin1String(fault));
        return false;
    }
    // a key read back masked is no key the operator typed
    if (type == options::kKeyHex && m_ssids->SecretEdited(wireless::msWepKey)
        && !security::isHexKey(Ed_Key->text())) {
        // the box carries the program's own title
        inform(QCoreApplication::applicationName(),
            QStringLiteral("Please input  Hexadecimal digits!")); // shipped text
        Ed_Key->clear();
        Ed_ConfirmKey->clear();
        return false;
    }
    if (!CheckBlankEdges(Ed_Key->text())) {
        return refuseText(Ed_Key, "Error",
            QStringLiteral("The first character and last character can't be blank."), faFocus);
    }
    if (Ed_Key->text() != Ed_ConfirmKey->text()) {
        return refuseText(Ed_ConfirmKey, "Warning", QLatin1String(kConfirmText), faFocus);
    }
    // the key itself only when the operator typed it
    row.in(
        {wireless::msEncryption, wireless::msWepKeyIndex, wireless::msWepKey, wireless::msKeyType});
    return true;
}

bool TFM_MultiSSIDNewForm::writeRadius(QLineEdit *interval, bool dot1x)
{
    if (interval->text().isEmpty()) {
        return refuseText(interval, "Warning", QLatin1String(kIntervalText), faFocus);
    }
    if (!security::validKeyInterval(interval->text())) {
        return refuseText(interval, "Error", QLatin1String(kIntervalText), faClearAndFocus);
    }
    if (!security::validRadiusServer(Edt_RadiusServer->text())) {
        return refuseText(Edt_RadiusServer, "Error",
            QStringLiteral("The Radius server's IP is illegal."), faFocus);
    }
    if (!security::validRadiusPort(Edt_RadiusPort->text())) {
        return refuseText(Edt_RadiusPort, "Error",
            QStringLiteral("Please input a number between 1 and 65535."), faFocus);
    }
    switch (security::checkRadiusSecret(Edt_RadiusSecret->text())) {
    case security::SecretFault::Empty:
        return refuseText(Edt_RadiusSecret, "Error",
            QStringLiteral("The shared secret of radius server cannot be empty."), faFocus);
    case security::SecretFault::TooLong:
        return refuseText(Edt_RadiusSecret, "Error",
            QStringLiteral("The max length of secret of radius server is 64."), faFocus);
    case security::SecretFault::None:
        break;
    }
    MemberSwitch radius(m_radius);
    radius.in({wireless::mrServer, wireless::mrPort, wireless::mrSecret});
    if (dot1x) {
        radius.in(wireless::mrKeyUpdateInterval);
    } else {
        radius.readOnly(wireless::mrKeyUpdateInterval);
    }
    // the SSID goes on the air only with the server it names
    if (!m_radius->Set(false)) {
        reportFailure(QStringLiteral("Save Fail!"));
        return false;
    }
    return true;
}

void TFM_MultiSSIDNewForm::DelButtonClick()
{
    if (m_ssids->Busy || selectedIndex() == 0 || LV_MultiSSID_User->selectedRow() < 0) {
        return;
    }
    if (!confirm(QStringLiteral("Are you sure that you want to delete this SSID?"))) {
        return;
    }
    // the device keeps the row and its values: only its state goes
    MemberSwitch row(m_ssids);
    row.readOnly(kRowMembers).in(wireless::msIndividualState);
    CB_IdvState->setCurrentIndex(kDisabled);
    setStatus(QStringLiteral("Deleting..."));
    m_ssids->Set(false); // the write handler reads the table again
}

void TFM_MultiSSIDNewForm::ApplyBtnClick()
{
    if (m_ssids->Busy) {
        return;
    }
    WriteSequence save(*this);
    if (needsAccessPoint()) {
        CB_ApMode->setCurrentIndex(options::kApModeAccessPoint);
        save.write(m_apMode);
    }
    save.write(m_state); // the multi-SSID and the priority switch in one SET
    if (save.ok()) {
        setStatus(QStringLiteral("Save OK!"));
    } else {
        reportFailure(QStringLiteral("Save Fail!"));
    }
    m_checkLogArmed = false;
    if (!deviceSilent()) {
        m_keepSaveText = true;
        m_ssids->Get();
    }
}
