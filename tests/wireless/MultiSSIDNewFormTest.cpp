// The multi-SSID page against the simulated device: the visible list and the SSID a click loads,
// Add's checks and its writes with the device masking its secrets, Delete, Save with the AP mode
// forced, the AP mode warning over two openings, the primary SSID's priority, the periodic key
// notice, a silent device and hostile values.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_MultiSSIDNewForm.h"

#include <ostream>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using MultiSsid = PageHarness<TFM_MultiSSIDNewForm>;
using Seed = std::pair<const char *, const char *>;

// Primary "Corp" (WPA2-PSK), SSID 1 "Guest" (open, a hex key kept), SSID 2 "Lab" (disabled),
// SSID 3 "Vis" (WPA2 auto PSK) with a RADIUS server; an access point on 2.4 GHz, multi-SSID on.
const std::vector<Seed> kDevice = {
    {"dot11ApMode", "1"},
    {"dot11Band", "0"},
    {"dot11MssidState", "1"},
    {"dot11MssidPriorityState", "0"},
    {"dot11MssIndividualState.1.1", "1"},
    {"dot11MssidSsid.1.1", "Corp"},
    {"dot11MssidAuthentication.1.1", "6"},
    {"dot11MssidPassPhrase.1.1", "corp-secret"},
    {"dot11MssIndividualState.1.2", "1"},
    {"dot11MssidSsid.1.2", "Guest"},
    {"dot11MssidAuthentication.1.2", "1"},
    {"dot11MssidEncryption.1.2", "0"},
    {"dot11MssidKeyType.1.2", "2"},
    {"dot11MssidWepKey.1.2", "0123456789"},
    {"dot11MssIndividualState.1.3", "0"},
    {"dot11MssidSsid.1.3", "Lab"},
    {"dot11MssIndividualState.1.4", "1"},
    {"dot11MssidSsid.1.4", "Vis"},
    {"dot11MssidAuthentication.1.4", "8"},
    {"dot11MssidPassPhrase.1.4", "visitor-pass"},
    {"dot11MssidRADIUSServer.4.1", "10.0.0.5"},
    {"dot11MssidRADIUSSecret.4.1", "radius-secret"},
};

MultiSsid open(const std::vector<Seed> &seeds, bool masked = false, const char *fault = nullptr)
{
    return MultiSsid(
        [&](kvatest::SimulatorProcess &d) {
            for (const std::vector<Seed> *list : {&kDevice, &seeds}) {
                for (const auto &[name, value] : *list) {
                    EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value))) << name;
                }
            }
            if (masked) {
                EXPECT_TRUE(d.command(QStringLiteral("mask on")).ok);
            }
            if (fault != nullptr) {
                EXPECT_TRUE(d.fault(QLatin1String(fault)));
            }
        },
        {});
}

// Each SET as its bindings' names, blank-separated.
QStringList setNames(kvatest::SimulatorProcess &device)
{
    QStringList pdus;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("set"))) {
        QStringList names;
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            names.append(b.name + QLatin1Char('.') + b.instance);
        }
        pdus.append(names.join(QLatin1Char(' ')));
    }
    return pdus;
}

// The walks of the SSID table: one GET-NEXT from its first row per walk.
int ssidTableWalks(kvatest::SimulatorProcess &device)
{
    int walks = 0;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("getnext"))) {
        if (!pdu.bindings.isEmpty() && pdu.bindings.first().name == "dot11MssIndividualState"
            && pdu.bindings.first().instance == "1.1") {
            ++walks;
        }
    }
    return walks;
}

QStringList visibleRows(MultiSsid &h)
{
    QStringList rows;
    ReportListView *list = h.page->LV_MultiSSID_User;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        rows.append(
            QStringList{list->cell(r, 0), list->cell(r, 1), list->cell(r, 2), list->cell(r, 3)}
                .join(QLatin1Char('|')));
    }
    return rows;
}

// --- opening, the visible list and the SSID a click loads -------------------------------------

TEST(MultiSsidPage, ListsTheEnabledSsidsAndLoadsTheClickedOne)
{
    MultiSsid h = open({{"dot11MssidEncryption.1.2", "1"}});
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
    EXPECT_EQ(visibleRows(h),
        (QStringList{"Primary SSID|Corp|2.4GHz|WPA2-Personal",
            "Multi-SSID1|Guest|2.4GHz|OpenSystem", "Multi-SSID3|Vis|2.4GHz|WPA2-Auto-Personal"}));
    // the primary SSID is the wireless page's: nothing of it is edited here
    EXPECT_EQ(h.text("CB_Index"), "Primary SSID");
    EXPECT_EQ(h.text("Ed_SSID"), "Corp");
    EXPECT_FALSE(h.page->Ed_SSID->isEnabled());
    EXPECT_FALSE(h.page->DelButton->isEnabled());

    h.clickRow("LV_MultiSSID_User", 2);
    EXPECT_EQ(h.text("CB_Index"), "SSID 3");
    EXPECT_EQ(h.text("Ed_SSID"), "Vis");
    EXPECT_EQ(h.text("CB_SSIDSecurityMode"), "WPA-Personal");
    EXPECT_EQ(h.text("CB_WPAMode"), "AUTO(WPA or WPA2)");
    EXPECT_EQ(h.page->GB_Passphrase->title(), "PassPhrase Settings");
    EXPECT_FALSE(h.page->GB_KeySettings->isVisible());
    EXPECT_TRUE(h.page->Ed_SSID->isEnabled());
    EXPECT_TRUE(h.page->DelButton->isEnabled());
    EXPECT_EQ(h.text("Lb_Ssidindex"), "4");

    h.clickRow("LV_MultiSSID_User", 1);
    EXPECT_EQ(h.text("CB_Index"), "SSID 1");
    EXPECT_EQ(h.text("CB_SSIDSecurityMode"), "Open System");
    EXPECT_TRUE(h.page->GB_KeySettings->isVisible());
    EXPECT_EQ(h.text("CB_KeyType"), "hex");
    EXPECT_EQ(h.text("CB_WepEncryp"), "64Bits"); // ten hex digits
    EXPECT_EQ(h.text("Ed_ConfirmKey"), "0123456789");
    h.choose("CB_DefaultKey", "second");
    EXPECT_EQ(h.text("Ed_Key"), "");
    EXPECT_EQ(h.text("Ed_ConfirmKey"), "");

    h.clickRow("LV_MultiSSID_User", 0);
    EXPECT_EQ(h.text("CB_Index"), "Primary SSID");
    EXPECT_FALSE(h.page->DelButton->isEnabled());
}

TEST(MultiSsidPage, MultiSsidOffLeavesOnlyThePrimarySsid)
{
    MultiSsid h = open({{"dot11MssidState", "0"}, {"dot11MssidPriorityState", "1"}});
    EXPECT_FALSE(h.page->IfEnabMuSSID->isChecked());
    EXPECT_FALSE(h.page->Chk_MultiPri->isChecked());
    for (QWidget *off :
        {static_cast<QWidget *>(h.page->CB_Index), static_cast<QWidget *>(h.page->AddButton),
            static_cast<QWidget *>(h.page->GB_MultiSSID),
            static_cast<QWidget *>(h.page->Chk_MultiPri)}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
    h.check("IfEnabMuSSID");
    EXPECT_TRUE(h.page->CB_Index->isEnabled());
    h.choose("CB_Index", "SSID 3");
    EXPECT_EQ(h.text("Ed_SSID"), "Vis");
    h.check("IfEnabMuSSID"); // off again: back on the primary SSID's row
    EXPECT_EQ(h.text("CB_Index"), "Primary SSID");
    EXPECT_EQ(h.text("Ed_SSID"), "Corp");
    EXPECT_EQ(h.text("Lb_Ssidindex"), "1");
}

// --- Add: the checks ---------------------------------------------------------------------------

struct Step
{
    const char *field;
    const char *text;
    bool pick = false; // a combo box item instead of typing
};

struct AddCheck
{
    const char *name;
    std::vector<Seed> seeds;
    const char *index;
    std::vector<Step> steps;
    const char *message;
    const char *caption;   // null: the program's own title
    const char *focus;     // null: not checked
    bool keyInUse = false; // the key-in-use warning comes first, and the save goes on to the check
};

void PrintTo(const AddCheck &c, std::ostream *out)
{
    *out << c.name;
}

const char kInterval[] = "Please input a number between 300 and 9999999.";
const char kConfirm[] = "Please input the confirm new password correctly!";
const Seed kEnterprise{"dot11MssidAuthentication.1.4", "9"};
const Seed kPeriodic{"dot11MssidAutoRekeyControl.1.4", "1"};

const AddCheck kAddChecks[] = {
    {"SsidEmpty", {}, "SSID 1", {{"Ed_SSID", ""}}, "Please input SSID!", "Warning", "Ed_SSID"},
    {"SsidLeadingBlank", {}, "SSID 1", {{"Ed_SSID", " guest"}},
        "The first character can't be blank!", "Warning", "Ed_SSID"},
    {"SsidOf33Characters", {{"dot11MssidSsid.1.2", "abcdefghijklmnopqrstuvwxyz0123456"}}, "SSID 1",
        {}, "The Max Length of SSID is 32!", "Warning", "Ed_SSID"},
    {"SameAsTheEnabledPrimary", {}, "SSID 2", {{"Ed_SSID", "Corp"}},
        "The 11g SSID 2's SSID is same as Primary SSID", "Warning", "Ed_SSID"},
    {"SameAsAnotherEnabledSsid", {}, "SSID 1", {{"Ed_SSID", "Vis"}},
        "The 11g SSID 1's SSID is same as SSID 3", "Warning", "Ed_SSID"},
    {"WepKeyOfTheWrongLength", {}, "SSID 1",
        {{"CB_MssidEncryption", "Enabled", true}, {"CB_WepEncryp", "128Bits", true}},
        "The Length of the key  must be 26!", "Warning", nullptr, true},
    {"WepKeyNotHex", {}, "SSID 1",
        {{"CB_MssidEncryption", "Enabled", true}, {"Ed_Key", "01234567zz"},
            {"Ed_ConfirmKey", "01234567zz"}},
        "Please input  Hexadecimal digits!", nullptr, nullptr, true},
    {"WepConfirmDiffers", {}, "SSID 1",
        {{"CB_MssidEncryption", "Enabled", true}, {"Ed_ConfirmKey", "0123456788"},
            {"Ed_Key", "0123456789"}},
        kConfirm, "Warning", "Ed_ConfirmKey", true},
    {"PassphraseOf7", {}, "SSID 3",
        {{"Ed_ConfirmPass", "1234567"}, {"Ed_Passphrase", "1234567"},
            {"Ed_UpdateInterval", "3600"}},
        "The Passphrase length is between 8 and 63.", "Error", "Ed_Passphrase"},
    {"PassphraseConfirmDiffers", {}, "SSID 3",
        {{"Ed_Passphrase", "12345678"}, {"Ed_ConfirmPass", "12345679"},
            {"Ed_UpdateInterval", "3600"}},
        kConfirm, "Warning", "Ed_ConfirmPass"},
    {"GroupIntervalEmpty", {}, "SSID 3", {{"Ed_UpdateInterval", ""}, {"Ed_SSID", "Vis"}}, kInterval,
        "Warning", "Ed_UpdateInterval"},
    {"GroupInterval299", {}, "SSID 3", {{"Ed_UpdateInterval", "299"}, {"Ed_SSID", "Vis"}},
        kInterval, "Error", "Ed_UpdateInterval"},
    {"RekeyInterval0", {kPeriodic}, "SSID 3", {{"Ed_TimeInterval", "0"}, {"Ed_SSID", "Vis"}},
        "Invalid Time Interval range!", "Warning", "Ed_TimeInterval"},
    {"RekeyInterval169", {kPeriodic}, "SSID 3", {{"Ed_TimeInterval", "169"}, {"Ed_SSID", "Vis"}},
        "Invalid Time Interval range!", "Warning", "Ed_TimeInterval"},
    {"RadiusServer", {kEnterprise}, "SSID 3", {{"Edt_RadiusServer", "10.0.0"}, {"Ed_SSID", "Vis"}},
        "The Radius server's IP is illegal.", "Error", "Edt_RadiusServer"},
    {"RadiusPort", {kEnterprise}, "SSID 3", {{"Edt_RadiusPort", "0"}, {"Ed_SSID", "Vis"}},
        "Please input a number between 1 and 65535.", "Error", "Edt_RadiusPort"},
    {"RadiusSecretEmpty", {kEnterprise}, "SSID 3", {{"Edt_RadiusSecret", ""}, {"Ed_SSID", "Vis"}},
        "The shared secret of radius server cannot be empty.", "Error", "Edt_RadiusSecret"},
    {"Dot1xKeyInterval", {{"dot11MssidAuthentication.1.4", "10"}}, "SSID 3",
        {{"Ed_KeyUpdate", "299"}, {"Ed_SSID", "Vis"}}, kInterval, "Error", "Ed_KeyUpdate"},
};

void runSteps(MultiSsid &h, const std::vector<Step> &steps)
{
    for (const Step &s : steps) {
        if (s.pick) {
            h.choose(s.field, s.text);
        } else {
            h.type(s.field, s.text);
        }
    }
}

class MultiSsidAddCheck : public testing::TestWithParam<AddCheck>
{ };

TEST_P(MultiSsidAddCheck, RefusesBeforeAnyWrite)
{
    const AddCheck &c = GetParam();
    MultiSsid h = open(c.seeds);
    h.choose("CB_Index", c.index);
    runSteps(h, c.steps);
    h.device.clearLog();
    h.ui.clear();
    h.click("AddButton");
    ASSERT_EQ(h.ui.messages.size(), c.keyInUse ? 2 : 1);
    if (c.keyInUse) {
        EXPECT_EQ(h.ui.messages.first().text,
            "Key value is used by SSID!\nTo change Key value affects other SSID settings.");
    }
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption,
        c.caption != nullptr ? QString::fromLatin1(c.caption)
                             : QCoreApplication::applicationName());
    if (c.focus != nullptr) {
        EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    }
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiSsidAddCheck, testing::ValuesIn(kAddChecks), kvatest::caseName);

TEST(MultiSsidPage, RefusedIntervalAndHexKeyAreEmptied)
{
    MultiSsid h = open({});
    h.choose("CB_Index", "SSID 3");
    h.type("Ed_UpdateInterval", "299");
    h.click("AddButton");
    EXPECT_EQ(h.text("Ed_UpdateInterval"), "");
    h.choose("CB_Index", "SSID 1");
    h.choose("CB_MssidEncryption", "Enabled");
    h.type("Ed_Key", "01234567zz");
    h.type("Ed_ConfirmKey", "01234567zz");
    h.click("AddButton");
    EXPECT_EQ(h.text("Ed_Key"), "");
    EXPECT_EQ(h.text("Ed_ConfirmKey"), "");
}

// --- Add: what is written ----------------------------------------------------------------------

struct AddWrite
{
    const char *name;
    std::vector<Seed> seeds;
    const char *index;
    std::vector<Step> steps;
    std::vector<const char *> sets;
    const char *notice = nullptr; // the one box the Add shows
};

void PrintTo(const AddWrite &c, std::ostream *out)
{
    *out << c.name;
}

const char kRow2Open[] = "dot11MssIndividualState.1.3 dot11MssidSsid.1.3 dot11MssidSuppress.1.3 "
                         "dot11MssidAuthentication.1.3 dot11MssidEncryption.1.3 dot11MssidWmm.1.3";
const char kRow1Open[] = "dot11MssIndividualState.1.2 dot11MssidSsid.1.2 dot11MssidSuppress.1.2 "
                         "dot11MssidAuthentication.1.2 dot11MssidEncryption.1.2 dot11MssidWmm.1.2";
const char kRow1Wep[] = "dot11MssIndividualState.1.2 dot11MssidSsid.1.2 dot11MssidSuppress.1.2 "
                        "dot11MssidAuthentication.1.2 dot11MssidEncryption.1.2 "
                        "dot11MssidWepKeyIndex.1.2 dot11MssidKeyType.1.2 dot11MssidWmm.1.2";
const char kRow1WepKey[] = "dot11MssIndividualState.1.2 dot11MssidSsid.1.2 dot11MssidSuppress.1.2 "
                           "dot11MssidAuthentication.1.2 dot11MssidEncryption.1.2 "
                           "dot11MssidWepKeyIndex.1.2 dot11MssidWepKey.1.2 "
                           "dot11MssidKeyType.1.2 dot11MssidWmm.1.2";
const char kRow3Personal[] = "dot11MssIndividualState.1.4 dot11MssidSsid.1.4 "
                             "dot11MssidSuppress.1.4 dot11MssidAuthentication.1.4 "
                             "dot11MssidCipherType.1.4 dot11MssidWmm.1.4 "
                             "dot11MssidGroupKeyUpdateInterval.1.4 dot11MssidAutoRekeyControl.1.4";
const char kRow3Passphrase[] = "dot11MssIndividualState.1.4 dot11MssidSsid.1.4 "
                               "dot11MssidSuppress.1.4 dot11MssidAuthentication.1.4 "
                               "dot11MssidCipherType.1.4 dot11MssidPassPhrase.1.4 "
                               "dot11MssidWmm.1.4 dot11MssidGroupKeyUpdateInterval.1.4 "
                               "dot11MssidAutoRekeyControl.1.4";
const char kRow3Enterprise[] = "dot11MssIndividualState.1.4 dot11MssidSsid.1.4 "
                               "dot11MssidSuppress.1.4 dot11MssidAuthentication.1.4 "
                               "dot11MssidCipherType.1.4 dot11MssidWmm.1.4 "
                               "dot11MssidGroupKeyUpdateInterval.1.4";
const char kRow3Dot1x[] = "dot11MssIndividualState.1.4 dot11MssidSsid.1.4 dot11MssidSuppress.1.4 "
                          "dot11MssidAuthentication.1.4 dot11MssidWmm.1.4";
const char kRow3Scheduled[] = "dot11MssIndividualState.1.4 dot11MssidSsid.1.4 "
                              "dot11MssidSuppress.1.4 dot11MssidAuthentication.1.4 "
                              "dot11MssidCipherType.1.4 dot11MssidWmm.1.4 "
                              "dot11MssidGroupKeyUpdateInterval.1.4 "
                              "dot11MssidAutoRekeyControl.1.4 dot11MssidAutoRekeyStartWeek.1.4 "
                              "dot11MssidAutoRekeyStartTime.1.4 "
                              "dot11MssidAutoRekeyTimeInterval.1.4";
const char kRadius[] = "dot11MssidRADIUSServer.4.1 dot11MssidRADIUSPort.4.1";
// an open WEP SSID whose key index holds a key: the save goes on after the warning
const char kKeyUsed[] =
    "Key value is used by SSID!\nTo change Key value affects other SSID settings.";
const char kNewKey[] = "Please check the Log or E-mail for the new security key!";
// an unlisted SSID saved with WEP at the key index an open WEP SSID holds: warned, then saved
const char kKeyShared[] =
    "Key value is used by SSID! \nTo change Key value affects other SSID settings.";
const char kRow2Wep[] = "dot11MssIndividualState.1.3 dot11MssidSsid.1.3 dot11MssidSuppress.1.3 "
                        "dot11MssidAuthentication.1.3 dot11MssidEncryption.1.3 "
                        "dot11MssidWepKeyIndex.1.3 dot11MssidKeyType.1.3 dot11MssidWmm.1.3";

const AddWrite kAddWrites[] = {
    {"OpenTurnsADisabledSsidOn", {}, "SSID 2", {{"Ed_SSID", "Lab2"}}, {kRow2Open}},
    {"TheNameOfADisabledSsidIsFree", {}, "SSID 1", {{"Ed_SSID", "Lab"}}, {kRow1Open}},
    {"WepKeepsTheMaskedKey", {{"dot11MssidEncryption.1.2", "1"}}, "SSID 1", {}, {kRow1Wep},
        kKeyUsed},
    {"WepSharingAnOpenWepSsidsKeyIndex",
        {{"dot11MssidEncryption.1.2", "1"}, {"dot11MssidAuthentication.1.3", "1"},
            {"dot11MssidEncryption.1.3", "1"}, {"dot11MssidKeyType.1.3", "2"},
            {"dot11MssidWepKey.1.3", "0A1B2C3D4E"}},
        "SSID 2", {}, {kRow2Wep}, kKeyShared},
    {"WepTypedKey", {{"dot11MssidEncryption.1.2", "1"}}, "SSID 1",
        {{"Ed_Key", "0A1B2C3D4E"}, {"Ed_ConfirmKey", "0A1B2C3D4E"}}, {kRow1WepKey}, kKeyUsed},
    {"PersonalKeepsTheMaskedPassphrase", {}, "SSID 3", {}, {kRow3Personal}},
    {"PersonalPassphraseOf8", {}, "SSID 3",
        {{"Ed_Passphrase", "12345678"}, {"Ed_ConfirmPass", "12345678"}}, {kRow3Passphrase}},
    {"PersonalPassphraseOf63", {}, "SSID 3",
        {{"Ed_Passphrase", "123456789012345678901234567890123456789012345678901234567890123"},
            {"Ed_ConfirmPass", "123456789012345678901234567890123456789012345678901234567890123"}},
        {kRow3Passphrase}},
    {"PersonalGroupInterval300", {}, "SSID 3", {{"Ed_UpdateInterval", "300"}}, {kRow3Personal}},
    {"PersonalScheduledRekeying", {kPeriodic}, "SSID 3", {{"Ed_TimeInterval", "168"}},
        {kRow3Scheduled}, kNewKey},
    // the RADIUS server goes first; an unedited secret and the key interval stay out
    {"EnterpriseWritesTheRadiusServerFirst", {kEnterprise}, "SSID 3", {},
        {kRadius, kRow3Enterprise}},
    {"Dot1xWritesTheKeyInterval", {{"dot11MssidAuthentication.1.4", "10"}}, "SSID 3", {},
        {"dot11MssidRADIUSServer.4.1 dot11MssidRADIUSPort.4.1 "
         "dot11MssidRadiusKeyUpdateInterval.4.1",
            kRow3Dot1x}},
    {"TypedRadiusSecret", {kEnterprise}, "SSID 3", {{"Edt_RadiusSecret", "new-secret"}},
        {"dot11MssidRADIUSServer.4.1 dot11MssidRADIUSPort.4.1 dot11MssidRADIUSSecret.4.1",
            kRow3Enterprise}},
    {"WirelessClientWritesTheModeFirst", {{"dot11ApMode", "4"}}, "SSID 3", {},
        {"dot11ApMode.1", kRow3Personal}},
};

class MultiSsidAddWrite : public testing::TestWithParam<AddWrite>
{ };

TEST_P(MultiSsidAddWrite, SendsTheRowWithItsSecretsOnlyWhenTyped)
{
    const AddWrite &c = GetParam();
    MultiSsid h = open(c.seeds, true);
    h.choose("CB_Index", c.index);
    runSteps(h, c.steps);
    h.device.clearLog();
    h.ui.clear();
    h.click("AddButton");
    if (c.notice == nullptr) {
        EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
    } else {
        ASSERT_EQ(h.ui.messages.size(), 1);
        EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.notice));
    }
    QStringList expected;
    for (const char *set : c.sets) {
        expected.append(QLatin1String(set));
    }
    EXPECT_EQ(setNames(h.device), expected);
    EXPECT_EQ(h.statusText(), "Get OK!");                              // the table was read again
    const int ssid = QString::fromLatin1(c.index).back().digitValue(); // "SSID n": row 1.(n+1)
    EXPECT_EQ(h.device.get(QStringLiteral("dot11MssIndividualState.1.%1").arg(ssid + 1)), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiSsidAddWrite, testing::ValuesIn(kAddWrites), kvatest::caseName);

TEST(MultiSsidPage, APassphraseTypedForAnotherSsidIsNotWritten)
{
    MultiSsid h = open({{"dot11MssidAuthentication.1.2", "6"}}, true);
    h.choose("CB_Index", "SSID 1");
    h.type("Ed_Passphrase", "typed-for-ssid-1");
    h.type("Ed_ConfirmPass", "typed-for-ssid-1");
    h.choose("CB_Index", "SSID 3");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(setNames(h.device), QStringList{kRow3Personal});
    EXPECT_EQ(h.device.get("dot11MssidPassPhrase.1.4"), "visitor-pass");
    EXPECT_EQ(h.device.get("dot11MssidPassPhrase.1.2"), "");
}

// In WDS mode the WPA list holds "WPA2 Only" alone; the mode goes to "Access Point" first and
// the SSID keeps the generation its item names.
TEST(MultiSsidPage, WdsModeKeepsTheShownWpaGeneration)
{
    MultiSsid h = open({{"dot11ApMode", "3"}, {"dot11MssidAuthentication.1.4", "6"}}, true);
    EXPECT_TRUE(h.sawMessage("If you enable Multi-SSID, AP Mode will be set to 'Access Point'!"));
    h.choose("CB_Index", "SSID 3");
    EXPECT_EQ(h.text("CB_SSIDSecurityMode"), "WPA-Personal");
    EXPECT_EQ(h.text("CB_WPAMode"), "WPA2 Only");
    EXPECT_FALSE(h.page->CB_WPAMode->isEnabled());
    h.device.clearLog();
    h.click("AddButton");
    ASSERT_EQ(setNames(h.device).size(), 2);
    EXPECT_EQ(setNames(h.device).first(), "dot11ApMode.1");
    EXPECT_EQ(h.device.get("dot11ApMode"), "1");
    EXPECT_EQ(h.device.get("dot11MssidAuthentication.1.4"), "6"); // wpa2-psk, not the auto one
}

TEST(MultiSsidPage, RefusedRadiusWriteLeavesTheSsidOff)
{
    MultiSsid h = open({{"dot11MssidAuthentication.1.3", "9"}}, false,
        "seterror dot11MssidRADIUSServer.3.1 genErr");
    h.choose("CB_Index", "SSID 2");
    h.type("Edt_RadiusServer", "10.0.0.9");
    h.type("Edt_RadiusSecret", "secret");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 1);
    EXPECT_EQ(h.device.get("dot11MssIndividualState.1.3"), "0");
}

// --- the primary SSID's priority ---------------------------------------------------------------

TEST(MultiSsidPage, PrimaryPriorityIsOneSetAndOneWalk)
{
    MultiSsid h = open({{"dot11MssidPriorityState", "1"}});
    EXPECT_TRUE(h.page->Cbox_Priority->isEnabled());
    h.choose("Cbox_Priority", "5");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(setNames(h.device), QStringList{"dot11MssidPriority.1.1"});
    EXPECT_EQ(h.device.get("dot11MssidPriority.1.1"), "5");
    EXPECT_EQ(ssidTableWalks(h.device), 1);

    h.check("Chk_MultiPri"); // priority off: nothing to write for the primary SSID
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(h.ui.lastMessage().text, "Settings is not changed.");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

// --- the periodic key notice and the AP mode warning -------------------------------------------

TEST(MultiSsidPage, ScheduledRekeyingTellsOfTheNewKeyOnce)
{
    MultiSsid h = open({kPeriodic}, true);
    EXPECT_TRUE(h.ui.messages.isEmpty()) << "no write yet";
    h.choose("CB_Index", "SSID 3");
    h.click("AddButton");
    const QString notice =
        QStringLiteral("Please check the Log or E-mail for the new security key!");
    int shown = 0;
    for (const auto &m : h.ui.messages) {
        shown += m.text == notice ? 1 : 0;
    }
    EXPECT_EQ(shown, 1);
    h.click("ApplyBtn"); // reads the table again
    h.choose("CB_Index", "SSID 3");
    h.click("AddButton");
    int after = 0;
    for (const auto &m : h.ui.messages) {
        after += m.text == notice ? 1 : 0;
    }
    EXPECT_EQ(after, 2) << "each write tells once";
}

TEST(MultiSsidPage, PrimaryRekeyingLocksTheSchedules)
{
    MultiSsid h = open({kPeriodic, {"dot11MssidAutoRekeyControl.1.1", "1"}});
    h.choose("CB_Index", "SSID 3");
    EXPECT_TRUE(h.page->CB_AutoRekeyType->isEnabled());
    EXPECT_FALSE(h.page->Ed_TimeInterval->isEnabled());
    EXPECT_FALSE(h.page->CB_TimeWeek->isEnabled());
}

TEST(MultiSsidPage, AccessPointWarningOverTwoOpenings)
{
    const QString warning =
        QStringLiteral("If you enable Multi-SSID, AP Mode will be set to 'Access Point'!");
    MultiSsid h = open({{"dot11ApMode", "4"}});
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, warning);
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_FALSE(h.pages.flag(QLatin1String(TFM_MultiSSIDNewForm::kWarningArmedKey)));
    h.choose("CB_Index", "SSID 1");
    EXPECT_EQ(h.ui.messages.size(), 1) << "shown once";
    h.check("IfEnabMuSSID"); // off: armed again
    EXPECT_TRUE(h.pages.flag(QLatin1String(TFM_MultiSSIDNewForm::kWarningArmedKey)));
    h.check("IfEnabMuSSID");
    EXPECT_EQ(h.ui.messages.size(), 2);

    h.close();
    h.ui.clear();
    h.open(); // the same run of the module: the successful read arms it again
    EXPECT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, warning);
}

// --- Delete and Save ---------------------------------------------------------------------------

TEST(MultiSsidPage, DeleteWritesTheStateAlone)
{
    MultiSsid h = open({});
    h.clickRow("LV_MultiSSID_User", 2);
    h.device.clearLog();
    h.ui.answers = {false};
    h.click("DelButton");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure that you want to delete this SSID?");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);

    h.ui.answers = {true};
    h.click("DelButton");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets.first().texts(), QStringList{"dot11MssIndividualState.1.4 = 0"});
    EXPECT_EQ(h.device.get("dot11MssidSsid.1.4"), "Vis"); // the row keeps its values
    EXPECT_EQ(visibleRows(h).size(), 2);
    EXPECT_EQ(h.statusText(), "Get OK!");
}

TEST(MultiSsidPage, SaveAsAWirelessClientWritesTheModeFirst)
{
    MultiSsid h = open({{"dot11ApMode", "4"}, {"dot11MssidPriorityState", "0"}});
    h.check("Chk_MultiPri");
    h.device.clearLog();
    h.click("ApplyBtn");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0].texts(), QStringList{"dot11ApMode.1 = 1"});
    EXPECT_EQ(
        sets[1].texts(), (QStringList{"dot11MssidState.1 = 1", "dot11MssidPriorityState.1 = 1"}));
    EXPECT_EQ(ssidTableWalks(h.device), 1);
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_TRUE(h.sawMessage("If you enable Multi-SSID, AP Mode will be set to 'Access Point'!"));
}

TEST(MultiSsidPage, RefusedSaveSaysSo)
{
    MultiSsid h = open({}, false, "seterror dot11MssidState genErr");
    h.click("ApplyBtn");
    EXPECT_EQ(h.statusText(), "Save Fail!"); // the table's new read leaves it standing
    EXPECT_EQ(h.device.get("dot11MssidState"), "1");
}

// --- silent and hostile devices ----------------------------------------------------------------

TEST(MultiSsidPage, SilentDeviceOpensShowsTheTimeOutAndCloses)
{
    MultiSsid h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attempts().size(), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.device.clearLog();
    h.click("ApplyBtn");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(MultiSsidPage, AnAuthenticationOutsideTheTableShowsItsOptionText)
{
    MultiSsid h = open({{"dot11MssidAuthentication.1.2", "3"}});
    EXPECT_EQ(h.page->LV_MultiSSID_User->cell(1, 3), "opensystem-sharedkey");
    h.clickRow("LV_MultiSSID_User", 1);
    EXPECT_EQ(h.page->CB_SSIDSecurityMode->currentIndex(), -1);
}

TEST(MultiSsidPage, WrongTypedSsidIsAnErrorAndThePageCloses)
{
    MultiSsid h = open({}, false, "wrongtype dot11MssidSsid.1.2");
    EXPECT_NE(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.statusText().isEmpty());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

} // namespace
