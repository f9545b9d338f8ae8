// The wireless page's security half.
#include "WirelessSecuritySection.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "PageForm.h"
#include "SecurityChecks.h"
#include "SharedOptions.h"
#include "TFM_Wirless.h"
#include "TFM_WirlessRules.h"
#include "TypingLimit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>

using security::SecurityKind;

namespace {

#define KEY_TABLE(name, method, n)                                                            \
    const UISnmpVar name[] = {                                                                \
        {AP_OID("2.1.3.3.2.2.1.2.1." #n), method, synInteger, vfRead | vfWrite,               \
            &options::dot11WepKeyEntryMethod},                                                \
        {AP_OID("2.1.3.3.2.2.1.3.1." #n), "dot11WepKey", synDisplayString, vfRead | vfWrite}, \
        {nullptr},                                                                            \
    }

// the entry method of keys 3 and 4 has another name on the device; it is the same column
KEY_TABLE(kKey1Vars, "dot11WepKeyEntryMethod", 1);
KEY_TABLE(kKey2Vars, "dot11WepKeyEntryMethod", 2);
KEY_TABLE(kKey3Vars, "dot11KeyEntryMethod", 3);
KEY_TABLE(kKey4Vars, "dot11KeyEntryMethod", 4);

const UISnmpVar *const kKeyTables[] = {kKey1Vars, kKey2Vars, kKey3Vars, kKey4Vars};

enum KeyVar {
    kvEntryMethod,
    kvKey,
};

const VtOptionList olRadiusSource{{1, "External"}, {2, "Internal"}};

#define RADIUS(tail) AP_OID("2.1.3.3.2.1.1." tail)

const UISnmpVar kRadiusVars[] = {
    {mib::dot11NetworkAccessProtection, "dot11NetworkAccessProtection", synInteger,
        vfRead | vfWrite, &options::disableEnable},
    {RADIUS("8.1"), "dot11PrimaryRadiusServer", synIpAddress, vfRead | vfWrite},
    {RADIUS("9.1"), "dot11PrimaryRadiusPort", synInteger, vfRead | vfWrite},
    {RADIUS("10.1"), "dot11PrimaryRadiusSecret", synDisplayString, vfRead | vfWrite},
    {RADIUS("11.1"), "dot11SecondaryRadiusServer", synIpAddress, vfRead | vfWrite},
    {RADIUS("12.1"), "dot11SecondaryRadiusPort", synInteger, vfRead | vfWrite},
    {RADIUS("13.1"), "dot11SecondaryRadiusSecret", synDisplayString, vfRead | vfWrite},
    {RADIUS("14.1"), "dot11PrimaryAccountingStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {RADIUS("15.1"), "dot11PrimaryAccountingServer", synIpAddress, vfRead | vfWrite},
    {RADIUS("16.1"), "dot11PrimaryAccountingServerPort", synInteger, vfRead | vfWrite},
    {RADIUS("17.1"), "dot11PrimaryAccountingPassPhrase", synDisplayString, vfRead | vfWrite},
    {RADIUS("19.1"), "dot11SecondaryAccountingServer", synIpAddress, vfRead | vfWrite},
    {RADIUS("20.1"), "dot11SecondaryAccountingServerPort", synInteger, vfRead | vfWrite},
    {RADIUS("21.1"), "dot11SecondaryAccountingPassPhrase", synDisplayString, vfRead | vfWrite},
    {RADIUS("23.1"), "dot11RadiusSource", synInteger, vfRead | vfWrite, &olRadiusSource},
    {RADIUS("24.1"), "dot11RadiusKeyUpdateInterval", synInteger, vfRead | vfWrite},
    {nullptr},
};

enum RadiusVar {
    rvNetworkAccessProtection,
    rvServer,
    rvPort,
    rvSecret,
    rvFirstUnused, // the secondary server, accounting and RADIUS source: never read or written
    rvLastUnused = 14,
    rvKeyUpdateInterval,
};

const char kConfirmText[] = "Please input the confirm new password correctly!";
const char kBlankEdgesText[] = "The first character and last character can't be blank.!";

QStringList twoDigits(int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i) {
        items.append(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    }
    return items;
}

} // namespace

WirelessSecuritySection::Save::Save(VtSNMPRequest2Edits *authentication,
    const std::array<VtSNMPRequest2Edits *, 4> &keys, VtSNMPRequest2Edits *passphraseRequest,
    VtSNMPRequest2Edits *radiusRequest)
    : auth(authentication), passphrase(passphraseRequest), radius(radiusRequest)
{
    for (std::size_t i = 0; i < keys.size(); ++i) {
        key[i] = std::make_unique<MemberSwitch>(keys[i]);
        key[i]->allOut();
    }
    auth.allOut();
    passphrase.allOut();
    radius.allOut();
}

WirelessSecuritySection::WirelessSecuritySection(TFM_Wirless &page) : m_page(page) { }

WirelessSecuritySection::~WirelessSecuritySection() = default;

template <class C>
void WirelessSecuritySection::wire(C *control, void (WirelessSecuritySection::*handler)())
{
    QObject::connect(control, &C::activated, &m_page,
        [this, handler] { m_page.runAction([this, handler] { (this->*handler)(); }); });
}

void WirelessSecuritySection::addModeLine(PageForm &form)
{
    CB_SecurityMode = form.addCombo("CB_SecurityMode", QStringLiteral("Authentication "));
    wire(CB_SecurityMode, &WirelessSecuritySection::CB_SecurityModeChange);
}

void WirelessSecuritySection::addGroups(PageForm &form)
{
    GB_KeySettings = form.beginGroup("GB_KeySettings", QStringLiteral("Key settings"));
    CB_dot11Encryption = form.addCombo("CB_dot11Encryption", QStringLiteral("Encryption   "));
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "CB_WepEncryp" + QByteArray::number(i + 1);
        CB_WepEncryp[i] = form.addCombo(name.constData(), QStringLiteral("Key Size "));
        CB_WepEncryp[i]->addItems({QStringLiteral("64Bits"), QStringLiteral("128Bits")});
        wire(CB_WepEncryp[i], &WirelessSecuritySection::CB_WepEncryp1Change);
    }
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "CB_KeyType" + QByteArray::number(i + 1);
        CB_KeyType[i] = form.addCombo(name.constData(), QStringLiteral("Key Type"));
        wire(CB_KeyType[i], &WirelessSecuritySection::CB_KeyType1Change);
    }
    CB_DefaultKey = form.addCombo("CB_DefaultKey", QStringLiteral("Key Index"));
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Ed_Key" + QByteArray::number(i + 1);
        Ed_Key[i] = form.addEdit(name.constData(), QStringLiteral("Network Key"));
    }
    Ed_ConfirmKey = form.addEdit("Ed_ConfirmKey", QStringLiteral("Confirm Key"));
    Ed_ConfirmKey->setEchoMode(QLineEdit::Password);

    GB_Passphrase = form.beginGroup("GB_Passphrase", QStringLiteral("Passphrase Settings"));
    CB_WPAMode = form.addCombo("CB_WPAMode", QStringLiteral("WPA Mode "));
    CB_CipherType = form.addCombo("CB_CipherType", QStringLiteral("Cipher Type "));
    Ed_UpdateInterval =
        form.addEdit("Ed_UpdateInterval", QStringLiteral("Group Key Update Interval"), 7);
    Ed_Update2 = form.addEdit("Ed_Update2", QStringLiteral("Key Update Interval"), 7);
    CB_AutoRekeyType = form.addCombo("CB_AutoRekeyType", QStringLiteral("AutoRekeyControl"));
    CB_TimeWeek = form.addCombo("CB_TimeWeek", QStringLiteral("Activated From "));
    CB_TimeHour = form.addCombo("CB_TimeHour", QString());
    CB_TimeSec = form.addCombo("CB_TimeSec", QStringLiteral(":"));
    CB_TimeHour->addItems(twoDigits(24));
    CB_TimeSec->addItems(twoDigits(60));
    Ed_TimeInterval = form.addEdit("Ed_TimeInterval", QStringLiteral("Time Interval "), 3);
    Ed_Passphrase = form.addEdit("Ed_Passphrase", QStringLiteral("PassPhrase"), 63);
    Ed_ConfirmPass = form.addEdit("Ed_ConfirmPass", QStringLiteral("Confirm PassPhrase"), 63);
    Ed_ConfirmPass->setEchoMode(QLineEdit::Password);
    Ed_AutoRekeyPassphrase =
        form.addReadOnly("Ed_AutoRekeyPassphrase", QStringLiteral("PassPhrase"));
    Ed_AutoRekeyPassphrase->setEnabled(false);

    GB_Radius = form.beginGroup("GB_Radius", QStringLiteral("Primary RADIUS Server Setting"));
    CB_NetProtect = form.addCombo("CB_NetProtect", QStringLiteral("Network Access Protection"));
    Edt_RadiusServer = form.addEdit("Edt_RadiusServer", QStringLiteral("RADIUS Server"), 15);
    Edt_RadiusPort = form.addEdit("Edt_RadiusPort", QStringLiteral("RADIUS Port"));
    Edt_RadiusSecret = form.addEdit("Edt_RadiusSecret", QStringLiteral("RADIUS Secret"), 64);
    form.endGroup();

    CB_dot11Authentication = form.addHiddenCombo("CB_dot11Authentication");
    CB_Clipher = form.addHiddenCombo("CB_Clipher");
    Ed_TimeStart = form.addHiddenEdit("Ed_TimeStart");
    Ed_TimeStart->clear();

    wire(CB_dot11Encryption, &WirelessSecuritySection::CB_dot11EncryptionChange);
    wire(CB_DefaultKey, &WirelessSecuritySection::CB_DefaultKeyChange);
    wire(CB_CipherType, &WirelessSecuritySection::CB_CipherTypeChange);
    wire(CB_AutoRekeyType, &WirelessSecuritySection::CB_AutoRekeyTypeChange);
    wire(CB_NetProtect, &WirelessSecuritySection::CB_NetProtectChange);
}

void WirelessSecuritySection::makeRequests()
{
    QWidget *status = m_page.statusTarget();
    m_auth = m_page.makeRequest(security::kAuthenticationVars, itInstance, 5000, status);
    TFM_Page::bindControls(m_auth, {CB_dot11Authentication, CB_DefaultKey, CB_dot11Encryption});
    m_page.reportFailures(m_auth);
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        m_keys[i] = m_page.makeRequest(kKeyTables[i], itInstance, 1000);
        TFM_Page::bindControls(m_keys[i], {CB_KeyType[i]});
        m_keys[i]->BindSecret(kvKey, Ed_Key[i]); // a key read back masked is never written
    }
    m_passphrase = m_page.makeRequest(security::kPassphraseVars, itInstance, 1000, status);
    TFM_Page::bindControls(m_passphrase,
        {nullptr, CB_Clipher, {Ed_UpdateInterval, "%u"}, CB_AutoRekeyType, CB_TimeWeek,
            {Ed_TimeStart, "%s"}, {Ed_TimeInterval, "%u"}, {Ed_AutoRekeyPassphrase, "%s"}});
    m_passphrase->BindSecret(security::pvPassPhrase, Ed_Passphrase);
    m_page.reportFailures(m_passphrase);
    m_radius = m_page.makeRequest(kRadiusVars, itInstance, 1000, status);
    TFM_Page::bindControls(
        m_radius, {CB_NetProtect, {Edt_RadiusServer, "%s"}, {Edt_RadiusPort, "%u{n1x65535}"}});
    m_radius->BindSecret(rvSecret, Edt_RadiusSecret);
    m_radius->BindFormat(rvKeyUpdateInterval, QStringLiteral("%u"), Ed_Update2);
    m_page.reportFailures(m_radius);
    // the secondary server, accounting and RADIUS source are this page's to leave alone
    for (int i = rvFirstUnused; i <= rvLastUnused; ++i) {
        m_radius->Request.Vars.Var(i).Flags = vfSkip;
    }
}

void WirelessSecuritySection::read(bool opening)
{
    m_page.getKeepingFields(m_auth);
    refillLists();
    m_loadedAuthentication = CB_dot11Authentication->currentIndex();
    m_loadedSecurity = CB_SecurityMode->currentText();

    for (VtSNMPRequest2Edits *key : m_keys) {
        m_page.getKeepingFields(key);
    }
    Ed_ConfirmKey->setText(Ed_Key[static_cast<std::size_t>(chosenKey())]->text());
    for (std::size_t i = 0; i < 4; ++i) {
        CB_WepEncryp[i]->setCurrentIndex(
            security::wepKeySize(CB_KeyType[i]->currentIndex(), int(Ed_Key[i]->text().size())));
    }

    m_page.getKeepingFields(m_passphrase);
    Ed_ConfirmPass->setText(Ed_Passphrase->text());
    const wirelessrules::StartTime start = wirelessrules::splitStartTime(Ed_TimeStart->text());
    CB_TimeHour->setCurrentIndex(CB_TimeHour->findText(start.hour));
    CB_TimeSec->setCurrentIndex(CB_TimeSec->findText(start.minute));
    m_loadedGroupInterval = Ed_UpdateInterval->text();
    m_loadedRekey = CB_AutoRekeyType->currentIndex();
    m_loadedWeek = CB_TimeWeek->currentIndex();
    m_loadedStartTime = Ed_TimeStart->text();
    m_loadedTimeInterval = Ed_TimeInterval->text();

    if (opening) {
        m_page.getKeepingFields(m_radius);
    }
}

void WirelessSecuritySection::rememberCipher()
{
    m_loadedCipher = CB_CipherType->currentIndex();
}

void WirelessSecuritySection::refillLists()
{
    const security::SecurityRow row =
        security::securityRow(m_page.apModeIndex(), m_page.multiSsidEnabled());
    const security::SecurityLists lists = security::securityLists(row);
    const security::ListPick pick = security::pickFor(row, CB_dot11Authentication->currentText());
    CB_SecurityMode->clear();
    CB_SecurityMode->addItems(lists.security);
    CB_SecurityMode->setCurrentIndex(pick.security);
    CB_WPAMode->clear();
    CB_WPAMode->addItems(lists.wpa);
    CB_WPAMode->setCurrentIndex(pick.wpa);
    CB_WPAMode->setEnabled(!lists.wpaPinned);
}

void WirelessSecuritySection::modeChanging(int newMode)
{
    if (!m_vlanWarned && CB_SecurityMode->currentText() == QLatin1String(security::kWpaEnterprise)
        && m_page.CB_VlanStatus->currentIndex() == options::kEnable
        && CB_NetProtect->currentIndex() == options::kEnable
        && newMode != options::kApModeAccessPoint) {
        m_page.inform(QStringLiteral("Warning"),
            QStringLiteral("VLAN will be disabled when Authentication is not configured in "
                           "'WPA-Enterprise'."));
        m_vlanWarned = true;
    }
}

int WirelessSecuritySection::modeSlot(int mode) const
{
    if (mode == options::kApModeWdsWithAp) {
        return 0;
    }
    return mode == options::kApModeWds ? 1 : 2;
}

void WirelessSecuritySection::restoreModeSelection(int mode)
{
    const int item = m_modeSelection[static_cast<std::size_t>(modeSlot(mode))];
    if (item >= 0 && item < CB_SecurityMode->count()) {
        CB_SecurityMode->setCurrentIndex(item);
    }
}

void WirelessSecuritySection::restoreGroupInterval()
{
    Ed_UpdateInterval->setEnabled(true);
    Ed_UpdateInterval->setText(m_loadedGroupInterval);
}

void WirelessSecuritySection::fillTimeCombos()
{
    for (QComboBox *combo : {CB_TimeWeek, CB_TimeHour, CB_TimeSec}) {
        if (combo->currentIndex() < 0 && combo->count() > 0) {
            combo->setCurrentIndex(0);
        }
    }
}

void WirelessSecuritySection::fillCipherList(const QStringList &items, bool pinned)
{
    CB_CipherType->clear();
    CB_CipherType->addItems(items);
    CB_CipherType->setCurrentIndex(wirelessrules::cipherItemFor(items, CB_Clipher->currentText()));
    CB_CipherType->setEnabled(!pinned);
}

void WirelessSecuritySection::applyVisibility()
{
    const SecurityKind k = kind();
    const wirelessrules::SecurityView view = wirelessrules::securityView(m_page.apModeIndex(), k);
    GB_KeySettings->setVisible(view.keyGroup);
    if (CB_SecurityMode->currentText() == QLatin1String(security::kShareKey)) {
        TFM_Page::pin(CB_dot11Encryption, options::kEnable);
    }
    GB_Passphrase->setVisible(view.passphraseGroup);
    GB_Passphrase->setTitle(view.passphraseCaption);
    GB_Radius->setVisible(view.passphraseGroup && view.radius);
    m_page.showRow(CB_NetProtect, view.netProtect);
    for (QWidget *w : std::initializer_list<QWidget *>{
             CB_AutoRekeyType, CB_TimeWeek, CB_TimeHour, CB_TimeSec, Ed_TimeInterval}) {
        m_page.showRow(w, view.rekey);
    }
    m_page.showRow(CB_WPAMode, view.wpaAndCipher);
    m_page.showRow(CB_CipherType, view.wpaAndCipher);
    m_page.showRow(Ed_UpdateInterval, view.groupInterval);
    m_page.showRow(Ed_Update2, view.keyInterval);
    m_rekeyShown = view.passphraseGroup && view.rekey;
    m_passphraseShown = view.passphraseGroup && view.passphrase;
    m_keyShown = view.keyGroup;
    if (view.passphraseGroup) {
        Ed_UpdateInterval->setEnabled(view.groupIntervalEnabled);
        fillCipherList(view.cipherItems, view.cipherPinned);
        if (view.wpaPinned) {
            TFM_Page::pin(CB_WPAMode, 0);
        }
    }
    showPassphrase();
}

void WirelessSecuritySection::showPassphrase()
{
    const bool periodic =
        m_rekeyShown && CB_AutoRekeyType->currentIndex() == options::kRekeyPeriodic;
    m_page.showRow(Ed_Passphrase, m_passphraseShown && !periodic);
    m_page.showRow(Ed_ConfirmPass, m_passphraseShown && !periodic);
    m_page.showRow(Ed_AutoRekeyPassphrase, m_passphraseShown && periodic);
}

void WirelessSecuritySection::CB_SecurityModeChange()
{
    const int mode = m_page.apModeIndex();
    if (CB_SecurityMode->currentIndex() >= 0) {
        m_modeSelection[static_cast<std::size_t>(modeSlot(mode))] = CB_SecurityMode->currentIndex();
    }
    if (CB_SecurityMode->currentText().contains(QLatin1String("Share"))) {
        TFM_Page::pin(CB_dot11Encryption, options::kEnable);
    } else {
        CB_dot11Encryption->setEnabled(true);
    }
    if (!m_vlanWarned && mode == options::kApModeAccessPoint
        && m_loadedSecurity == QLatin1String(security::kWpaEnterprise)
        && m_page.CB_VlanStatus->currentIndex() == options::kEnable
        && CB_NetProtect->currentIndex() == options::kEnable
        && CB_SecurityMode->currentText() != QLatin1String(security::kWpaEnterprise)) {
        m_page.inform(QStringLiteral("Warning"),
            QStringLiteral("VLAN will be disabled when Authentication is not configured in "
                           "'WPA-Enterprise'."));
        m_vlanWarned = true;
    }
    if (CB_WPAMode->currentIndex() < 0 && CB_WPAMode->count() > 0) {
        CB_WPAMode->setCurrentIndex(0);
    }
    m_page.visibilityPass();
    if (keyGroupShown()) {
        keyIndexRule();
        encryptionRule();
    }
    rekeyRule();
}

int WirelessSecuritySection::chosenKey() const
{
    const int key = CB_DefaultKey->currentIndex();
    return key >= 0 && key < 4 ? key : 0;
}

void WirelessSecuritySection::setMaxLengths()
{
    for (std::size_t i = 0; i < 4; ++i) {
        setTypingLimit(Ed_Key[i],
            security::wepKeyLength(CB_KeyType[i]->currentIndex(), CB_WepEncryp[i]->currentIndex()));
    }
    setTypingLimit(Ed_ConfirmKey, TypingLimit::of(Ed_Key[static_cast<std::size_t>(chosenKey())]));
}

void WirelessSecuritySection::showChosenKey()
{
    const int chosen = chosenKey();
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_page.showRow(CB_KeyType[k], i == chosen);
        m_page.showRow(CB_WepEncryp[k], i == chosen);
        m_page.showRow(Ed_Key[k], i == chosen);
    }
}

void WirelessSecuritySection::keyIndexRule()
{
    setMaxLengths();
    showChosenKey();
    Ed_ConfirmKey->setText(Ed_Key[static_cast<std::size_t>(chosenKey())]->text());
}

void WirelessSecuritySection::encryptionRule()
{
    m_page.channelWidthRule();
    const bool on = encryptionEnabled();
    for (std::size_t i = 0; i < 4; ++i) {
        TFM_Page::enable({CB_WepEncryp[i], CB_KeyType[i], Ed_Key[i]}, on);
    }
    TFM_Page::enable({CB_DefaultKey, Ed_ConfirmKey}, on);
    if (on) {
        showChosenKey();
    }
}

void WirelessSecuritySection::rekeyRule()
{
    showPassphrase();
    const bool manual = CB_AutoRekeyType->currentIndex() == options::kRekeyManual;
    TFM_Page::enable({CB_TimeWeek, CB_TimeHour, CB_TimeSec, Ed_TimeInterval}, !manual);
}

void WirelessSecuritySection::CB_dot11EncryptionChange()
{
    encryptionRule();
}

void WirelessSecuritySection::CB_DefaultKeyChange()
{
    keyIndexRule();
}

void WirelessSecuritySection::CB_KeyType1Change()
{
    setMaxLengths();
}

void WirelessSecuritySection::CB_WepEncryp1Change()
{
    setMaxLengths();
}

void WirelessSecuritySection::CB_CipherTypeChange()
{
    m_page.channelWidthRule();
}

void WirelessSecuritySection::CB_AutoRekeyTypeChange()
{
    rekeyRule();
}

void WirelessSecuritySection::CB_NetProtectChange()
{
    if (CB_NetProtect->currentIndex() == options::kEnable
        && m_page.CB_LimitVidStatus->currentIndex() > 0) {
        m_page.inform(QStringLiteral("Warning"),
            QStringLiteral("If Network Access Protection Status enable,\nLimit Administrator "
                           "Status will be disable !"));
    }
}

bool WirelessSecuritySection::keyGroupShown() const
{
    return m_keyShown;
}

bool WirelessSecuritySection::encryptionEnabled() const
{
    return CB_dot11Encryption->currentIndex() == options::kEnable;
}

QString WirelessSecuritySection::cipherItem() const
{
    return CB_CipherType->currentText();
}

SecurityKind WirelessSecuritySection::kind() const
{
    return security::securityKind(CB_SecurityMode->currentText(), encryptionEnabled());
}

std::unique_ptr<WirelessSecuritySection::Save> WirelessSecuritySection::beginSave()
{
    return std::make_unique<Save>(m_auth, m_keys, m_passphrase, m_radius);
}

void WirelessSecuritySection::setAuthenticationSelector()
{
    const security::SecurityRow row =
        security::securityRow(m_page.apModeIndex(), m_page.multiSsidEnabled());
    const QString authentication = security::authenticationFor(
        row, {CB_SecurityMode->currentIndex(), CB_WPAMode->currentIndex()});
    if (!authentication.isEmpty()) {
        CB_dot11Authentication->setCurrentIndex(CB_dot11Authentication->findText(authentication));
    }
}

bool WirelessSecuritySection::refuse(
    QWidget *field, const char *caption, const QString &text, int actions)
{
    m_page.inform(QLatin1String(caption), text);
    if (auto *edit = qobject_cast<QLineEdit *>(field); edit != nullptr && (actions & faClear)) {
        edit->clear();
    }
    if ((actions & faFocus) != 0) {
        field->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool WirelessSecuritySection::checkKey(Save &save)
{
    const auto n = static_cast<std::size_t>(chosenKey());
    QLineEdit *key = Ed_Key[n];
    const int type = CB_KeyType[n]->currentIndex();
    const int length = security::wepKeyLength(type, CB_WepEncryp[n]->currentIndex());
    if (key->text().size() != length) {
        return refuse(key, "Warning",
            QStringLiteral("The Length of the %1 key must be %2!")
                .arg(security::keyOrdinal(int(n) + 1))
                .arg(length),
            faFocus);
    }
    if (type == options::kKeyHex) {
        if (!security::isHexKey(key->text())) {
            // the box carries the program's own title
            m_page.inform(QCoreApplication::applicationName(),
                QStringLiteral("Please input  Hexadecimal digits!")); // shipped text
            key->clear();
            key->setFocus(Qt::OtherFocusReason);
            return false;
        }
    } else if (!CheckBlankEdges(key->text())) {
        return refuse(key, "Warning", QLatin1String(kBlankEdgesText), faFocus);
    }
    if (key->text() != Ed_ConfirmKey->text()) {
        return refuse(Ed_ConfirmKey, "Warning", QLatin1String(kConfirmText), faFocus);
    }
    save.key[n]->in({kvEntryMethod, kvKey}); // the key itself only when the operator typed it
    return true;
}

bool WirelessSecuritySection::checkPassphrase(Save &save)
{
    const bool client = m_page.apModeIndex() == options::kApModeWirelessClient;
    if (!client && !security::validKeyInterval(Ed_UpdateInterval->text())) {
        return refuse(Ed_UpdateInterval, "Error",
            QStringLiteral("Please input a number between 300 and 9999999."), faClearAndFocus);
    }
    const bool periodic =
        m_rekeyShown && CB_AutoRekeyType->currentIndex() == options::kRekeyPeriodic;
    if (!periodic) {
        switch (security::checkPassphrase(Ed_Passphrase->text())) {
        case security::PassphraseFault::TooShort:
            return refuse(Ed_Passphrase, "Error",
                QStringLiteral("The Passphrase length is between 8 and 63."), faFocus);
        case security::PassphraseFault::TooLong:
            return refuse(Ed_Passphrase, "Error",
                QStringLiteral("The max length of Passphrase is 63."), faFocus);
        case security::PassphraseFault::BlankEdge:
            return refuse(Ed_Passphrase, "Warning", QLatin1String(kBlankEdgesText), faFocus);
        case security::PassphraseFault::None:
            break;
        }
        if (Ed_Passphrase->text() != Ed_ConfirmPass->text()) {
            return refuse(Ed_ConfirmPass, "Warning", QLatin1String(kConfirmText), faFocus);
        }
        save.passphrase.in(
            {security::pvPassPhrase, security::pvCipherType, security::pvAutoRekeyControl});
        save.passphrase.include(security::pvGroupKeyUpdateInterval, !client);
    } else {
        if (!security::validRekeyInterval(Ed_TimeInterval->text())) {
            return refuse(Ed_TimeInterval, "Warning",
                QStringLiteral("Invalid Time Interval range!"), faFocus);
        }
        save.passphrase.in({security::pvCipherType, security::pvGroupKeyUpdateInterval,
            security::pvAutoRekeyControl, security::pvAutoRekeyStartWeek,
            security::pvAutoRekeyStartTime, security::pvAutoRekeyTimeInterval});
        Ed_TimeStart->setText(CB_TimeHour->currentText().trimmed() + QLatin1Char(':')
            + CB_TimeSec->currentText().trimmed());
        const bool changed = CB_AutoRekeyType->currentIndex() != m_loadedRekey
            || CB_TimeWeek->currentIndex() != m_loadedWeek
            || CB_dot11Authentication->currentIndex() != m_loadedAuthentication
            || Ed_TimeStart->text() != m_loadedStartTime
            || Ed_TimeInterval->text() != m_loadedTimeInterval
            || CB_CipherType->currentIndex() != m_loadedCipher
            || Ed_UpdateInterval->text() != m_loadedGroupInterval;
        if (changed) {
            // the device makes the new key and tells it through its log and e-mail
            m_page.inform(QStringLiteral("Warning"),
                QStringLiteral("Please check the Log or E-mail for the new security key!"));
        }
    }
    return true;
}

bool WirelessSecuritySection::checkRadius(Save &save)
{
    if (!security::validRadiusServer(Edt_RadiusServer->text())) {
        return refuse(Edt_RadiusServer, "Error",
            QStringLiteral("The Radius server's IP is illegal."), faFocus);
    }
    if (!security::validRadiusPort(Edt_RadiusPort->text())) {
        return refuse(Edt_RadiusPort, "Error",
            QStringLiteral("Please input a number between 1 and 65535."), faFocus);
    }
    switch (security::checkRadiusSecret(Edt_RadiusSecret->text())) {
    case security::SecretFault::Empty:
        return refuse(Edt_RadiusSecret, "Error",
            QStringLiteral("The shared secret of radius server cannot be empty."), faFocus);
    case security::SecretFault::TooLong:
        return refuse(Edt_RadiusSecret, "Error",
            QStringLiteral("The max length of secret of radius server is 64."), faFocus);
    case security::SecretFault::None:
        break;
    }
    // the secret only when the operator typed it
    save.radius.in({rvNetworkAccessProtection, rvServer, rvPort, rvSecret, rvKeyUpdateInterval});
    return true;
}

bool WirelessSecuritySection::prepare(Save &save)
{
    const auto setCipher = [&] {
        CB_Clipher->setCurrentIndex(
            CB_Clipher->findText(wirelessrules::deviceCipherFor(CB_CipherType->currentText())));
    };
    switch (kind()) {
    case SecurityKind::None:
        return true;
    case SecurityKind::Open:
        save.auth.in({security::avAuthentication, security::avEncryption});
        return true;
    case SecurityKind::Wep:
        save.auth.in({security::avAuthentication, security::avKeyIndex, security::avEncryption});
        CB_dot11Encryption->setCurrentIndex(options::kEnable);
        return checkKey(save);
    case SecurityKind::WpaPersonal:
        save.auth.in(security::avAuthentication);
        if (!checkPassphrase(save)) {
            return false;
        }
        setCipher();
        return true;
    case SecurityKind::WpaEnterprise:
        save.auth.in(security::avAuthentication);
        if (!security::validKeyInterval(Ed_UpdateInterval->text())) {
            return refuse(Ed_UpdateInterval, "Error",
                QStringLiteral("Please input a number between 300 and 9999999."), faClearAndFocus);
        }
        if (!checkRadius(save)) {
            return false;
        }
        save.passphrase.in({security::pvCipherType, security::pvGroupKeyUpdateInterval});
        setCipher();
        return true;
    case SecurityKind::Dot1x:
        save.auth.in(security::avAuthentication);
        if (!security::validKeyInterval(Ed_Update2->text())) {
            return refuse(Ed_Update2, "Error",
                QStringLiteral("Please input a number between 300 and 9999999."), faClearAndFocus);
        }
        if (!checkRadius(save)) {
            return false;
        }
        save.passphrase.in(security::pvGroupKeyUpdateInterval);
        return true;
    }
    return true;
}

bool WirelessSecuritySection::writeAuthentication()
{
    return m_auth->Set();
}

bool WirelessSecuritySection::writeKey()
{
    return m_keys[static_cast<std::size_t>(chosenKey())]->Set();
}

bool WirelessSecuritySection::writePassphrase()
{
    return m_passphrase->Set();
}

bool WirelessSecuritySection::writeRadius()
{
    return m_radius->Set();
}
