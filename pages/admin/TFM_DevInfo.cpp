// Device information page.
#include "TFM_DevInfo.h"

#include "ApMib.h"
#include "OptionListControls.h"
#include "SharedOptions.h"
#include "VtOptionList.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

const VtOptionList olAuthentication{{1, "opensystem"}, {2, "sharedkey"},
    {3, "opensystem-sharedkey"}, {4, "wpa-psk"}, {5, "wpa-eap"}, {6, "wpa2-psk"}, {7, "wpa2-eap"},
    {8, "wpa2-auto-psk"}, {9, "wpa2-auto-eap"}, {10, "dot1x"}};
const VtOptionList olEncryption{{0, "disabled"}, {1, "enabled"}};
const VtOptionList olCipher{{1, "auto"}, {2, "aes"}, {3, "tkip"}, {4, "wep"}};
const VtOptionList olKeyEntry{{1, "ascii"}, {2, "hex"}};
const VtOptionList olArrayMode{{1, "Master"}, {2, "Masterbackup"}, {3, "Slave"}};

const UISnmpVar kAddressVars[] = {
    {AP_OID("5.1.2.1.1.2.1"), "ifIpAddress", synIpAddress, vfRead},
    {AP_OID("5.1.2.1.1.3.1"), "ifSubnetMask", synIpAddress, vfRead},
    {AP_OID("5.1.2.1.1.4.1"), "ifDefaultGateway", synIpAddress, vfRead},
    {AP_OID("5.1.2.1.1.5.1"), "ifMacAddress", synMacAddress, vfRead},
    {nullptr},
};
const UISnmpVar kFirmwareVars[] = {
    {AP_OID("5.1.1"), "deviceInformationFirmwareVersion", synDisplayString, vfRead},
    {nullptr},
};
// wireless interface table, row ifIndex 1
const UISnmpVar kRadioVars[] = {
    {AP_OID("2.1.3.3.1.1.1.1.1"), "dot11Ssid", synDisplayString, vfRead},
    {AP_OID("2.1.3.3.1.1.1.3.1"), "dot11Channel", synInteger, vfRead},
    {AP_OID("2.1.3.3.1.1.1.11.1"), "dot11DataRate", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kSecurityVars[] = {
    {AP_OID("2.1.3.3.2.1.1.1.1"), "dot11Authentication", synInteger, vfRead, &olAuthentication},
    {AP_OID("2.1.3.3.2.1.1.2.1"), "dot11Encryption", synInteger, vfRead, &olEncryption},
    {AP_OID("2.1.3.3.2.1.1.5.1"), "dot11CipherType", synInteger, vfRead, &olCipher},
    {nullptr},
};
// key 1 of the radio's WEP key table (ifIndex, key index)
const UISnmpVar kWepKeyVars[] = {
    {AP_OID("2.1.3.3.2.2.1.2.1.1"), "dot11WepKeyEntryMethod", synInteger, vfRead, &olKeyEntry},
    {AP_OID("2.1.3.3.2.2.1.3.1.1"), "dot11WepKey", synDisplayString, vfRead},
    {nullptr},
};
const UISnmpVar kBandVars[] = {
    {mib::dot11Band, "dot11Band", synInteger, vfRead, &options::dot11Band},
    {nullptr},
};
const UISnmpVar kArrayVars[] = {
    {AP_OID("3.11.1.1.3"), "dot11ApArrayName", synDisplayString, vfRead},
    {AP_OID("3.11.1.1.2"), "dot11APArrayModeSelect", synInteger, vfRead, &olArrayMode},
    {mib::sysLocation, "sysLocation", synDisplayString, vfRead},
    {nullptr},
};

constexpr int kTimeout = 10000; // hundredths

QString keySize(const QString &entryMethod, const QString &key)
{
    const qsizetype n = key.size();
    if (n == 0) {
        return QStringLiteral("64bits");
    }
    if (entryMethod == u"ascii") {
        return n == 5 ? QStringLiteral("64bits") : n == 13 ? QStringLiteral("128bits") : QString();
    }
    if (entryMethod == u"hex") {
        return n == 10 ? QStringLiteral("64bits") : n == 26 ? QStringLiteral("128bits") : QString();
    }
    return {};
}

} // namespace

QString securityLevelText(const QString &authentication, const QString &encryption,
    const QString &cipher, const QString &keyEntryMethod, const QString &key)
{
    struct Wpa
    {
        const char *authentication;
        const char *prefix;
    };

    static const Wpa kWpa[] = {
        {"wpa-psk", "WPA-Personal / "},
        {"wpa-eap", "WPA-Enterprise / "},
        {"wpa2-psk", "WPA2-Personal / "},
        {"wpa2-eap", "WPA2-Enterprise / "},
        {"wpa2-auto-psk", "WPA2-Auto-Personal / "},
        {"wpa2-auto-eap", "WPA2-Auto-Enterprise / "},
    };
    if (authentication == u"opensystem") {
        if (encryption == u"disabled") {
            return QStringLiteral("None");
        }
        if (encryption == u"enabled") {
            return QStringLiteral("Open / ") + keySize(keyEntryMethod, key);
        }
        return {};
    }
    if (authentication == u"sharedkey") {
        return QStringLiteral("Shared Key / ") + keySize(keyEntryMethod, key);
    }
    for (const Wpa &w : kWpa) {
        if (authentication == QLatin1String(w.authentication)) {
            return QLatin1String(w.prefix) + cipher.toUpper();
        }
    }
    if (authentication == u"dot1x") {
        return QStringLiteral("802.1x / WEP");
    }
    return {};
}

TFM_DevInfo::TFM_DevInfo(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Status \\ Device Information"), context)
{
    form().beginGroup("GB_DevInfo", QStringLiteral("Device Information"));
    Ed_Firmware = form().addReadOnly("Ed_Firmware", QStringLiteral("Firmware Version:"));
    Ed_Mac = form().addReadOnly("Ed_Mac", QStringLiteral("MAC Address:"));
    form().addLine("Lab_WlanMac", QStringLiteral("WLAN1 MAC Address:"));
    LAB_Primary = form().addText("LAB_Primary", QStringLiteral("Primary:"));
    Lab_Seccondary1 = form().addText("Lab_Seccondary1", QStringLiteral("SSID 1~3:"));
    Lab_Seccondary7 = form().addText("Lab_Seccondary7", QStringLiteral("~"));
    form().beginGroup("GB_Ethernet", QStringLiteral("Ethernet"));
    Ed_IPaddr = form().addReadOnly("Ed_IPaddr", QStringLiteral("IP Address:"));
    Ed_SubMask = form().addReadOnly("Ed_SubMask", QStringLiteral("Subnet Mask:"));
    Ed_Gate = form().addReadOnly("Ed_Gate", QStringLiteral("Gateway:"));
    GB_Wireless = form().beginGroup("GB_Wireless", QStringLiteral("Wireless (2.4GHz)"));
    Ed_SSID = form().addReadOnly("Ed_SSID", QStringLiteral("SSID:"));
    Ed_Channel = form().addReadOnly("Ed_Channel", QStringLiteral("Channel:"));
    Ed_DRate = form().addReadOnly("Ed_DRate", QStringLiteral("Data Rate:"));
    Ed_Sec = form().addReadOnly("Ed_Sec", QStringLiteral("Security Level:"));
    form().beginGroup("GB_ApArray", QStringLiteral("Ap Array"));
    Ed_Array = form().addReadOnly("Ed_Array", QStringLiteral("Array Name:"));
    Ed_Role = form().addReadOnly("Ed_Role", QStringLiteral("Role:"));
    Ed_Location = form().addReadOnly("Ed_Location", QStringLiteral("Location:"));
    form().endGroup();
    CB_Auth = form().addHiddenCombo("CB_Auth");
    CB_Encryption = form().addHiddenCombo("CB_Encryption");
    CB_Cipher = form().addHiddenCombo("CB_Cipher");
    CB_KeyEntry = form().addHiddenCombo("CB_KeyEntry");
    Ed_WepKey = form().addHiddenEdit("Ed_WepKey");
    CB_Band = form().addHiddenCombo("CB_Band");
}

// The additional SSIDs use the primary MAC with the first byte replaced: 02 for the first,
// 06 for the last of the range.
void TFM_DevInfo::showDerivedMacLines()
{
    const QString mac = Ed_Mac->text();
    LAB_Primary->setText(mac);
    static const QRegularExpression kSixBytes(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    if (!kSixBytes.match(mac).hasMatch()) {
        // no address to derive from (unanswered, wrong type or too short)
        Lab_Seccondary1->clear();
        Lab_Seccondary7->clear();
        return;
    }
    const QString rest = mac.mid(2);
    Lab_Seccondary1->setText(QStringLiteral("02") + rest);
    Lab_Seccondary7->setText(QStringLiteral("06") + rest);
}

void TFM_DevInfo::FormCreate()
{
    // A failed read is not reported here: its fields show what the read left.
    VtSNMPRequest2Edits *addresses = makeRequest(kAddressVars, itInstance, kTimeout);
    bindControls(addresses, {Ed_IPaddr, Ed_SubMask, Ed_Gate, Ed_Mac});
    VtSNMPRequest2Edits *firmware = makeRequest(kFirmwareVars, itScalars, kTimeout, noHandlers());
    bindControls(firmware, {Ed_Firmware});
    VtSNMPRequest2Edits *radio = makeRequest(kRadioVars, itInstance, kTimeout);
    bindControls(radio, {Ed_SSID, Ed_Channel, Ed_DRate});
    VtSNMPRequest2Edits *security = makeRequest(kSecurityVars, itInstance, kTimeout);
    bindControls(security, {CB_Auth, CB_Encryption, CB_Cipher});
    VtSNMPRequest2Edits *wepKey = makeRequest(kWepKeyVars, itInstance, kTimeout);
    bindControls(wepKey, {CB_KeyEntry, Ed_WepKey});
    VtSNMPRequest2Edits *band = makeRequest(kBandVars, itInstance, kTimeout);
    bindControls(band, {CB_Band});
    VtSNMPRequest2Edits *array = makeRequest(kArrayVars, itScalars, kTimeout);
    bindControls(array, {Ed_Array, Ed_Role, Ed_Location});

    addresses->Get();
    showDerivedMacLines();
    if (Ed_Gate->text() == u"0.0.0.0") {
        Ed_Gate->setText(QStringLiteral("N/A"));
    }
    firmware->Get();
    radio->Get();
    security->Get();
    wepKey->Get();
    Ed_Sec->setText(securityLevelText(CB_Auth->currentText(), CB_Encryption->currentText(),
        CB_Cipher->currentText(), CB_KeyEntry->currentText(), Ed_WepKey->text()));
    band->Get();
    GB_Wireless->setTitle(selectedItemIndex(CB_Band) == options::kBand5GHz
            ? QStringLiteral("Wireless(5GHz)")
            : QStringLiteral("Wireless(2.4GHz)"));
    array->Get();
}
