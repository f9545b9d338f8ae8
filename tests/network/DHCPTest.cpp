// The DHCP server page against the simulated device: the pool shown as a count, the dynamic and
// static saves with their checks, the static table written in place and its deletes, the lease
// lists behind their refresh triggers, the close locks, a silent device and a hostile value.
#include "CaseName.h"
#include "ErrorMapping.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_DHCP.h"

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using kvatest::SimulatorProcess;
using Dhcp = PageHarness<TFM_DHCP>;
using Seed = std::pair<const char *, const char *>;

// The device as the tests find it: the server on, a pool of 50 addresses from .100, no WINS, two
// static entries in the first rows, the device itself at .10.
const std::vector<Seed> kDevice = {
    {"hIPAddress", "192.168.5.10"},
    {"dhcpServerControl", "1"},
    {"dhcpServerStaticControl", "0"},
    {"dynamicIpPoolStart", "192.168.5.100"},
    {"dynamicIpPoolEnd", "192.168.5.149"},
    {"dynamicMask", "255.255.255.0"},
    {"dynamicGateway", "192.168.5.1"},
    {"dynamicWins", "0.0.0.0"},
    {"dynamicDns", "192.168.5.2"},
    {"dynamicDomainName", "lab.example"},
    {"dynamicLeaseTime", "7200"},
    {"staticIpAddress.1", "192.168.5.50"},
    {"staticStatus.2", "1"},
    {"staticHostName.2", "scanner"},
    {"staticIpAddress.2", "192.168.5.60"},
    {"staticMacAddress.2", "001B2C3D4E21"},
    {"staticMask.2", "255.255.255.0"},
};

// Time-outs as the device's documentation gives them: no test here waits for one, and a loaded
// machine must not turn a slow answer into silence.
kvatest::PageOptions realTimeouts()
{
    kvatest::PageOptions o;
    o.timeoutScale = 1.0;
    return o;
}

void seed(SimulatorProcess &device, const std::vector<Seed> &seeds)
{
    for (const auto &[name, value] : seeds) {
        EXPECT_TRUE(device.set(QLatin1String(name), QString::fromUtf8(value))) << name;
    }
}

std::unique_ptr<Dhcp> openPage(const std::vector<Seed> &extra = {},
    const std::vector<const char *> &faults = {}, kvatest::PageOptions options = realTimeouts())
{
    return std::make_unique<Dhcp>(
        [&](SimulatorProcess &d) {
            seed(d, kDevice);
            seed(d, extra);
            for (const char *f : faults) {
                EXPECT_TRUE(d.fault(QLatin1String(f))) << f;
            }
        },
        options);
}

// The rows of a list view, the cells of a row joined by ",".
QStringList rowsOf(const QTreeWidget *list)
{
    QStringList rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) {
            cells.append(list->topLevelItem(r)->text(c));
        }
        rows.append(cells.join(QLatin1Char(',')));
    }
    return rows;
}

QStringList captionsOf(const QTreeWidget *list)
{
    QStringList captions;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        captions.append(list->topLevelItem(r)->text(0));
    }
    return captions;
}

QStringList setTexts(SimulatorProcess &device, int pdu)
{
    const QList<kvatest::LoggedPdu> sets = device.requests(QStringLiteral("set"));
    return pdu < sets.size() ? sets[pdu].texts() : QStringList{};
}

bool wrote(SimulatorProcess &device, const QString &name)
{
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("set"))) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            if (b.name == name) {
                return true;
            }
        }
    }
    return false;
}

bool enabled(Dhcp &h, const char *name)
{
    return h.find<QWidget>(name)->isEnabled();
}

// A static entry the checks accept, typed on the static tab.
void typeEntry(Dhcp &h, const char *host = "camera", const char *ip = "192.168.5.70",
    const char *mac = "001B2C3D4E30")
{
    h.type("ED_StaticHostName", host);
    h.type("ED_StaticAssignIP", ip);
    h.type("ED_StaticAssignMAC", mac);
}

constexpr const char *kStaticRow3[] = {"staticStatus.3 = 1", "staticHostName.3 = camera",
    "staticIpAddress.3 = 192.168.5.70", "staticMacAddress.3 = 001B2C3D4E30",
    "staticMask.3 = 255.255.255.0", "staticGateway.3 = 192.168.5.1", "staticDns.3 = 192.168.5.2",
    "staticWins.3 = 0.0.0.0", "staticDomainName.3 = lab.example"};

QString genErrText()
{
    return ErrorFromStatus(5).Message;
}

TEST(DhcpPage, OpensWithTheDevicesSettings)
{
    auto h = openPage();
    EXPECT_EQ(h->page->windowTitle(), "Advanced \\ DHCP Server");
    EXPECT_EQ(h->text("CB_Fuction1"), "Enable");
    EXPECT_EQ(h->text("CB_Fuction2"), "Enable"); // the static control follows the server's
    EXPECT_EQ(h->text("Ed_IPAF"), "192.168.5.100");
    EXPECT_EQ(h->text("Ed_PoolRan"), "50");
    EXPECT_EQ(h->text("Ed_Gateway"), "192.168.5.1");
    EXPECT_EQ(h->text("Ed_Wins"), ""); // the device's 0.0.0.0
    EXPECT_EQ(h->text("Ed_DomNa"), "lab.example");
    EXPECT_EQ(h->text("Ed_Lease"), "7200");
    EXPECT_EQ(h->text("SB_Dynamic"), "Get OK!");
    EXPECT_EQ(h->text("SB_Static"), "Get OK!");
    EXPECT_EQ(h->text("SB_MappingLower"), "Get OK");
    EXPECT_EQ(rowsOf(h->list("User_ListView")),
        QStringList({"001B2C3D4E20,192.168.5.50,printer", "001B2C3D4E21,192.168.5.60,scanner"}));
    // a new entry goes to the first empty row and starts from the dynamic pool's options
    EXPECT_EQ(h->text("Lb_Index"), "3");
    EXPECT_EQ(h->text("ED_StaticAssignIP"), "");
    EXPECT_EQ(h->text("ED_StaticAssignMAC"), "");
    EXPECT_EQ(h->text("ED_StaticSubMask"), "255.255.255.0");
    EXPECT_EQ(h->text("ED_StaticGateway"), "192.168.5.1");
    EXPECT_EQ(h->text("ED_StaticDoname"), "lab.example");
    EXPECT_EQ(rowsOf(h->list("LV_DynPool")),
        QStringList({"laptop-01,001B2C3D4E01,127.0.0.100,1 day 0:00:00.00",
            "phone-02,001B2C3D4E02,127.0.0.101,12:00:00.00"}));
    EXPECT_EQ(rowsOf(h->list("LV_StaticPool")), QStringList({"printer,001B2C3D4E20,127.0.0.50"}));
    EXPECT_TRUE(enabled(*h, "Bt_Apply"));
    EXPECT_TRUE(enabled(*h, "Bt_Cancel"));
    EXPECT_TRUE(enabled(*h, "Btn_Add"));
    EXPECT_FALSE(enabled(*h, "Btn_Del"));
    EXPECT_EQ(h->find<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_TRUE(h->ui.messages.isEmpty());
    h->page->close();
    EXPECT_FALSE(h->page->isVisible());
}

struct PoolCase
{
    const char *name;
    const char *deviceStart; // the pool as the device holds it
    const char *deviceEnd;
    const char *start; // typed before Save; null: Save is not pressed
    const char *count;
    const char *endWritten; // dynamicIpPoolEnd in the pool's SET; "" for no SET
    const char *shown;      // Ed_PoolRan at the end
    const char *message;    // the box, "" for none
    const char *caption;
};

void PrintTo(const PoolCase &c, std::ostream *out)
{
    *out << c.name;
}

const PoolCase kPools[] = {
    {"CountGivesTheLastAddress", "192.168.0.100", "192.168.0.110", "192.168.0.100", "155",
        "192.168.0.254", "155", "", ""},
    {"CountPastTheNetworkRefused", "192.168.0.100", "192.168.0.110", "192.168.0.100", "156", "", "",
        "Invaild IP range!", "Error"},
    {"DeviceEndInAnotherNetworkByFourthNumbers", "192.168.0.100", "192.168.1.150", nullptr, nullptr,
        "", "51", "", ""},
    {"CountNotANumber", "192.168.0.100", "192.168.0.110", "192.168.0.100", "abc", "", "",
        "Please input a number between 1 and 254.", "Error"},
    {"ZeroCount", "192.168.0.100", "192.168.0.110", "192.168.0.100", "0", "", "",
        "Please input a number between 1 and 254.", "Error"},
    {"StartWithoutFourthNumber", "192.168.0.100", "192.168.0.110", "10.0.0", "10", "", "10",
        "Please input valid IP address", "Waring"},
};

class DhcpPoolRange : public testing::TestWithParam<PoolCase>
{ };

TEST_P(DhcpPoolRange, ShownAsACountKeptAsTheLastAddress)
{
    const PoolCase &c = GetParam();
    auto h = openPage({{"dynamicIpPoolStart", c.deviceStart}, {"dynamicIpPoolEnd", c.deviceEnd}});
    if (c.start != nullptr) {
        h->type("Ed_IPAF", c.start);
        h->type("Ed_PoolRan", c.count);
        h->device.clearLog();
        h->click("Bt_Apply");
    }
    EXPECT_EQ(h->ui.lastMessage().text, c.message);
    EXPECT_EQ(h->ui.lastMessage().caption, c.caption);
    const QList<kvatest::LoggedPdu> sets = h->device.requests(QStringLiteral("set"));
    if (*c.endWritten == '\0') {
        EXPECT_TRUE(sets.isEmpty());
    } else {
        ASSERT_EQ(sets.size(), 2);
        EXPECT_TRUE(sets[1].texts().contains(
            QStringLiteral("dynamicIpPoolEnd.1 = ") + QLatin1String(c.endWritten)))
            << sets[1].texts().join(u'|').toStdString();
        EXPECT_EQ(h->device.get(QStringLiteral("dynamicIpPoolEnd")), c.endWritten);
    }
    EXPECT_EQ(h->text("Ed_PoolRan"), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, DhcpPoolRange, testing::ValuesIn(kPools), kvatest::caseName);

struct CheckCase
{
    const char *name;
    const char *field; // typed into before Save
    const char *text;
    const char *message;
    const char *caption;
    bool emptied; // else the field keeps what was typed; the field is focused either way
};

void PrintTo(const CheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const CheckCase kDynamicChecks[] = {
    {"EmptyStart", "Ed_IPAF", "", "Please input valid IP address", "Warning", false},
    {"EmptyCount", "Ed_PoolRan", "", "Please input a number between 1 and 254.", "Warning", false},
    {"CountAbove254", "Ed_PoolRan", "255", "Please input a number between 1 and 254.", "Error",
        true},
    {"BlankInDomainName", "Ed_DomNa", "lab example", "Invaild Domain Name!", "Warning", true},
    {"NonAsciiLetterInDomainName", "Ed_DomNa", "caf\xC3\xA9", "Invaild Domain Name!", "Warning",
        true},
    {"EmptyLease", "Ed_Lease", "", "Please input a number between 60 and 31536000.", "Warning",
        false},
    {"LeaseBelow60", "Ed_Lease", "59", "Please input a number between 60 and 31536000.", "Error",
        true},
    {"BadStart", "Ed_IPAF", "300.1.1.1", "Please input valid IP address", "Waring", true},
    {"ZeroMask", "Ed_SubMask", "0.0.0.0", "Please input valid SubMask.", "Waring", true},
    {"EmptyMask", "Ed_SubMask", "", "Please input valid SubMask.", "Waring", true},
    {"BadGateway", "Ed_Gateway", "192.168.5", "Please input valid Gateway.", "Waring", true},
    {"BadWins", "Ed_Wins", "192.168.5.256", "Invalid WINS!", "Waring", true},
    {"BadDns", "Ed_DNS", "0.1.2.3", "Please input valid DNS!", "Waring", true},
};

class DhcpDynamicCheck : public testing::TestWithParam<CheckCase>
{ };

TEST_P(DhcpDynamicCheck, StopsTheSave)
{
    const CheckCase &c = GetParam();
    auto h = openPage();
    h->type(c.field, c.text);
    h->device.clearLog();
    h->click("Bt_Apply");
    EXPECT_EQ(h->ui.lastMessage().text, c.message);
    EXPECT_EQ(h->ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h->ui.messages.size(), 1);
    EXPECT_EQ(h->text(c.field), c.emptied ? QString() : QString::fromUtf8(c.text));
    EXPECT_EQ(h->page->focusWidget(), h->edit(c.field));
    EXPECT_EQ(h->device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DhcpDynamicCheck, testing::ValuesIn(kDynamicChecks), kvatest::caseName);

TEST(DhcpPage, DynamicSaveWritesTheServerThenThePoolInOneSet)
{
    auto h = openPage();
    h->type("Ed_Gateway", "");
    h->type("Ed_DNS", "");
    h->type("Ed_PoolRan", "20");
    h->device.clearLog();
    h->click("Bt_Apply");
    EXPECT_TRUE(h->ui.messages.isEmpty());
    ASSERT_EQ(h->device.requests(QStringLiteral("set")).size(), 2);
    EXPECT_EQ(setTexts(h->device, 0), QStringList({"dhcpServerControl.0 = 1"}));
    // empty gateway, WINS and DNS go out as 0.0.0.0
    EXPECT_EQ(setTexts(h->device, 1),
        QStringList({"dynamicIpPoolStart.1 = 192.168.5.100", "dynamicIpPoolEnd.1 = 192.168.5.119",
            "dynamicMask.1 = 255.255.255.0", "dynamicGateway.1 = 0.0.0.0",
            "dynamicWins.1 = 0.0.0.0", "dynamicDns.1 = 0.0.0.0",
            "dynamicDomainName.1 = lab.example", "dynamicLeaseTime.1 = 7200"}));
    EXPECT_EQ(h->text("SB_Dynamic"), "Setting Success!");
    EXPECT_EQ(h->text("Ed_PoolRan"), "20");
    EXPECT_EQ(h->text("Ed_Gateway"), ""); // read again as 0.0.0.0
    EXPECT_EQ(h->text("Ed_DNS"), "");
}

struct RefusedCase
{
    const char *name;
    const char *fault;
    const char *chosen; // CB_Fuction1
};

void PrintTo(const RefusedCase &c, std::ostream *out)
{
    *out << c.name;
}

const RefusedCase kRefusedDynamic[] = {
    {"PoolRefused", "seterror dynamicMask genErr", "Enable"},
    {"ServerControlRefused", "seterror dhcpServerControl genErr", "Enable"},
    {"SwitchingOffRefused", "seterror dhcpServerControl genErr", "Disable"},
};

class DhcpDynamicRefused : public testing::TestWithParam<RefusedCase>
{ };

// A refused write replaces an earlier "Setting Success!" and leaves the count shown.
TEST_P(DhcpDynamicRefused, EndsInSettingError)
{
    const RefusedCase &c = GetParam();
    auto h = openPage();
    h->click("Bt_Apply");
    ASSERT_EQ(h->text("SB_Dynamic"), "Setting Success!");
    ASSERT_TRUE(h->device.fault(QLatin1String(c.fault)));
    h->choose("CB_Fuction1", c.chosen);
    h->click("Bt_Apply");
    EXPECT_EQ(h->text("SB_Dynamic"), "Setting Error!");
    EXPECT_EQ(h->text("Ed_PoolRan"), "50");
    EXPECT_EQ(h->device.get(QStringLiteral("dynamicIpPoolEnd")), "192.168.5.149");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DhcpDynamicRefused, testing::ValuesIn(kRefusedDynamic), kvatest::caseName);

struct DomainCase
{
    const char *name;
    const char *status; // dhcpServerDomainNameStatus
    bool dynamicEdit;   // Ed_DomNa enabled, dynamicDomainName written
    bool staticEdit;    // ED_StaticDoname enabled, the row's domain name written
};

void PrintTo(const DomainCase &c, std::ostream *out)
{
    *out << c.name;
}

const DomainCase kDomains[] = {
    {"Both", "0", true, true},
    {"DynamicOnly", "1", true, false},
    {"StaticOnly", "2", false, true},
};

class DhcpDomainNameStatus : public testing::TestWithParam<DomainCase>
{ };

TEST_P(DhcpDomainNameStatus, DecidesWhichDomainNameIsEditedAndWritten)
{
    const DomainCase &c = GetParam();
    auto h = openPage({{"dhcpServerDomainNameStatus", c.status}});
    EXPECT_EQ(enabled(*h, "Ed_DomNa"), c.dynamicEdit);
    EXPECT_EQ(enabled(*h, "ED_StaticDoname"), c.staticEdit);
    h->device.clearLog();
    h->click("Bt_Apply");
    EXPECT_EQ(wrote(h->device, QStringLiteral("dynamicDomainName")), c.dynamicEdit);

    h->chooseTab("PageControl1", 1);
    typeEntry(*h);
    h->device.clearLog();
    h->click("Btn_Add");
    EXPECT_EQ(wrote(h->device, QStringLiteral("staticDomainName")), c.staticEdit);
    EXPECT_EQ(wrote(h->device, QStringLiteral("staticHostName")), true);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DhcpDomainNameStatus, testing::ValuesIn(kDomains), kvatest::caseName);

TEST(DhcpPage, TabChangeReadsTheDomainNameStatusAgain)
{
    auto h = openPage();
    ASSERT_TRUE(enabled(*h, "Ed_DomNa"));
    ASSERT_TRUE(h->device.set(QStringLiteral("dhcpServerDomainNameStatus"), QStringLiteral("2")));
    h->chooseTab("PageControl1", 1);
    EXPECT_FALSE(enabled(*h, "Ed_DomNa"));
    EXPECT_TRUE(enabled(*h, "ED_StaticDoname"));
    ASSERT_TRUE(h->device.set(QStringLiteral("dhcpServerDomainNameStatus"), QStringLiteral("1")));
    h->chooseTab("PageControl1", 0);
    EXPECT_TRUE(enabled(*h, "Ed_DomNa"));
    EXPECT_FALSE(enabled(*h, "ED_StaticDoname"));
}

TEST(DhcpPage, TheCombosMirrorAndSwitchTheirEdits)
{
    auto h = openPage();
    const QColor white(Qt::white);
    EXPECT_EQ(h->list("User_ListView")->palette().color(QPalette::Base), white);
    h->choose("CB_Fuction1", "Disable");
    EXPECT_EQ(h->text("CB_Fuction2"), "Disable");
    for (const char *edit : {"Ed_IPAF", "Ed_PoolRan", "Ed_DomNa", "Ed_Lease", "ED_StaticHostName",
             "ED_StaticAssignMAC", "ED_StaticDoname", "User_ListView"}) {
        EXPECT_FALSE(enabled(*h, edit)) << edit;
    }
    EXPECT_NE(h->list("User_ListView")->palette().color(QPalette::Base), white); // greyed
    h->choose("CB_Fuction2", "Enable");
    EXPECT_EQ(h->text("CB_Fuction1"), "Enable");
    for (const char *edit :
        {"Ed_IPAF", "Ed_DomNa", "ED_StaticHostName", "ED_StaticDoname", "User_ListView"}) {
        EXPECT_TRUE(enabled(*h, edit)) << edit;
    }
    EXPECT_EQ(h->list("User_ListView")->palette().color(QPalette::Base), white);
}

TEST(DhcpPage, WirelessClientKeepsTheServerOff)
{
    auto h = openPage({{"dot11ApMode", "4"}});
    EXPECT_EQ(h->text("CB_Fuction1"), "Disable");
    EXPECT_EQ(h->text("CB_Fuction2"), "Disable");
    for (const char *control :
        {"CB_Fuction1", "CB_Fuction2", "Bt_RefreshDynamicPool", "Bt_RefreshStaticPool"}) {
        EXPECT_FALSE(enabled(*h, control)) << control;
    }
    EXPECT_FALSE(enabled(*h, "Ed_IPAF"));
}

// A new entry goes to the first empty row: the static control, one SET of that row, one walk.
TEST(DhcpPage, NewStaticEntryLandsInTheFirstEmptyRow)
{
    auto h = openPage();
    h->chooseTab("PageControl1", 1);
    typeEntry(*h);
    h->type("ED_StaticWins", "");
    h->device.clearLog();
    h->click("Btn_Add");
    EXPECT_TRUE(h->ui.messages.isEmpty());
    const QList<kvatest::LoggedPdu> log = h->device.requests();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log[0].op, "set");
    EXPECT_EQ(log[0].texts(), QStringList({"dhcpServerStaticControl.0 = 1"}));
    EXPECT_EQ(log[1].op, "set");
    EXPECT_EQ(log[1].texts(), QStringList(std::begin(kStaticRow3), std::end(kStaticRow3)));
    for (int i = 2; i < log.size(); ++i) {
        EXPECT_EQ(log[i].op, "getnext") << i; // the table read again, nothing else
    }
    EXPECT_EQ(rowsOf(h->list("User_ListView")).size(), 3);
    EXPECT_EQ(rowsOf(h->list("User_ListView"))[2], "001B2C3D4E30,192.168.5.70,camera");
    EXPECT_EQ(h->text("Lb_Index"), "4");
    EXPECT_EQ(h->text("SB_Static"), "Get OK!");
    EXPECT_EQ(h->text("SB_Dynamic"), SuccessResult().Message);
    h->page->close();
    EXPECT_FALSE(h->page->isVisible());
}

TEST(DhcpPage, AClickedEntryIsReplacedInPlace)
{
    auto h = openPage({{"staticGateway.2", "0.0.0.0"}});
    h->chooseTab("PageControl1", 1);
    h->clickRow("User_ListView", 1);
    EXPECT_EQ(h->text("ED_StaticHostName"), "scanner");
    EXPECT_EQ(h->text("ED_StaticAssignMAC"), "001B2C3D4E21");
    EXPECT_EQ(h->text("ED_StaticGateway"), ""); // 0.0.0.0 shown empty
    EXPECT_EQ(h->text("Lb_Index"), "2");
    EXPECT_TRUE(enabled(*h, "Btn_Del"));
    h->type("ED_StaticHostName", "scanner-2");
    h->device.clearLog();
    h->click("Btn_Add");
    EXPECT_EQ(h->device.get(QStringLiteral("staticHostName.2")), "scanner-2");
    EXPECT_EQ(h->device.get(QStringLiteral("staticIpAddress.3")), "0.0.0.0");
    EXPECT_EQ(rowsOf(h->list("User_ListView")),
        QStringList({"001B2C3D4E20,192.168.5.50,printer", "001B2C3D4E21,192.168.5.60,scanner-2"}));
}

const CheckCase kStaticChecks[] = {
    {"EmptyHostName", "ED_StaticHostName", "", "Invalid Host Name!", "Warning", true},
    {"BlankInHostName", "ED_StaticHostName", "cam era", "Invalid Host Name!", "Warning", true},
    {"BadDomainName", "ED_StaticDoname", "lab/example", "Invalid Host Name!", "Warning", true},
    {"EmptyAddress", "ED_StaticAssignIP", "", "Please input valid IP address", "Warning", true},
    {"BadAddress", "ED_StaticAssignIP", "192.168.5.255", "Please input valid IP address", "Waring",
        true},
    {"TheDevicesOwnAddress", "ED_StaticAssignIP", "192.168.5.10", "Please input valid IP address.",
        "Waring", true},
    {"ZeroMac", "ED_StaticAssignMAC", "000000000000", "Please input valid MAC address.", "Waring",
        true},
    {"ShortMac", "ED_StaticAssignMAC", "001B2C", "Please input valid MAC address.", "Waring", true},
    // compared without case against the other rows; the operator's text stays for correction
    {"LowerCaseMacOfAnotherRow", "ED_StaticAssignMAC", "001b2c3d4e21",
        "Reject: The MAC has already existed in IP Static pool.", "Warning", false},
    {"ZeroMask", "ED_StaticSubMask", "0.0.0.0", "Please input valid SubMask.", "Waring", true},
    {"BadGateway", "ED_StaticGateway", "1.2.3", "Please input valid Gateway.", "Waring", true},
    {"BadWins", "ED_StaticWins", "1.2.3.4.5", "Please input valid Wins.", "Waring", true},
    {"BadDns", "ED_StaticDNS", "256.1.1.1", "Please input valid DNS.", "Waring", true},
};

class DhcpStaticCheck : public testing::TestWithParam<CheckCase>
{ };

TEST_P(DhcpStaticCheck, StopsTheSaveBeforeAnyWrite)
{
    const CheckCase &c = GetParam();
    auto h = openPage();
    h->chooseTab("PageControl1", 1);
    typeEntry(*h);
    h->type(c.field, c.text);
    h->device.clearLog();
    h->click("Btn_Add");
    EXPECT_EQ(h->ui.lastMessage().text, c.message);
    EXPECT_EQ(h->ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h->ui.messages.size(), 1);
    EXPECT_EQ(h->text(c.field), c.emptied ? QString() : QString::fromUtf8(c.text));
    EXPECT_EQ(h->page->focusWidget(), h->edit(c.field));
    EXPECT_EQ(h->device.logCount(QStringLiteral("set")), 0);
    EXPECT_TRUE(enabled(*h, "Btn_Add"));
    EXPECT_TRUE(enabled(*h, c.field));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DhcpStaticCheck, testing::ValuesIn(kStaticChecks), kvatest::caseName);

// The refused row keeps what the operator typed and can be saved again; Del stays without
// effect from the Save until an entry is selected again.
TEST(DhcpPage, RefusedStaticWriteKeepsTheEntryAndDelWaitsForASelection)
{
    auto h = openPage({}, {"seterror staticHostName.2 genErr"});
    h->chooseTab("PageControl1", 1);
    h->clickRow("User_ListView", 1);
    h->type("ED_StaticHostName", "scanner-2");
    h->click("Btn_Add");
    EXPECT_EQ(h->text("SB_Static"), genErrText());
    EXPECT_EQ(h->text("SB_Dynamic"), genErrText());
    EXPECT_EQ(h->text("ED_StaticHostName"), "scanner-2");
    EXPECT_TRUE(enabled(*h, "Btn_Add"));
    EXPECT_TRUE(enabled(*h, "ED_StaticHostName"));
    ASSERT_TRUE(enabled(*h, "Btn_Del"));

    h->device.clearLog();
    h->click("Btn_Del");
    EXPECT_TRUE(h->ui.messages.isEmpty());
    EXPECT_EQ(h->device.log().size(), 0);

    h->clickRow("User_ListView", 1);
    h->ui.answers = {false};
    h->click("Btn_Del");
    EXPECT_EQ(h->ui.lastMessage().text, "Are you sure that you want to delete this entry?");
    EXPECT_EQ(h->ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h->device.log().size(), 0);
    h->page->close();
    EXPECT_FALSE(h->page->isVisible());
}

TEST(DhcpPage, DeleteMovesTheLaterEntriesUp)
{
    auto h = openPage();
    h->chooseTab("PageControl1", 1);
    h->clickRow("User_ListView", 0);
    h->device.clearLog();
    h->page->Btn_Del->click(); // not waiting: the re-read is still to come
    EXPECT_EQ(h->text("SB_Static"), "Delete OK!");
    EXPECT_FALSE(enabled(*h, "Btn_Add")); // no write while the table is read
    h->waitIdle();
    EXPECT_TRUE(enabled(*h, "Btn_Add"));
    EXPECT_EQ(setTexts(h->device, 0), QStringList({"dhcpServerStaticDelete.0 = 1"}));
    EXPECT_EQ(rowsOf(h->list("User_ListView")), QStringList({"001B2C3D4E21,192.168.5.60,scanner"}));
    EXPECT_EQ(h->text("Lb_Index"), "2");
    EXPECT_EQ(h->text("SB_Static"), "Get OK!");
}

TEST(DhcpPage, RefusedDeleteKeepsItsMessage)
{
    auto h = openPage({}, {"seterror dhcpServerStaticDelete genErr"});
    h->chooseTab("PageControl1", 1);
    h->clickRow("User_ListView", 0);
    h->click("Btn_Del");
    EXPECT_EQ(h->text("SB_Static"), genErrText());
    EXPECT_EQ(rowsOf(h->list("User_ListView")).size(), 2);
}

TEST(DhcpPage, FullStaticPoolWritesNothing)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (int r = 3; r <= 16; ++r) {
        rows.emplace_back("staticIpAddress." + std::to_string(r), "192.168.5." + std::to_string(r));
        rows.emplace_back(
            "staticMacAddress." + std::to_string(r), "001B2C3D4E" + std::to_string(r + 40));
    }
    std::vector<Seed> seeds;
    for (const auto &[name, value] : rows) {
        seeds.emplace_back(name.c_str(), value.c_str());
    }
    auto h = openPage(seeds);
    h->chooseTab("PageControl1", 1);
    ASSERT_EQ(rowsOf(h->list("User_ListView")).size(), 16);
    EXPECT_EQ(h->text("Lb_Index"), "");
    typeEntry(*h);
    h->device.clearLog();
    h->click("Btn_Add");
    EXPECT_EQ(h->ui.lastMessage().text, "The IP Static pool is full!");
    EXPECT_EQ(h->ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h->device.logCount(QStringLiteral("set")), 0);
    EXPECT_EQ(rowsOf(h->list("User_ListView")).size(), 16);
    EXPECT_EQ(h->device.get(QStringLiteral("staticIpAddress.16")), "192.168.5.16");
}

// The row was written but the static control was not: no success is claimed.
TEST(DhcpPage, RefusedStaticControlIsNoSuccess)
{
    auto h = openPage({}, {"seterror dhcpServerStaticControl genErr"});
    h->chooseTab("PageControl1", 1);
    typeEntry(*h);
    h->click("Btn_Add");
    EXPECT_EQ(h->device.get(QStringLiteral("staticHostName.3")), "camera");
    EXPECT_EQ(h->text("SB_Static"), "Setting Error!");
}

struct LeaseCase
{
    const char *name;
    const char *delay; // a fault switched on before Refresh, "" for none
};

void PrintTo(const LeaseCase &c, std::ostream *out)
{
    *out << c.name;
}

const LeaseCase kLeases[] = {
    {"AnswersAtOnce", ""},
    {"SlowAnswers", "delay 200"},
};

class DhcpLeases : public testing::TestWithParam<LeaseCase>
{ };

// Refresh reads at once and again once the device has refreshed; every lease shows once,
// numbered from 1, without the rows that hold no client.
TEST_P(DhcpLeases, RefreshShowsEveryClientOnce)
{
    auto h = openPage();
    for (const char *spec : {"leases clear", "leases add 001B2C3D4E31 host=tablet ip=10.1.0.5",
             "leases add 001B2C3D4E32 host=000000000000 ip=0.0.0.0",
             "leases add 001B2C3D4E33 host=desk ip=10.1.0.6 lease=360000",
             "leases add 001B2C3D4E34 host=nas ip=10.1.0.9 static=yes"}) {
        ASSERT_TRUE(h->device.source(QLatin1String(spec))) << spec;
    }
    if (*GetParam().delay != '\0') {
        ASSERT_TRUE(h->device.fault(QLatin1String(GetParam().delay)));
    }
    h->chooseTab("PageControl1", 2);
    h->page->Bt_RefreshDynamicPool->click();
    EXPECT_FALSE(enabled(*h, "Bt_RefreshDynamicPool")); // until the device has refreshed
    h->waitIdle();
    EXPECT_TRUE(enabled(*h, "Bt_RefreshDynamicPool"));
    EXPECT_EQ(rowsOf(h->list("LV_DynPool")),
        QStringList(
            {"tablet,001B2C3D4E31,10.1.0.5,0:00:00.00", "desk,001B2C3D4E33,10.1.0.6,1:00:00.00"}));
    EXPECT_EQ(captionsOf(h->list("LV_Dy")), QStringList({"1", "2"}));
    EXPECT_EQ(h->text("SB_MappingUpper"), "Get OK");
    EXPECT_EQ(h->text("SB_MappingLower"), "Get OK");
    h->click("Bt_RefreshStaticPool");
    EXPECT_EQ(rowsOf(h->list("LV_StaticPool")), QStringList({"nas,001B2C3D4E34,10.1.0.9"}));
    EXPECT_EQ(captionsOf(h->list("LV_Static")), QStringList({"1"}));
    EXPECT_EQ(h->text("SB_MappingLower"), "Get OK");
}

INSTANTIATE_TEST_SUITE_P(Cases, DhcpLeases, testing::ValuesIn(kLeases), kvatest::caseName);

TEST(DhcpPage, RefusedRefreshSaysSettingError)
{
    auto h = openPage({}, {"seterror refreshCurrentStaticList genErr"});
    h->chooseTab("PageControl1", 2);
    h->click("Bt_RefreshStaticPool");
    EXPECT_EQ(h->text("SB_MappingLower"), "Setting Error!");
    EXPECT_TRUE(enabled(*h, "Bt_RefreshStaticPool"));
}

// The page cannot close while the static pool is first read, by any way of closing.
TEST(DhcpPage, ClosesOnlyOnceTheStaticPoolWasRead)
{
    kvatest::PageOptions options = realTimeouts();
    options.openNow = false;
    auto h = openPage({}, {"delay 50"}, options);
    h->page = std::make_unique<TFM_DHCP>(nullptr, h->context);
    h->page->showPage();
    ASSERT_FALSE(h->page->requestsIdle()); // the static pool is being read
    h->page->close();
    EXPECT_TRUE(h->page->isVisible());
    h->page->reject();
    EXPECT_TRUE(h->page->isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(h->page.get(), &escape);
    EXPECT_TRUE(h->page->isVisible());
    EXPECT_FALSE(enabled(*h, "Bt_Cancel"));
    h->waitIdle();
    EXPECT_TRUE(enabled(*h, "Bt_Cancel"));
    h->page->reject();
    EXPECT_FALSE(h->page->isVisible());
}

// The opening stops at the first read the device does not answer; the page stays usable and
// closes.
TEST(DhcpPage, SilentDevice)
{
    auto h = openPage({}, {"silent 600"}, {0.002, 0});
    EXPECT_EQ(h->device.attemptCount(QStringLiteral("get")), 2); // the first read and its retry
    for (const char *bar : {"SB_Dynamic", "SB_Static", "SB_MappingUpper"}) {
        EXPECT_EQ(h->text(bar), kvatest::timeoutText()) << bar;
    }
    EXPECT_TRUE(enabled(*h, "Bt_Cancel"));
    h->chooseTab("PageControl1", 1);
    h->choose("CB_Fuction2", "Disable");
    h->click("Btn_Add");
    EXPECT_EQ(h->text("SB_Static"), "Setting Error!");
    EXPECT_TRUE(h->ui.messages.isEmpty());
    h->page->close();
    EXPECT_FALSE(h->page->isVisible());
}

// A static pool row whose MAC address is three bytes long.
TEST(DhcpPage, ShortMacInTheStaticPool)
{
    auto h = openPage({}, {"short staticMacAddress.1"});
    EXPECT_EQ(h->text("SB_Dynamic"), "(VtSNMP++) Bad SNMP syntax!");
    EXPECT_TRUE(h->ui.messages.isEmpty());
    h->page->close();
    EXPECT_FALSE(h->page->isVisible());
}

} // namespace
