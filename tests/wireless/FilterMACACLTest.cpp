// The wireless MAC ACL page against the simulated device: typed and picked adds, deletes, the
// close guard while the list changes, the client list, the access rule in client mode and its
// zone defence warning, Save, the ".acl" files through the page's TFTP server, a silent device and
// a hostile list.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_FilterMACACL.h"

#include <ostream>
#include <vector>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using MacAcl = PageHarness<TFM_FilterMACACL>;
using Seed = std::pair<const char *, const char *>;

// Two listed addresses with an empty slot between them; accepting the listed clients; zone
// defence off; three associated clients, one of them listed.
const std::vector<Seed> kDevice = {
    {"dot11ApMode", "1"},
    {"dot11Band", "1"},
    {"dot11MacAccessControl", "1"},
    {"dot11ZoneDefenceControl", "0"},
    {"dot11MacAccessControlListMacAddress.1", "00A0C5123456"},
    {"dot11MacAccessControlListMacAddress.2", "000000000000"},
    {"dot11MacAccessControlListMacAddress.3", "00A0C5654321"},
};

void prepare(kvatest::SimulatorProcess &d, const std::vector<Seed> &seeds)
{
    for (const std::vector<Seed> *list : {&kDevice, &seeds}) {
        for (const auto &[name, value] : *list) {
            EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value))) << name;
        }
    }
    EXPECT_TRUE(d.source(QStringLiteral("clients clear")));
    EXPECT_TRUE(d.source(QStringLiteral("clients add 0011223344AA band=G auth=opensystem rssi=40 "
                                        "ssid=Lab")));
    EXPECT_TRUE(
        d.source(QStringLiteral("clients add 00A0C5123456 band=N auth=wpa2-psk rssi=55 ssid=Lab")));
    EXPECT_TRUE(d.source(
        QStringLiteral("clients add 0011223344BB band=A auth=wpa2-auto-psk rssi=20 ssid=Guest")));
}

// The page always runs its TFTP server: on a free port of its own, as a file page's, so tests
// running side by side do not take one port from each other.
kvatest::PageOptions serving(kvatest::PageOptions options = {})
{
    options.files = true;
    return options;
}

MacAcl open(const std::vector<Seed> &seeds = {}, const std::vector<const char *> &faults = {},
    kvatest::PageOptions options = {})
{
    options = serving(options);
    return MacAcl(
        [&](kvatest::SimulatorProcess &d) {
            prepare(d, seeds);
            for (const char *f : faults) {
                EXPECT_TRUE(d.fault(QLatin1String(f))) << f;
            }
        },
        options);
}

QStringList rows(const ReportListView *list, int columns)
{
    QStringList out;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) {
            cells.append(list->cell(r, c));
        }
        out.append(cells.join(QLatin1Char('|')));
    }
    return out;
}

QStringList setTexts(kvatest::SimulatorProcess &device)
{
    QStringList out;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("set"))) {
        out.append(pdu.texts().join(QLatin1Char(' ')));
    }
    return out;
}

// --- opening and the two lists -----------------------------------------------------------------

TEST(MacAclPage, OpensWithTheListTheRuleAndTheClients)
{
    MacAcl h = open();
    EXPECT_EQ(h.statusText().isEmpty(), false);
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
    EXPECT_TRUE(h.page->listIdle());
    // the empty slot is no entry: the rows are numbered without a gap
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2), (QStringList{"1|00A0C5123456", "2|00A0C5654321"}));
    EXPECT_EQ(h.text("CB_AccessControl"), "Accept");
    EXPECT_EQ(h.text("CB_Band"), "5GHz");
    EXPECT_FALSE(h.page->CB_Band->isEnabled());
    EXPECT_EQ(rows(h.page->LV_ClientUser, 5),
        (QStringList{"0011223344AA|Lab|G|OPEN|40", "00A0C5123456|Lab|N|WPA2-PSK|55",
            "0011223344BB|Guest|A|wpa2-auto-psk|20"}));
    EXPECT_FALSE(h.page->Bt_Add->isEnabled());
    EXPECT_TRUE(h.page->Bt_Apply->isEnabled());
}

// --- a typed address ---------------------------------------------------------------------------

struct TypedAdd
{
    const char *name;
    const char *typed;
    const char *message; // "" for none
    const char *caption;
    std::vector<const char *> sets;
    std::vector<const char *> list;
};

void PrintTo(const TypedAdd &c, std::ostream *out)
{
    *out << c.name;
}

const TypedAdd kTypedAdds[] = {
    {"ElevenDigits", "00A0C5ABCDE", "The length is 12 in MAC Address.", "Error", {},
        {"1|00A0C5123456", "2|00A0C5654321"}},
    {"TwelveZeros", "000000000000", "Please input a valid MAC Address.", "Warning", {},
        {"1|00A0C5123456", "2|00A0C5654321"}},
    {"LowerCaseDuplicate", "00a0c5654321", "Reject: The MAC already exists ", "Warning", {},
        {"1|00A0C5123456", "2|00A0C5654321"}},
    {"Valid", "00a0c5abcdef", "", "", {"dot11MacAccessControlMacAddressAdd.1 = 00A0C5ABCDEF"},
        {"1|00A0C5123456", "2|00A0C5ABCDEF", "3|00A0C5654321"}},
};

class MacAclTypedAdd : public testing::TestWithParam<TypedAdd>
{ };

TEST_P(MacAclTypedAdd, ChecksThenAddsThroughTheAddObject)
{
    const TypedAdd &c = GetParam();
    MacAcl h = open();
    h.type("Ed_MacAdd", c.typed);
    h.device.clearLog();
    h.click("Btn_Add");
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
        EXPECT_EQ(h.statusText(), "Get OK!");
        EXPECT_EQ(h.text("Ed_MacAdd"), "");
    } else {
        ASSERT_EQ(h.ui.messages.size(), 1);
        EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
        EXPECT_EQ(h.ui.lastMessage().caption, QLatin1String(c.caption));
    }
    QStringList sets;
    for (const char *s : c.sets) {
        sets.append(QLatin1String(s));
    }
    EXPECT_EQ(setTexts(h.device), sets);
    QStringList list;
    for (const char *s : c.list) {
        list.append(QLatin1String(s));
    }
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2), list);
    EXPECT_TRUE(h.page->listIdle());
    EXPECT_TRUE(h.page->Bt_Apply->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, MacAclTypedAdd, testing::ValuesIn(kTypedAdds), kvatest::caseName);

TEST(MacAclPage, RefusedAddSaysWhyAndLeavesTheListUsable)
{
    MacAcl h = open({}, {"seterror dot11MacAccessControlMacAddressAdd genErr"});
    h.type("Ed_MacAdd", "00A0C5ABCDEF");
    h.click("Btn_Add");
    EXPECT_NE(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_TRUE(h.page->listIdle());
    EXPECT_TRUE(h.page->Bt_Del->isEnabled());
    EXPECT_TRUE(h.page->Bt_Apply->isEnabled());
    EXPECT_EQ(h.text("Ed_MacAdd"), "00A0C5ABCDEF"); // kept, ready to try again
}

// --- delete ------------------------------------------------------------------------------------

TEST(MacAclPage, DeleteAsksThenWritesTheDeleteObject)
{
    MacAcl h = open();
    h.clickRow("LV_UerMACAddress", 1);
    h.device.clearLog();
    h.ui.answers = {false};
    h.click("Bt_Del");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure that you want to delete this mac address?");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);

    h.ui.answers = {true};
    h.click("Bt_Del");
    EXPECT_EQ(
        setTexts(h.device), QStringList{"dot11MacAccessControlMacAddressDelete.1 = 00A0C5654321"});
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2), QStringList{"1|00A0C5123456"});
    EXPECT_TRUE(h.page->listIdle());
}

TEST(MacAclPage, DeleteWithoutASelectionDoesNothing)
{
    MacAcl h = open();
    h.device.clearLog();
    h.click("Bt_Del");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

TEST(MacAclPage, DoesNotCloseWhileTheListChanges)
{
    kvatest::PageOptions options;
    options.timeoutScale = 0.1; // the slowed answers stay well inside the time-outs
    MacAcl h = open({}, {}, options);
    ASSERT_TRUE(h.device.fault(QStringLiteral("delay 300")));
    h.type("Ed_MacAdd", "00A0C5ABCDEF");
    h.page->Btn_Add->click(); // the add's answer is on its way
    EXPECT_FALSE(h.page->listIdle());
    EXPECT_FALSE(h.page->close());
    EXPECT_TRUE(h.page->isVisible());
    EXPECT_FALSE(h.page->Bt_Del->isEnabled());
    EXPECT_FALSE(h.page->Bt_Apply->isEnabled());
    ASSERT_TRUE(h.device.fault(QStringLiteral("clear"))); // the rest of the chain at full speed
    h.waitIdle();
    EXPECT_TRUE(h.page->listIdle());
    EXPECT_TRUE(h.page->close());
}

// --- the clients -------------------------------------------------------------------------------

TEST(MacAclPage, APickedClientIsAddedUnlessListed)
{
    MacAcl h = open();
    h.clickRow("LV_ClientUser", 1); // listed already
    EXPECT_TRUE(h.page->Bt_Add->isEnabled());
    h.device.clearLog();
    h.click("Bt_Add");
    EXPECT_EQ(h.ui.lastMessage().text, "The MAC already exists ");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_TRUE(h.page->Bt_Add->isEnabled());
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);

    h.clickRow("LV_ClientUser", 2);
    h.click("Bt_Add");
    EXPECT_EQ(
        setTexts(h.device), QStringList{"dot11MacAccessControlMacAddressAdd.1 = 0011223344BB"});
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2),
        (QStringList{"1|00A0C5123456", "2|0011223344BB", "3|00A0C5654321"}));
    EXPECT_FALSE(h.page->Bt_Add->isEnabled());
}

TEST(MacAclPage, NoClientIsPickedWhileTheListIsIgnored)
{
    MacAcl h = open({{"dot11MacAccessControl", "3"}});
    EXPECT_FALSE(h.page->Ed_MacAdd->isEnabled());
    EXPECT_FALSE(h.page->Btn_Add->isEnabled());
    h.clickRow("LV_ClientUser", 0);
    EXPECT_FALSE(h.page->Bt_Add->isEnabled());
    h.choose("CB_AccessControl", "Reject");
    EXPECT_TRUE(h.page->Ed_MacAdd->isEnabled());
    EXPECT_FALSE(h.page->Bt_Add->isEnabled()) << "only a click in the client list enables it";
}

TEST(MacAclPage, ClientRowsWithoutAnAddressAreLeftOut)
{
    MacAcl h(
        [](kvatest::SimulatorProcess &d) {
            prepare(d, {});
            EXPECT_TRUE(d.source(QStringLiteral("clients add 000000000000 ssid=Lab")));
        },
        serving());
    EXPECT_EQ(h.page->LV_ClientTable->topLevelItemCount(), 4);
    EXPECT_EQ(h.page->LV_ClientUser->topLevelItemCount(), 3);
}

// --- the rule, client mode and Save ------------------------------------------------------------

TEST(MacAclPage, WirelessClientLocksDisableAndSaveWritesIt)
{
    MacAcl h = open({{"dot11ApMode", "4"}, {"dot11MacAccessControl", "1"}});
    EXPECT_EQ(h.text("CB_AccessControl"), "Disable");
    EXPECT_FALSE(h.page->CB_AccessControl->isEnabled());
    EXPECT_FALSE(h.page->Ed_MacAdd->isEnabled());
    EXPECT_FALSE(h.page->Btn_Add->isEnabled());
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(
        setTexts(h.device), (QStringList{"dot11ApMode.1 = 4", "dot11MacAccessControl.1 = 3", ""}))
        << "the mode as read, the rule, then the client table's empty write";
    EXPECT_EQ(h.device.get("dot11MacAccessControl"), "3");
    int walks = 0;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("getnext"))) {
        walks += !pdu.bindings.isEmpty() && pdu.bindings.first().name == "dot11ClientMacAddress"
            && pdu.bindings.first().instance == "1";
    }
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(h.statusText(), "Save OK!");
}

TEST(MacAclPage, RefusedRuleIsASaveFail)
{
    MacAcl h = open({}, {"seterror dot11MacAccessControl genErr"});
    h.choose("CB_AccessControl", "Reject");
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    EXPECT_EQ(h.device.get("dot11MacAccessControl"), "1");
}

struct ZoneCase
{
    const char *name;
    const char *zone;   // dot11ZoneDefenceControl
    const char *access; // dot11MacAccessControl at opening
    const char *choice; // picked afterwards, null for none
    int atOpening;      // warnings while opening
    int afterChoice;    // warnings the pick added
};

void PrintTo(const ZoneCase &c, std::ostream *out)
{
    *out << c.name;
}

const ZoneCase kZones[] = {
    {"AcceptWithZoneDefence", "1", "1", nullptr, 1, 0},
    {"RejectWithZoneDefence", "1", "2", nullptr, 0, 0},
    {"AcceptWithoutZoneDefence", "0", "1", nullptr, 0, 0},
    {"ChoosingDisableWithZoneDefence", "1", "2", "Disable", 0, 1},
    {"ChoosingAcceptWithZoneDefence", "1", "2", "Accept", 0, 1},
    {"ChoosingRejectWithZoneDefence", "1", "1", "Reject", 1, 0},
    {"ChoosingAcceptWithoutZoneDefence", "0", "2", "Accept", 0, 0},
};

class MacAclZoneDefence : public testing::TestWithParam<ZoneCase>
{ };

TEST_P(MacAclZoneDefence, WarnsWhenTheRuleIsNotReject)
{
    const ZoneCase &c = GetParam();
    MacAcl h = open({{"dot11ZoneDefenceControl", c.zone}, {"dot11MacAccessControl", c.access}});
    EXPECT_EQ(h.ui.messages.size(), c.atOpening);
    if (c.atOpening > 0) {
        EXPECT_EQ(h.ui.lastMessage().text, "Zone defence would be disable!");
        EXPECT_EQ(h.ui.lastMessage().caption, "Waring");
    }
    if (c.choice != nullptr) {
        h.device.clearLog();
        h.choose("CB_AccessControl", c.choice);
        EXPECT_EQ(h.ui.messages.size(), c.atOpening + c.afterChoice);
        EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0) << "nothing written before Save";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MacAclZoneDefence, testing::ValuesIn(kZones), kvatest::caseName);

// --- files -------------------------------------------------------------------------------------

// Opened by the test: h.open().
MacAcl filePage()
{
    return MacAcl([](kvatest::SimulatorProcess &d) { prepare(d, {}); }, kvatest::filePage());
}

TEST(MacAclFiles, AnUploadedFileBecomesTheList)
{
    MacAcl h = filePage();
    h.open();
    h.page->Ed_UpgFile->setText(
        h.file(QStringLiteral("office.acl"), "# office\n00A0C5111111\n\n00A0C5222222\n"));
    h.click("Btn_Upload");
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The ACL file update successfully!")));
    EXPECT_EQ(h.ui.lastMessage().caption, "OK");
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2), (QStringList{"1|00A0C5111111", "2|00A0C5222222"}));
    EXPECT_EQ(h.text("Ed_UpgFile"), h.files.filePath(QStringLiteral("office.acl")));
    EXPECT_TRUE(h.page->Btn_Upload->isEnabled());
}

TEST(MacAclFiles, BackslashesAndCapitalsAreNoProblem)
{
    MacAcl h = filePage();
    h.open();
    const QString path = h.file(QStringLiteral("OFFICE.ACL"), "00A0C5111111\n");
    h.page->Ed_UpgFile->setText(path);
    h.click("Btn_Upload");
    EXPECT_TRUE(h.sawMessage(QStringLiteral("The ACL file update successfully!")));
}

struct DownloadCase
{
    const char *name;
    const char *chosen;
    const char *stored;
};

void PrintTo(const DownloadCase &c, std::ostream *out)
{
    *out << c.name;
}

const DownloadCase kDownloads[] = {
    {"NameWithoutExtensionGetsAcl", "list", "list.acl"},
    {"AclAnywhereInTheNameKeepsIt", "list.ACL.bak", "list.ACL.bak"},
};

class MacAclDownload : public testing::TestWithParam<DownloadCase>
{ };

TEST_P(MacAclDownload, StoresTheDevicesList)
{
    const DownloadCase &c = GetParam();
    MacAcl h = filePage();
    h.open();
    h.ui.fileNames = {h.files.filePath(QLatin1String(c.chosen))};
    h.click("Btn_Download");
    EXPECT_EQ(h.ui.lastMessage().text, "The ACL file saved successfully!");
    EXPECT_EQ(h.ui.lastMessage().caption, "OK");
    QFile stored(h.files.filePath(QLatin1String(c.stored)));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray content = stored.readAll();
    EXPECT_TRUE(content.contains("00A0C5123456"));
    EXPECT_TRUE(content.contains("00A0C5654321"));
    EXPECT_EQ(h.text("Ed_UpgFile"), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, MacAclDownload, testing::ValuesIn(kDownloads), kvatest::caseName);

struct BrokenTransfer
{
    const char *name;
    const char *fault;
    bool upload;
    bool installSent; // whether getacl went out
};

void PrintTo(const BrokenTransfer &c, std::ostream *out)
{
    *out << c.name;
}

const BrokenTransfer kBroken[] = {
    {"UploadBrokenOff", "failtransfer", true, false},
    {"UploadInstallRefused", "seterror tftpUpgradeSettingCommand genErr", true, true},
    {"DownloadBrokenOff", "failtransfer", false, false},
    {"DownloadCommandRefused", "seterror tftpcommand genErr", false, false},
    {"DownloadInstallRefused", "seterror tftpUpgradeSettingCommand genErr", false, true},
};

class MacAclBrokenTransfer : public testing::TestWithParam<BrokenTransfer>
{ };

TEST_P(MacAclBrokenTransfer, SaysItFailedAndNeverThatItWorked)
{
    const BrokenTransfer &c = GetParam();
    MacAcl h = filePage();
    h.open();
    QByteArray big = "00A0C5111111\n";
    while (big.size() < 2000) {
        big += "# a comment line to make the file span several blocks\n";
    }
    const QString path = h.file(QStringLiteral("big.acl"), big);
    ASSERT_TRUE(h.device.fault(QLatin1String(c.fault)));
    h.device.clearLog();
    if (c.upload) {
        h.page->Ed_UpgFile->setText(path);
        h.click("Btn_Upload");
    } else {
        h.ui.fileNames = {h.files.filePath(QStringLiteral("saved.acl"))};
        h.click("Btn_Download");
    }
    EXPECT_EQ(h.ui.lastMessage().text, "Fail to save the ACL file!");
    EXPECT_EQ(h.ui.lastMessage().caption, "ERROR");
    EXPECT_FALSE(h.sawMessage(QStringLiteral("The ACL file update successfully!")));
    EXPECT_FALSE(h.sawMessage(QStringLiteral("The ACL file saved successfully!")));
    bool installSent = false;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("set"))) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            installSent = installSent || b.name == "tftpUpgradeSettingCommand";
        }
    }
    EXPECT_EQ(installSent, c.installSent);
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2), (QStringList{"1|00A0C5123456", "2|00A0C5654321"}));
    EXPECT_TRUE(h.page->Btn_Upload->isEnabled());
    EXPECT_TRUE(h.page->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MacAclBrokenTransfer, testing::ValuesIn(kBroken), kvatest::caseName);

TEST(MacAclFiles, AnInvalidFileLeavesTheListAsItWas)
{
    MacAcl h = filePage();
    h.open();
    h.page->Ed_UpgFile->setText(h.file(QStringLiteral("bad.acl"), "00A0C5111111\nnot a mac\n"));
    h.click("Btn_Upload");
    EXPECT_EQ(h.ui.lastMessage().text, "Fail to save the ACL file!");
    EXPECT_EQ(rows(h.page->LV_UerMACAddress, 2), (QStringList{"1|00A0C5123456", "2|00A0C5654321"}));
    EXPECT_EQ(h.device.get("dot11MacAccessControlListMacAddress.1"), "00A0C5123456");
}

struct FileCheck
{
    const char *name;
    const char *path; // "@" stands for the test's directory
    const char *message;
};

void PrintTo(const FileCheck &c, std::ostream *out)
{
    *out << c.name;
}

const FileCheck kFileChecks[] = {
    {"Empty", "", "Empty file is not accepted."},
    {"Missing", "@/none.acl", "File format error! Please try again!"},
    {"NotAcl", "@/list.txt", "File format error! Please try again!"},
};

class MacAclFileCheck : public testing::TestWithParam<FileCheck>
{ };

TEST_P(MacAclFileCheck, RefusesWithItsMessageAndSendsNothing)
{
    const FileCheck &c = GetParam();
    MacAcl h = filePage();
    h.open();
    h.file(QStringLiteral("list.txt"), "00A0C5111111\n");
    QString path = QString::fromUtf8(c.path);
    path.replace(QLatin1Char('@'), h.files.path());
    h.page->Ed_UpgFile->setText(path);
    h.device.clearLog();
    h.click("Btn_Upload");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacAclFileCheck, testing::ValuesIn(kFileChecks), kvatest::caseName);

TEST(MacAclFiles, APortInUseLeavesTheListWorkingWithoutFiles)
{
    MacAcl h = filePage();
    QUdpSocket taken; // the port the page is told to listen on is someone else's
    ASSERT_TRUE(taken.bind(QHostAddress::AnyIPv4, 0));
    qputenv("KVA7310_TFTP_PORT", QByteArray::number(taken.localPort()));
    h.open();
    ASSERT_FALSE(h.ui.messages.isEmpty());
    EXPECT_TRUE(h.ui.messages.first().text.startsWith(QStringLiteral("TFTP Service Init Error:")));
    EXPECT_FALSE(h.page->Btn_Upload->isEnabled());
    EXPECT_FALSE(h.page->Btn_Download->isEnabled());
    h.type("Ed_MacAdd", "00A0C5ABCDEF");
    h.click("Btn_Add");
    EXPECT_EQ(h.page->LV_UerMACAddress->topLevelItemCount(), 3);
    EXPECT_TRUE(h.page->close());
}

// --- silent and hostile devices ----------------------------------------------------------------

TEST(MacAclPage, SilentDeviceOpensShowsTheTimeOutAndCloses)
{
    MacAcl h({}, {"silent 60"}, serving({0.002, 0}));
    EXPECT_EQ(h.device.attempts().size(), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.page->listIdle());
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    EXPECT_TRUE(h.page->close());
}

TEST(MacAclPage, ShortAddressInTheListIsAnErrorAndTheListIsUsable)
{
    MacAcl h = open({}, {"short dot11MacAccessControlListMacAddress.1"});
    EXPECT_TRUE(h.statusText().contains(QLatin1String("VtSNMP++"))) << h.statusText().toStdString();
    EXPECT_TRUE(h.page->listIdle());
    EXPECT_TRUE(h.page->Bt_Apply->isEnabled());
    EXPECT_TRUE(h.page->close());
}

} // namespace
