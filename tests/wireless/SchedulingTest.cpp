// The schedule page against the simulated device: the rule list as the device packs it, the Add
// checks, the rule command group's PDUs (times or all day, a change as a delete then an add, a
// delete of the rule selected), the switch and the rules' node statuses, busy and silent devices
// and rule texts the page does not know.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_Scheduling.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Schedule = PageHarness<TFM_Scheduling>;

// The schedule on, the device's one rule ("office", Primary SSID, weekdays 08:00-18:00, enabled)
// and SSID names of our own.
void scheduleOn(kvatest::SimulatorProcess &d)
{
    EXPECT_TRUE(d.set(QStringLiteral("dot11ScheduleStatus"), QStringLiteral("1")));
    EXPECT_TRUE(d.set(QStringLiteral("dot11MssidSsid.1.1"), QStringLiteral("Main")));
    EXPECT_TRUE(d.set(QStringLiteral("dot11MssidSsid.1.2"), QStringLiteral("Guest")));
    EXPECT_TRUE(d.set(QStringLiteral("dot11MssidSsid.1.3"), QStringLiteral("Lab")));
}

// A second rule, "lab" for SSID1, in the list's second row.
void twoRules(kvatest::SimulatorProcess &d)
{
    scheduleOn(d);
    for (const auto &[name, value] :
        {std::pair{"dot11ScheduleListName.2", "lab"}, std::pair{"dot11ScheduleListDays.2", "Sat"},
            std::pair{"dot11ScheduleListTimeFrame.2", "All Day(s)"},
            std::pair{"dot11ScheduleListWirelessStatus.2", "1"},
            std::pair{"dot11ScheduleListSSIDIndex.2", "1"},
            std::pair{"dot11ScheduleListSSID.2", "Guest"},
            std::pair{"dot11ScheduleListNodeStatus.2", "0"}}) {
        EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value))) << name;
    }
}

QList<QStringList> sets(Schedule &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

QStringList row(const Schedule &h, int r)
{
    QStringList cells;
    ReportListView *list = h.page->User_ListView;
    for (int column = 0; column < list->columnCount(); ++column) {
        cells.append(list->cell(r, column));
    }
    return cells;
}

// The fields of a rule as the operator fills them in.
struct Fields
{
    const char *ssid = "SSID1";
    const char *name = "night";
    const char *days = "Mon Wed Fri"; // "week": All Week; "": none
    bool allDay = false;
    const char *startHour = "8";
    const char *startMinute = "5";
    const char *endHour = "17";
    const char *endMinute = "30";
};

void fill(Schedule &h, const Fields &f)
{
    h.choose("Cbox_SchIndex", f.ssid);
    h.type("Ed_ScheduleName", f.name);
    if (QLatin1String(f.days) == QLatin1String("week")) {
        h.click("RB_Week");
    } else {
        for (const QString &day : QString::fromLatin1(f.days).split(' ', Qt::SkipEmptyParts)) {
            h.check(("CheckBox_" + day.toStdString()).c_str());
        }
    }
    if (f.allDay) {
        h.check("CheckBox_AllDay");
    } else {
        h.type("Ed_StartHour", f.startHour);
        h.type("Ed_StartMinute", f.startMinute);
        h.type("Ed_EndHour", f.endHour);
        h.type("Ed_EndMinute", f.endMinute);
    }
}

TEST(SchedulingPage, OpensWithTheDevicesRulesAndSwitch)
{
    Schedule h(scheduleOn, {});
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ Schedule");
    EXPECT_EQ(h.text("CBox_ScheduleStatus"), "Enable");
    ASSERT_EQ(h.page->User_ListView->topLevelItemCount(), 1);
    EXPECT_EQ(row(h, 0),
        (QStringList{
            "office", "Primary SSID", "KVA7310", "Mon Tue Wed Thu Fri", "08:00-18:00", "on"}));
    EXPECT_EQ(h.page->User_ListView->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_EQ(h.text("Cbox_SchIndex"), "Primary SSID");
    EXPECT_EQ(h.text("Ed_SchSsid"), "Main");
    EXPECT_FALSE(h.edit("Ed_SchSsid")->isEnabled());
    EXPECT_TRUE(h.page->Btn_Add->isEnabled());
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
    EXPECT_EQ(h.device.logCount("set"), 0);

    h.choose("Cbox_SchIndex", "SSID2");
    EXPECT_EQ(h.text("Ed_SchSsid"), "Lab");
}

TEST(SchedulingPage, TheSwitchOffLeavesOnlySave)
{
    Schedule h;
    EXPECT_EQ(h.text("CBox_ScheduleStatus"), "Disable");
    for (const char *name : {"Btn_Add", "Btn_Clear", "Btn_Del", "Ed_ScheduleName", "Cbox_SchIndex",
             "CheckBox_Mon", "Ed_StartHour", "User_ListView"}) {
        EXPECT_FALSE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
    h.choose("CBox_ScheduleStatus", "Enable");
    EXPECT_TRUE(h.page->Btn_Add->isEnabled());
    EXPECT_TRUE(h.find<QWidget>("CheckBox_Mon")->isEnabled());
}

TEST(SchedulingPage, AWirelessClientOpensWithTheSwitchDisabled)
{
    Schedule h({{"dot11ApMode", "4"}, {"dot11ScheduleStatus", "1"}});
    EXPECT_FALSE(h.combo("CBox_ScheduleStatus")->isEnabled());
    EXPECT_EQ(h.text("CBox_ScheduleStatus"), "Enable");
}

struct AddCheckCase
{
    const char *name;
    Fields fields;
    const char *message;
    const char *caption;
    const char *focus;   // the field focused, "" for none checked
    const char *emptied; // the field emptied, "" for none
};

const AddCheckCase kAddChecks[] = {
    {"SsidHeldByAnotherRule", {.ssid = "Primary SSID"}, "The SSID has been exist already.",
        "Warning", "", ""},
    {"EmptyName", {.name = ""}, "The Name field can not be blank.", "Warning", "Ed_ScheduleName",
        ""},
    {"LeadingBlank", {.name = " night"}, "The first character can't be blank.", "Error",
        "Ed_ScheduleName", ""},
    {"NoDay", {.days = ""}, "Please Select Day(s)", "Warning", "", ""},
    {"EmptyTime", {.endMinute = ""}, "Invalid Time Range!", "Warning", "", ""},
    {"HourAbove23", {.startHour = "24"}, "Invalid Hour!", "Warning", "Ed_StartHour",
        "Ed_StartHour"},
    {"EndHourAbove23", {.endHour = "25"}, "Invalid Hour!", "Warning", "Ed_EndHour", "Ed_EndHour"},
    {"MinuteAbove59", {.startMinute = "60"}, "Invalid Minute!", "Warning", "Ed_StartMinute",
        "Ed_StartMinute"},
    {"HourOfLetters", {.startHour = "ab"}, "Invalid Hour!", "Warning", "Ed_StartHour",
        "Ed_StartHour"},
    {"MinuteOfLetters", {.endMinute = "x1"}, "Invalid Minute!", "Warning", "Ed_EndMinute",
        "Ed_EndMinute"},
    {"SameStartAndEnd", {.startHour = "08", .startMinute = "30", .endHour = "8", .endMinute = "30"},
        "Invalid Time Range!", "Warning", "Ed_EndMinute", "Ed_EndMinute"},
    {"EndBeforeStart", {.startHour = "18", .endHour = "07"}, "Invalid Time Range!", "Warning",
        "Ed_EndMinute", "Ed_EndMinute"},
};

class SchedulingAddCheck : public testing::TestWithParam<AddCheckCase>
{ };

TEST_P(SchedulingAddCheck, RefusesWithItsMessageAndSendsNothing)
{
    const AddCheckCase &c = GetParam();
    Schedule h(scheduleOn, {});
    fill(h, c.fields);
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.ui.messages.size(), 1);
    if (*c.focus != '\0') {
        EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    }
    if (*c.emptied != '\0') {
        EXPECT_EQ(h.text(c.emptied), "");
    }
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.page->User_ListView->topLevelItemCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchedulingAddCheck, testing::ValuesIn(kAddChecks), kvatest::caseName);

struct AddCase
{
    const char *name;
    Fields fields;
    QStringList written; // the rule command group's PDU
    const char *days;    // as the device lists the rule
    const char *timeFrame;
};

const AddCase kAdds[] = {
    {"DaysAndTimes", {},
        {"dot11ScheduleRuleName.0 = night", "dot11ScheduleDaysSelect.0 = 42",
            "dot11ScheduleRuleStartTime.0 = 08:05", "dot11ScheduleRuleEndTime.0 = 17:30",
            "dot11ScheduleSSIDIndex.0 = 1", "dot11ScheduleNodeStatus.0 = 1",
            "dot11ScheduleAction.0 = 1"},
        "Mon Wed Fri", "08:05-17:30"},
    {"AllWeekAllDay", {.ssid = "SSID3", .name = "always", .days = "week", .allDay = true},
        {"dot11ScheduleRuleName.0 = always", "dot11ScheduleDaysSelect.0 = 0",
            "dot11ScheduleAllDaySelect.0 = 1", "dot11ScheduleSSIDIndex.0 = 3",
            "dot11ScheduleNodeStatus.0 = 1", "dot11ScheduleAction.0 = 1"},
        "All Week", "All Day(s)"},
};

class SchedulingAdd : public testing::TestWithParam<AddCase>
{ };

TEST_P(SchedulingAdd, SendsTheRuleThenListsIt)
{
    const AddCase &c = GetParam();
    Schedule h(scheduleOn, {});
    fill(h, c.fields);
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
    EXPECT_EQ(sets(h), QList<QStringList>{c.written});
    ASSERT_EQ(h.page->User_ListView->topLevelItemCount(), 2);
    EXPECT_EQ(row(h, 1).value(0), QLatin1String(c.fields.name));
    EXPECT_EQ(row(h, 1).value(3), QLatin1String(c.days));
    EXPECT_EQ(row(h, 1).value(4), QLatin1String(c.timeFrame));
    EXPECT_EQ(h.statusText(), "Get OK!");
    // Clear ran: a new rule may be entered
    EXPECT_EQ(h.text("Ed_ScheduleName"), "");
    EXPECT_EQ(h.text("Cbox_SchIndex"), "Primary SSID");
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, SchedulingAdd, testing::ValuesIn(kAdds), kvatest::caseName);

// "Save OK!" once the device took the rule, not before; then the list is read again.
TEST(SchedulingPage, AddSaysSavedOnlyWhenTheDeviceTookTheRule)
{
    Schedule h(scheduleOn, {});
    fill(h, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("delay 300")));
    h.page->Btn_Add->click();
    EXPECT_NE(h.statusText(), "Save OK!");
    // a write is not queued behind another, nor behind the list's walk
    EXPECT_FALSE(h.page->Btn_Add->isEnabled());
    EXPECT_FALSE(h.page->Btn_Apply->isEnabled());
    EXPECT_TRUE(h.waitFor([&] { return h.statusText() == QLatin1String("Save OK!"); }));
    h.waitIdle();
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.page->Btn_Add->isEnabled());
}

TEST(SchedulingPage, ARefusedAddSaysSo)
{
    Schedule h(scheduleOn, {});
    fill(h, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11ScheduleAction genErr")));
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_EQ(h.page->User_ListView->topLevelItemCount(), 1);
}

TEST(SchedulingPage, SelectingARuleFillsTheFieldsAndEmptySpaceDeselects)
{
    Schedule h(scheduleOn, {});
    h.clickRow("User_ListView", 0);
    EXPECT_EQ(h.text("Ed_ScheduleName"), "office");
    EXPECT_EQ(h.text("Ed_DeleteName"), "office");
    EXPECT_EQ(h.text("Cbox_SchIndex"), "Primary SSID");
    EXPECT_TRUE(h.find<QRadioButton>("RB_Day")->isChecked());
    for (const char *day :
        {"CheckBox_Mon", "CheckBox_Tue", "CheckBox_Wed", "CheckBox_Thu", "CheckBox_Fri"}) {
        EXPECT_TRUE(h.find<QCheckBox>(day)->isChecked()) << day;
    }
    EXPECT_FALSE(h.find<QCheckBox>("CheckBox_Sun")->isChecked());
    EXPECT_FALSE(h.find<QCheckBox>("CheckBox_AllDay")->isChecked());
    EXPECT_EQ(h.text("Ed_StartHour"), "08");
    EXPECT_EQ(h.text("Ed_StartMinute"), "00");
    EXPECT_EQ(h.text("Ed_EndHour"), "18");
    EXPECT_EQ(h.text("Ed_EndMinute"), "00");
    EXPECT_TRUE(h.page->Btn_Del->isEnabled());

    h.clickRow("User_ListView", -1);
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
}

// A changed rule: the old one deleted (name, SSID index, action alone), then the new one added.
TEST(SchedulingPage, AChangedRuleIsADeleteThenAnAdd)
{
    Schedule h(scheduleOn, {});
    h.clickRow("User_ListView", 0);
    h.type("Ed_ScheduleName", "office2");
    h.type("Ed_StartHour", "9");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written[0],
        (QStringList{"dot11ScheduleRuleName.0 = office2", "dot11ScheduleSSIDIndex.0 = 0",
            "dot11ScheduleAction.0 = 0"}));
    EXPECT_EQ(written[1],
        (QStringList{"dot11ScheduleRuleName.0 = office2", "dot11ScheduleDaysSelect.0 = 62",
            "dot11ScheduleRuleStartTime.0 = 09:00", "dot11ScheduleRuleEndTime.0 = 18:00",
            "dot11ScheduleSSIDIndex.0 = 0", "dot11ScheduleNodeStatus.0 = 1",
            "dot11ScheduleAction.0 = 1"}));
    ASSERT_EQ(h.page->User_ListView->topLevelItemCount(), 1);
    EXPECT_EQ(row(h, 0).value(0), "office2");
    EXPECT_EQ(row(h, 0).value(4), "09:00-18:00");
    EXPECT_EQ(h.statusText(), "Get OK!");
}

// A change may keep its own SSID but never take one another rule holds.
TEST(SchedulingPage, AChangeOntoAnotherRulesSsidIsRefused)
{
    Schedule h(twoRules, {});
    ASSERT_EQ(h.page->User_ListView->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->User_ListView->topLevelItem(1)->checkState(0), Qt::Unchecked);
    h.clickRow("User_ListView", 0);
    h.choose("Cbox_SchIndex", "SSID1");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.ui.lastMessage().text, "The SSID has been exist already.");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ScheduleListName.1")), "office");
}

TEST(SchedulingPage, AChangeWhoseDeleteIsRefusedSendsNoAdd)
{
    Schedule h(scheduleOn, {});
    h.clickRow("User_ListView", 0);
    h.type("Ed_EndHour", "20");
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11ScheduleAction genErr")));
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ScheduleListTimeFrame.1")), "08:00-18:00");
    EXPECT_EQ(h.text("Ed_EndHour"), "20"); // the fields stay for another try
}

// The device took the delete of a changed rule but refuses the new one: the old one is put back.
TEST(SchedulingPage, AChangeWhoseAddIsRefusedPutsTheOldRuleBack)
{
    Schedule h(twoRules, {});
    h.clickRow("User_ListView", 1); // "lab", all day on Saturdays
    h.check("CheckBox_AllDay");
    h.type("Ed_StartHour", "9");
    h.type("Ed_StartMinute", "0");
    h.type("Ed_EndHour", "10");
    h.type("Ed_EndMinute", "0");
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11ScheduleRuleStartTime genErr")));
    h.device.clearLog();
    h.click("Btn_Add");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[0].last(), "dot11ScheduleAction.0 = 0");
    EXPECT_TRUE(written[1].contains("dot11ScheduleRuleStartTime.0 = 09:00"));
    EXPECT_EQ(written[2],
        (QStringList{"dot11ScheduleRuleName.0 = lab", "dot11ScheduleDaysSelect.0 = 64",
            "dot11ScheduleAllDaySelect.0 = 1", "dot11ScheduleSSIDIndex.0 = 1",
            "dot11ScheduleNodeStatus.0 = 0", "dot11ScheduleAction.0 = 1"}));
    EXPECT_EQ(h.statusText(), "Save Fail!");
    ASSERT_EQ(h.page->User_ListView->topLevelItemCount(), 2);
    EXPECT_EQ(row(h, 1).value(0), "lab");
    EXPECT_EQ(row(h, 1).value(4), "All Day(s)");
}

// Delete writes the selected rule's SSID index, whatever the combo shows now, and its node status
// as the device's number.
TEST(SchedulingPage, DeleteRemovesTheSelectedRule)
{
    Schedule h(twoRules, {});
    h.clickRow("User_ListView", 1);
    h.choose("Cbox_SchIndex", "SSID3");
    ASSERT_TRUE(h.device.fault(QStringLiteral("delay 200")));
    h.device.clearLog();
    h.page->Btn_Del->click();
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure that you want to delete this entry?");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_NE(h.statusText(), "Delete OK!"); // not before the device took it
    EXPECT_TRUE(h.waitFor([&] { return h.statusText() == QLatin1String("Delete OK!"); }));
    h.waitIdle();
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(written[0].contains("dot11ScheduleSSIDIndex.0 = 1"));
    EXPECT_TRUE(written[0].contains("dot11ScheduleNodeStatus.0 = 0"));
    EXPECT_EQ(written[0].last(), "dot11ScheduleAction.0 = 0");
    ASSERT_EQ(h.page->User_ListView->topLevelItemCount(), 1);
    EXPECT_EQ(row(h, 0).value(0), "office");
    EXPECT_EQ(h.text("Ed_DeleteName"), "");
}

TEST(SchedulingPage, DeleteCancelledSendsNothing)
{
    Schedule h(scheduleOn, {});
    h.clickRow("User_ListView", 0);
    h.ui.answers = {false};
    h.device.clearLog();
    h.click("Btn_Del");
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.page->User_ListView->topLevelItemCount(), 1);
}

struct SaveCase
{
    const char *name;
    const char *status; // chosen in CBox_ScheduleStatus
    bool flip;          // the operator turns the rules' check marks round
    QList<QStringList> written;
    const char *after; // the status in the end: the list is read again after the rules' write
};

const SaveCase kSaves[] = {
    {"DisableWritesOnlyTheSwitch", "Disable", true, {{"dot11ScheduleStatus.0 = 0"}}, "Save OK!"},
    {"EnableWritesTheListedRules", "Enable", true,
        {{"dot11ScheduleStatus.0 = 1"},
            {"dot11ScheduleListNodeStatus.1 = 0", "dot11ScheduleListNodeStatus.2 = 1"}},
        "Get OK!"},
    {"EnableAsListed", "Enable", false,
        {{"dot11ScheduleStatus.0 = 1"},
            {"dot11ScheduleListNodeStatus.1 = 1", "dot11ScheduleListNodeStatus.2 = 0"}},
        "Get OK!"},
};

class SchedulingSave : public testing::TestWithParam<SaveCase>
{ };

TEST_P(SchedulingSave, WritesTheSwitchAtItsInstance)
{
    const SaveCase &c = GetParam();
    Schedule h(twoRules, {});
    if (c.flip) {
        h.page->User_ListView->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        h.page->User_ListView->topLevelItem(1)->setCheckState(0, Qt::Checked);
    }
    h.choose("CBox_ScheduleStatus", c.status);
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(sets(h), c.written);
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ScheduleStatus")),
        QLatin1String(c.status) == QLatin1String("Enable") ? "1" : "0");
    EXPECT_EQ(h.statusText(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, SchedulingSave, testing::ValuesIn(kSaves), kvatest::caseName);

TEST(SchedulingPage, ARefusedSaveSaysSo)
{
    Schedule h(scheduleOn, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11ScheduleStatus genErr")));
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Save Fail!");
}

// Texts the page does not know: unknown day words are left aside, a time frame that is no range
// fills what it can and Add refuses it.
TEST(SchedulingPage, RuleTextsThePageDoesNotKnow)
{
    Schedule h(
        [](kvatest::SimulatorProcess &d) {
            scheduleOn(d);
            EXPECT_TRUE(
                d.set(QStringLiteral("dot11ScheduleListDays.1"), QStringLiteral("Funday Wed ?")));
            EXPECT_TRUE(
                d.set(QStringLiteral("dot11ScheduleListTimeFrame.1"), QStringLiteral("soon")));
        },
        {});
    h.clickRow("User_ListView", 0);
    EXPECT_TRUE(h.find<QCheckBox>("CheckBox_Wed")->isChecked());
    EXPECT_FALSE(h.find<QCheckBox>("CheckBox_Mon")->isChecked());
    EXPECT_EQ(h.text("Ed_StartHour"), "soon");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_FALSE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.device.logCount("set"), 0);
}

TEST(SchedulingPage, SilentDeviceOpensWithTheTimeOutAndSaveFails)
{
    Schedule h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 2); // the mode read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Save Fail!");
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

} // namespace
