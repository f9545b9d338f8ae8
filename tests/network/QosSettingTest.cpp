// The QoS page against the simulated device: the rule list as the device packs it, the add checks
// and the columns an add carries, delete, Save's rule states built from the list, the AP mode
// that has no QoS, the close guard while the rule table is being written, a silent device and a
// priority the page does not know.
#include "CaseName.h"
#include "ErrorMapping.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_QosSetting.h"

#include <utility>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Qos = PageHarness<TFM_QosSetting>;

const char kVoipRow[] = "voip"; // the device's rule in row 1: UDP 5060-5061, 127.0.0.20-29

void seed(kvatest::SimulatorProcess &d, const QString &name, const QString &value)
{
    EXPECT_TRUE(d.set(name, value)) << name.toStdString();
}

// QoS on, classifiers off, and rules named `names` in rows 2 on (state Enable for odd rows).
std::function<void(kvatest::SimulatorProcess &)> qosOn(QStringList names = {})
{
    return [names](kvatest::SimulatorProcess &d) {
        seed(d, QStringLiteral("dot11QosStatus"), QStringLiteral("1"));
        seed(d, QStringLiteral("dot11QosHttp"), QStringLiteral("0"));
        seed(d, QStringLiteral("dot11QosAutomatic"), QStringLiteral("0"));
        int row = 2;
        for (const QString &name : names) {
            const QString at = QLatin1Char('.') + QString::number(row);
            seed(d, QStringLiteral("dot11QosRulesName") + at, name);
            seed(d, QStringLiteral("dot11QosRulesState") + at, QString::number(row % 2));
            seed(d, QStringLiteral("dot11QosRulesHostOneIpStart") + at, QStringLiteral("10.1.1.1"));
            seed(d, QStringLiteral("dot11QosRulesHostOneIpEnd") + at, QStringLiteral("10.1.1.5"));
            ++row;
        }
    };
}

using kvatest::faulty;

QList<QStringList> sets(Qos &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

QStringList row(ReportListView *list, int r)
{
    return kvatest::rowCells(list, r);
}

// A rule as the operator enters it.
struct Fields
{
    const char *name = "web";
    const char *protocol = "TCP";
    const char *number = ""; // typed into the protocol number (Other)
    const char *from1 = "127.0.0.40";
    const char *to1 = "127.0.0.49";
    const char *portFrom1 = "80";
    const char *portTo1 = "90";
    const char *from2 = "";
    const char *to2 = "";
    const char *portFrom2 = "";
    const char *portTo2 = "";
    const char *thenProtocol = ""; // chosen after the ports were typed
};

void fill(Qos &h, const Fields &f)
{
    h.type("Ed_QosName", f.name);
    h.choose("CB_Protocol", f.protocol);
    if (*f.number != '\0') {
        h.type("Ed_ProtocolName", f.number);
    }
    h.type("Ed_IpFrom1", f.from1);
    h.type("Ed_IpTo1", f.to1);
    h.type("Ed_IpFrom2", f.from2);
    h.type("Ed_IpTo2", f.to2);
    if (h.edit("Ed_PortFrom1")->isEnabled()) {
        h.type("Ed_PortFrom1", f.portFrom1);
        h.type("Ed_PortTo1", f.portTo1);
        h.type("Ed_PortFrom2", f.portFrom2);
        h.type("Ed_PortTo2", f.portTo2);
    }
    if (*f.thenProtocol != '\0') {
        h.choose("CB_Protocol", f.thenProtocol);
    }
}

TEST(QosPage, OpensWithTheDevicesRules)
{
    Qos h(qosOn({"mail"}), {});
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ QoS");
    EXPECT_EQ(h.text("CB_EnableQos"), "Enable");
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
    EXPECT_EQ(row(h.page->LV_QosRulesUser, 0),
        (QStringList{kVoipRow, "Voice(VO)", "127.0.0.20~127.0.0.29", "0.0.0.0~0.0.0.0",
            "UDP 5060/5061 Any"}));
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItem(1)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
    EXPECT_TRUE(h.page->Btn_Add->isEnabled());
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
    EXPECT_EQ(h.text("CB_Protocol"), "Any");
    EXPECT_EQ(h.text("Ed_ProtocolName"), "256");
    EXPECT_FALSE(h.edit("Ed_PortFrom1")->isEnabled());
    EXPECT_EQ(h.device.logCount("set"), 0);

    // a listed rule fills the edits, its zero ports and addresses shown empty
    h.clickRow("LV_QosRulesUser", 0);
    EXPECT_EQ(h.text("Ed_QosName"), kVoipRow);
    EXPECT_EQ(h.text("CB_Priority"), "Voice(VO)");
    EXPECT_EQ(h.text("CB_Protocol"), "UDP");
    EXPECT_EQ(h.text("Ed_PortFrom1"), "5060");
    EXPECT_EQ(h.text("Ed_IpFrom2"), "");
    EXPECT_EQ(h.text("Ed_PortFrom2"), "");
    EXPECT_TRUE(h.page->Btn_Del->isEnabled());
}

TEST(QosPage, QosOffDisablesTheRuleControls)
{
    Qos h;
    EXPECT_EQ(h.text("CB_EnableQos"), "Disable");
    for (const char *name : {"Ed_QosName", "CB_Protocol", "Ed_IpFrom1", "LV_QosRulesUser",
             "CheckBox_Http", "Btn_Add", "Btn_Clear"}) {
        EXPECT_FALSE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
    h.choose("CB_EnableQos", "Enable");
    EXPECT_TRUE(h.page->Btn_Add->isEnabled());
    EXPECT_TRUE(h.edit("Ed_QosName")->isEnabled());
}

struct AddCheckCase
{
    const char *name;
    Fields fields;
    const char *message;
    const char *caption;
    const char *focus;
    bool emptied;
};

const AddCheckCase kAddChecks[] = {
    {"EmptyName", {.name = ""}, "The Name field can not be blank.", "Warning", "Ed_QosName", false},
    {"LeadingBlank", {.name = " web"}, "The first character can't be blank.", "Error", "Ed_QosName",
        false},
    {"ProtocolNumberZero", {.protocol = "Other", .number = "0"}, "Invalid Port.", "Warning",
        "Ed_ProtocolName", false},
    {"EmptyHost1Start", {.from1 = ""}, "Invalid IP address!", "Warning", "Ed_IpFrom1", false},
    {"ZeroHost1End", {.to1 = "0.0.0.0"}, "Invalid IP address!", "Warning", "Ed_IpTo1", false},
    {"BadHost1Start", {.from1 = "127.0.0.300"}, "Invalid IP address!", "Waring", "Ed_IpFrom1",
        true},
    {"BadHost1End", {.to1 = "127.0.0"}, "Invalid IP address!", "Waring", "Ed_IpTo1", true},
    {"Host1Backwards", {.from1 = "127.0.0.49", .to1 = "127.0.0.40"}, "Invalid IP address Range!",
        "Warning", "Ed_IpTo1", false},
    {"Host1AcrossNetworks", {.from1 = "192.168.0.10", .to1 = "192.168.1.20"},
        "Invalid IP address Range!", "Warning", "Ed_IpTo1", false},
    {"PortZero", {.portFrom1 = "0"}, "Invalid port!", "Waring", "Ed_PortFrom1", false},
    {"PortOfLetters", {.portTo1 = "9x"}, "Invalid port!", "Waring", "Ed_PortTo1", false},
    {"PortsBackwards", {.portFrom1 = "90", .portTo1 = "80"}, "Invalid Port Range!", "Waring",
        "Ed_PortTo1", false},
    {"Host2PortAboveRange", {.portFrom2 = "70000"}, "Invalid port!", "Waring", "Ed_PortFrom2",
        false},
    {"BadHost2Start", {.from2 = "10.0.0"}, "Invalid IP address!", "Waring", "Ed_IpFrom2", true},
    {"BadHost2End", {.from2 = "10.0.0.1", .to2 = "10.0.0.x"}, "Invalid IP address!", "Waring",
        "Ed_IpTo2", true},
    {"Host2Backwards", {.from2 = "10.0.0.9", .to2 = "10.0.0.1"}, "Invalid IP address Range!",
        "Warning", "Ed_IpTo2", false},
    {"Host2AcrossNetworks", {.from2 = "10.0.0.9", .to2 = "10.0.1.9"}, "Invalid IP address Range!",
        "Warning", "Ed_IpTo2", false},
    // the end is written even without a start: it is checked first
    {"Host2EndWithoutStart", {.to2 = "abc"}, "Invalid IP address!", "Waring", "Ed_IpTo2", true},
};

class QosAddCheck : public testing::TestWithParam<AddCheckCase>
{ };

TEST_P(QosAddCheck, RefusesWithItsMessageAndSendsNothing)
{
    const AddCheckCase &c = GetParam();
    Qos h(qosOn(), {});
    fill(h, c.fields);
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    if (c.emptied) {
        EXPECT_EQ(h.text(c.focus), "");
    }
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, QosAddCheck, testing::ValuesIn(kAddChecks), kvatest::caseName);

struct ColumnsCase
{
    const char *name;
    Fields fields;
    QStringList sent; // the add's bindings, at row 2
};

QStringList at2(std::initializer_list<const char *> bindings)
{
    QStringList out;
    for (const char *b : bindings) {
        QString text = QString::fromLatin1(b);
        text.insert(text.indexOf(QLatin1Char(' ')), QStringLiteral(".2"));
        out.append(QStringLiteral("dot11QosRules") + text);
    }
    return out;
}

const ColumnsCase kColumns[] = {
    {"TcpWithBothPortsOfHost1", {},
        at2({"State = 1", "Name = web", "priority = 3", "Protocol = 6", "ProtocolType = 1",
            "HostOneIpStart = 127.0.0.40", "HostOneIpEnd = 127.0.0.49", "HostOneIpRange = 10",
            "HostOnePortStart = 80", "HostOnePortEnd = 90", "HostOnePortRange = 11",
            "HostTwoIpEnd = 0.0.0.0"})},
    {"UdpStartPortOnly", {.protocol = "UDP", .portTo1 = ""},
        at2({"State = 1", "Name = web", "priority = 3", "Protocol = 17", "ProtocolType = 2",
            "HostOneIpStart = 127.0.0.40", "HostOneIpEnd = 127.0.0.49", "HostOneIpRange = 10",
            "HostOnePortStart = 80", "HostTwoIpEnd = 0.0.0.0"})},
    {"AnyLeavesTypedPortsOut", {.thenProtocol = "Any"},
        at2({"State = 1", "Name = web", "priority = 3", "Protocol = 256", "ProtocolType = 0",
            "HostOneIpStart = 127.0.0.40", "HostOneIpEnd = 127.0.0.49", "HostOneIpRange = 10",
            "HostTwoIpEnd = 0.0.0.0"})},
    {"IcmpLeavesTypedPortsOut", {.thenProtocol = "ICMP"},
        at2({"State = 1", "Name = web", "priority = 3", "Protocol = 1", "ProtocolType = 4",
            "HostOneIpStart = 127.0.0.40", "HostOneIpEnd = 127.0.0.49", "HostOneIpRange = 10",
            "HostTwoIpEnd = 0.0.0.0"})},
    {"OtherWithItsNumber", {.protocol = "Other", .number = "47"},
        at2({"State = 1", "Name = web", "priority = 3", "Protocol = 47", "ProtocolType = 5",
            "HostOneIpStart = 127.0.0.40", "HostOneIpEnd = 127.0.0.49", "HostOneIpRange = 10",
            "HostTwoIpEnd = 0.0.0.0"})},
    {"Host2SingleAddress", {.portFrom1 = "", .portTo1 = "", .from2 = "10.0.0.7", .portTo2 = "443"},
        at2({"State = 1", "Name = web", "priority = 3", "Protocol = 6", "ProtocolType = 1",
            "HostOneIpStart = 127.0.0.40", "HostOneIpEnd = 127.0.0.49", "HostOneIpRange = 10",
            "HostTwoIpStart = 10.0.0.7", "HostTwoIpEnd = 10.0.0.7", "HostTwoIpRange = 1",
            "HostTwoPortEnd = 443"})},
};

class QosAddColumns : public testing::TestWithParam<ColumnsCase>
{ };

TEST_P(QosAddColumns, TheAddCarriesWhatTheRuleGives)
{
    const ColumnsCase &c = GetParam();
    Qos h(qosOn(), {});
    fill(h, c.fields);
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(sets(h), QList<QStringList>{c.sent});
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->LV_QosRulesUser->cell(1, 0), "web");
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.page->progressShown());
}

INSTANTIATE_TEST_SUITE_P(Cases, QosAddColumns, testing::ValuesIn(kColumns), kvatest::caseName);

TEST(QosPage, AddAfterAClickReplacesThatRule)
{
    Qos h(qosOn({"mail"}), {});
    h.clickRow("LV_QosRulesUser", 1);
    h.type("Ed_QosName", "post");
    h.device.clearLog();
    h.click("Btn_Add");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(written[0].contains("dot11QosRulesName.2 = post"));
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->LV_QosRulesUser->cell(1, 0), "post");
}

TEST(QosPage, DeleteThenSaveWritesTheStatesOfTheRulesLeft)
{
    Qos h(qosOn({"mail", "ftp"}), {});
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 3);
    h.clickRow("LV_QosRulesUser", 1);
    h.device.clearLog();
    h.click("Btn_Del");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure you want to delete mail?");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(sets(h), QList<QStringList>{{"dot11QosRulesDelete.0 = 2"}});
    EXPECT_EQ(h.statusText(), "Get OK!"); // the read after "Delete OK!"
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->LV_QosRulesUser->cell(1, 0), "ftp");

    // voip on becomes off, ftp (off, now row 2) on
    h.page->LV_QosRulesUser->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    h.page->LV_QosRulesUser->topLevelItem(1)->setCheckState(0, Qt::Checked);
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(sets(h),
        (QList<QStringList>{{"dot11QosRulesState.1 = 0", "dot11QosRulesState.2 = 1"},
            {"dot11QosStatus.0 = 1"}, {"dot11QosHttp.0 = 0", "dot11QosAutomatic.0 = 0"}}));
    EXPECT_EQ(h.device.get("dot11QosRulesState.1"), "0");
    EXPECT_EQ(h.device.get("dot11QosRulesState.2"), "1");
    EXPECT_TRUE(h.sawMessage("All traffic will be treated as priority of 'Best Effort'\nbecause of "
                             "priority classifier specified and empty rule table.")
        == false);
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItem(1)->checkState(0), Qt::Checked);
}

TEST(QosPage, RefusedDeleteSaysDeleteFail)
{
    Qos h(faulty(qosOn({"mail"}), "seterror dot11QosRulesDelete genErr"), {});
    h.clickRow("LV_QosRulesUser", 1);
    h.click("Btn_Del");
    EXPECT_EQ(h.statusText(), "Delete Fail!");
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
}

// With no rule listed the state list is empty: its read and write carry no binding.
TEST(QosPage, SaveWithoutRulesWarnsAndSendsEmptyStateRequests)
{
    Qos h(
        [](kvatest::SimulatorProcess &d) {
            qosOn()(d);
            seed(d, QStringLiteral("dot11QosRulesName.1"), QString());
        },
        {});
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 0);
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.ui.lastMessage().text,
        "All traffic will be treated as priority of 'Best Effort'\nbecause of priority classifier "
        "specified and empty rule table.");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    const QList<kvatest::LoggedPdu> gets = h.device.requests(QStringLiteral("get"));
    ASSERT_FALSE(gets.isEmpty());
    EXPECT_TRUE(gets.first().bindings.isEmpty());
    EXPECT_EQ(sets(h),
        (QList<QStringList>{
            {}, {"dot11QosStatus.0 = 1"}, {"dot11QosHttp.0 = 0", "dot11QosAutomatic.0 = 0"}}));
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
}

TEST(QosPage, SixtyFourRulesLeaveNoRoomToAdd)
{
    QStringList names;
    for (int i = 2; i <= 64; ++i) {
        names.append(QStringLiteral("r") + QString::number(i));
    }
    Qos h(qosOn(names), {});
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 64);
    EXPECT_FALSE(h.page->Btn_Add->isEnabled());
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
    EXPECT_TRUE(h.page->Btn_Clear->isEnabled());
    h.clickRow("LV_QosRulesUser", 3);
    EXPECT_TRUE(h.page->Btn_Del->isEnabled());
}

TEST(QosPage, AWirelessClientHasNoQos)
{
    Qos h({{"dot11ApMode", "4"}, {"dot11QosStatus", "1"}});
    EXPECT_EQ(h.text("CB_EnableQos"), "Disable");
    EXPECT_FALSE(h.combo("CB_EnableQos")->isEnabled());
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(sets(h), QList<QStringList>{{"dot11QosStatus.0 = 0"}});
    EXPECT_EQ(h.statusText(), "Save OK!");
}

TEST(QosPage, TheCloseIsRefusedWhileAnAddIsUnderWay)
{
    Qos h(qosOn(), {});
    fill(h, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("delay 300")));
    h.page->Btn_Add->click(); // not waiting: the add is out
    EXPECT_TRUE(h.page->progressShown());
    h.page->close();
    EXPECT_TRUE(h.page->isVisible());
    h.page->reject();
    EXPECT_TRUE(h.page->isVisible());
    h.waitIdle();
    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
    h.page->reject();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(QosPage, ARefusedAddLeavesThePageClosable)
{
    Qos h(faulty(qosOn(), "seterror dot11QosRulesName.2 genErr"), {});
    fill(h, {});
    h.click("Btn_Add");
    EXPECT_EQ(h.statusText(), ErrorFromStatus(5).Message);
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    EXPECT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 1);
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(QosPage, SilentDeviceLeavesSaveDisabledAndCloses)
{
    Qos h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_FALSE(h.page->Btn_Apply->isEnabled());
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(QosPage, APriorityWithoutTextIsListedAndTheRuleUsable)
{
    Qos h(
        [](kvatest::SimulatorProcess &d) {
            qosOn({"mail"})(d);
            seed(d, QStringLiteral("dot11QosRulespriority.1"), QStringLiteral("7"));
        },
        {});
    ASSERT_EQ(h.page->LV_QosRulesUser->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->LV_QosRulesUser->cell(0, 0), kVoipRow);
    h.clickRow("LV_QosRulesUser", 0);
    EXPECT_EQ(h.text("Ed_QosName"), kVoipRow);
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

} // namespace
