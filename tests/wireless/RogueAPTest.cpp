// The intrusion page against the simulated device: a scan listing what the device found, the type
// filter, classifications with the survey index of each checked access point, the policy for new
// access points (as the device holds it at opening, written as one flag), the scan cycle under a
// slow device, a silent device and a hostile survey value.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_RogueAP.h"

#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Rogue = PageHarness<TFM_RogueAP>;

// One access point of each type; the survey numbers them 1 to 4 in this order.
void seedNeighbours(kvatest::SimulatorProcess &d)
{
    EXPECT_TRUE(d.source(QStringLiteral("neighbours clear")));
    for (const char *entry : {
             "0022A1B2C3D1 ch=1 mode=B ssid=Newcomer lastseen=\"Mon 10:00\" type=new scans=rogue",
             "0022A1B2C3D2 ch=6 mode=N ssid=Office lastseen=\"Mon 10:01\" type=valid scans=rogue",
             "0022A1B2C3D3 ch=11 mode=G ssid=Cafe lastseen=\"Mon 10:02\" type=neighborhood "
             "status=down scans=rogue",
             "0022A1B2C3D4 ch=36 mode=A ssid=Evil lastseen=\"Mon 10:03\" type=rogue scans=rogue",
         }) {
        EXPECT_TRUE(d.source(QStringLiteral("neighbours add ") + QLatin1String(entry))) << entry;
    }
}

// The neighbours, then the device's faults.
std::function<void(kvatest::SimulatorProcess &)> neighboursWith(std::vector<const char *> faults)
{
    return [faults = std::move(faults)](kvatest::SimulatorProcess &d) {
        seedNeighbours(d);
        for (const char *f : faults) {
            EXPECT_TRUE(d.fault(QLatin1String(f))) << f;
        }
    };
}

// The page after one "Detect" over the four neighbours.
struct Scanned : Rogue
{
    Scanned() : Rogue(seedNeighbours, {}) { click("Btn_Detect"); }
};

QStringList column(const Rogue &h, int col)
{
    QStringList out;
    for (int row = 0; row < h.page->AP_UserListView->topLevelItemCount(); ++row) {
        out.append(h.page->AP_UserListView->cell(row, col));
    }
    return out;
}

QList<QStringList> sets(Rogue &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

// A walk starts with a GET-NEXT of the bare column, which the device serves nothing at.
int walks(Rogue &h)
{
    int n = 0;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("getnext"))) {
        n += !pdu.bindings.isEmpty() && pdu.bindings.first().instance.isEmpty() ? 1 : 0;
    }
    return n;
}

void checkRows(Rogue &h, std::initializer_list<int> rows)
{
    for (const int row : rows) {
        h.page->AP_UserListView->topLevelItem(row)->setCheckState(0, Qt::Checked);
    }
}

const QStringList kFoundBssids{"0022A1B2C3D1", "0022A1B2C3D2", "0022A1B2C3D3", "0022A1B2C3D4"};

TEST(RogueAPPage, OpensEmptyAndDetectListsWhatTheDeviceFound)
{
    Rogue h(seedNeighbours, {});
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ Intrusion");
    EXPECT_EQ(h.page->AP_UserListView->topLevelItemCount(), 0);
    EXPECT_FALSE(h.find<QCheckBox>("CheckBox_SelectAll")->isEnabled());
    EXPECT_EQ(h.text("CB_OperatorType"), "All");
    EXPECT_EQ(h.device.logCount("set"), 0);

    h.click("Btn_Detect");
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_EQ(column(h, 4), kFoundBssids);
    EXPECT_EQ(column(h, 0), (QStringList{"new", "valid", "neighborhood", "rogue"}));
    ReportListView *list = h.page->AP_UserListView;
    EXPECT_EQ(list->cell(3, 1), "A");
    EXPECT_EQ(list->cell(3, 2), "36");
    EXPECT_EQ(list->cell(3, 3), "Evil");
    EXPECT_EQ(list->cell(3, 5), "Mon 10:03");
    EXPECT_EQ(list->cell(2, 6), "down");
    EXPECT_EQ(list->cell(3, 6), "up");
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
    auto *selectAll = h.find<QCheckBox>("CheckBox_SelectAll");
    EXPECT_TRUE(selectAll->isEnabled());
    EXPECT_FALSE(selectAll->isChecked());
    EXPECT_EQ(sets(h), QList<QStringList>{{"dot11RogueApSurveyRefresh.0 = 1"}});
    EXPECT_EQ(walks(h), 1);

    h.check("CheckBox_SelectAll");
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        EXPECT_EQ(list->topLevelItem(row)->checkState(0), Qt::Checked) << row;
    }
}

TEST(RogueAPPage, AScanFindingNothingLeavesSelectAllOff)
{
    Rogue h(
        [](kvatest::SimulatorProcess &d) {
            EXPECT_TRUE(d.source(QStringLiteral("neighbours clear")));
        },
        {});
    h.click("Btn_Detect");
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_EQ(h.page->AP_UserListView->topLevelItemCount(), 0);
    EXPECT_FALSE(h.find<QCheckBox>("CheckBox_SelectAll")->isEnabled());
    EXPECT_FALSE(h.find<QCheckBox>("CheckBox_SelectAll")->isChecked());
}

struct FilterCase
{
    const char *name;
    const char *item;
    const char *bssids; // the rows listed, by their last BSSID digit
    bool markable;      // the policy radio buttons are enabled
};

void PrintTo(const FilterCase &c, std::ostream *out)
{
    *out << c.name;
}

const FilterCase kFilters[] = {
    {"All", "All", "12345", true},
    {"Valid", "Valid", "2", false},
    {"Neighborhood", "Neighborhood", "3", false},
    {"Rogue", "Rogue", "4", false},
    {"New", "New", "1", true},
};

class RogueAPFilter : public testing::TestWithParam<FilterCase>
{ };

// The fifth access point has a type the page does not know: only "All" lists it.
TEST_P(RogueAPFilter, ListsTheRowsOfTheType)
{
    const FilterCase &c = GetParam();
    Scanned h;
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11RogueApSurveyType.4"), QStringLiteral("7")));
    ASSERT_TRUE(h.device.source(QStringLiteral("neighbours del 0022A1B2C3D4")));
    // the fifth row is served as the device holds it: a read without a scan
    h.page->AP_ListView->addRow({QStringLiteral("5"), QStringLiteral("1"),
        QStringLiteral("0022A1B2C3D5"), QStringLiteral("G"), QStringLiteral("Odd"),
        QStringLiteral(""), QStringLiteral("7"), QStringLiteral("up")});
    h.choose("CB_OperatorType", c.item);
    QString listed;
    for (const QString &bssid : column(h, 4)) {
        listed += bssid.right(1);
    }
    EXPECT_EQ(listed, c.bssids);
    EXPECT_EQ(h.find<QRadioButton>("RB_MarkAllValid")->isEnabled(), c.markable);
    EXPECT_EQ(h.find<QRadioButton>("RB_MarkAllRogue")->isEnabled(), c.markable);
}

INSTANTIATE_TEST_SUITE_P(Cases, RogueAPFilter, testing::ValuesIn(kFilters), kvatest::caseName);

TEST(RogueAPPage, ClassifyingWritesEachCheckedAccessPointThenScansAgain)
{
    Scanned h;
    checkRows(h, {0, 1, 3});
    h.device.clearLog();
    h.click("Btn_SetRogue");
    EXPECT_EQ(sets(h),
        (QList<QStringList>{{"dot11RogueApAddtoRouge.0 = 1"}, {"dot11RogueApAddtoRouge.0 = 2"},
            {"dot11RogueApAddtoRouge.0 = 4"}, {"dot11RogueApSurveyRefresh.0 = 1"}}));
    EXPECT_EQ(walks(h), 1);
    EXPECT_EQ(column(h, 0), (QStringList{"rogue", "rogue", "neighborhood", "rogue"}));
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.page->progressShown());
}

// The filter shows part of the list: the index written is the survey's, not the visible row's.
TEST(RogueAPPage, AFilteredRowIsClassifiedByItsSurveyIndex)
{
    Scanned h;
    h.choose("CB_OperatorType", "Rogue");
    checkRows(h, {0});
    h.device.clearLog();
    h.click("Btn_SetValid");
    EXPECT_EQ(sets(h).value(0), QStringList{"dot11RogueApAddtoValid.0 = 4"});
    EXPECT_EQ(h.device.get(QStringLiteral("dot11RogueApSurveyType.4")), "2");
    EXPECT_EQ(h.text("CB_OperatorType"), "All"); // the scan lists every access point again
    EXPECT_EQ(column(h, 4), kFoundBssids);
}

TEST(RogueAPPage, ClassifyingNothingCheckedWarns)
{
    Scanned h;
    h.device.clearLog();
    h.click("Btn_SetNeigh");
    EXPECT_EQ(h.ui.lastMessage().text, "No entry click!");
    EXPECT_EQ(h.ui.lastMessage().caption, "Waring");
    EXPECT_EQ(h.device.logCount("set"), 0);
}

// The device refuses the first classification: the others and the scan go on.
TEST(RogueAPPage, ARefusedClassificationShowsNothingAndTheRestGoesOn)
{
    Scanned h;
    checkRows(h, {1, 2});
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11RogueApAddtoNew genErr")));
    h.device.clearLog();
    h.click("Btn_SetNew");
    EXPECT_EQ(sets(h).size(), 3);
    EXPECT_EQ(walks(h), 1);
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

struct PolicyCase
{
    const char *name;
    const char *valid; // what the device holds at opening
    const char *rogue;
    const char *fault; // at opening; "" for none
    const char *shown; // the radio button checked at opening
    const char *chosen;
    const char *written;
    const char *validAfter;
    const char *rogueAfter;
};

void PrintTo(const PolicyCase &c, std::ostream *out)
{
    *out << c.name;
}

const PolicyCase kPolicies[] = {
    {"ValidShownAndKept", "1", "0", "", "RB_MarkAllValid", "RB_MarkAllValid",
        "dot11RogueApAllNewNodesAsValid.0 = 1", "1", "0"},
    {"RogueShownAndKept", "0", "1", "", "RB_MarkAllRogue", "RB_MarkAllRogue",
        "dot11RogueApUnknownAccessNodesAsRogue.0 = 1", "0", "1"},
    {"ValidTurnedRogue", "1", "0", "", "RB_MarkAllValid", "RB_MarkAllRogue",
        "dot11RogueApUnknownAccessNodesAsRogue.0 = 1", "0", "1"},
    {"RogueTurnedValid", "0", "1", "", "RB_MarkAllRogue", "RB_MarkAllValid",
        "dot11RogueApAllNewNodesAsValid.0 = 1", "1", "0"},
    {"NeitherShowsValid", "0", "0", "", "RB_MarkAllValid", "RB_MarkAllValid",
        "dot11RogueApAllNewNodesAsValid.0 = 1", "1", "0"},
    {"BothShowValid", "1", "1", "", "RB_MarkAllValid", "RB_MarkAllRogue",
        "dot11RogueApUnknownAccessNodesAsRogue.0 = 1", "0", "1"},
    {"FailedReadShowsValid", "0", "1", "nosuchname dot11RogueApAllNewNodesAsValid",
        "RB_MarkAllValid", "RB_MarkAllRogue", "dot11RogueApUnknownAccessNodesAsRogue.0 = 1", "0",
        "1"},
};

class RogueAPPolicy : public testing::TestWithParam<PolicyCase>
{ };

TEST_P(RogueAPPolicy, OpensOnTheDevicesChoiceAndSavesOneFlag)
{
    const PolicyCase &c = GetParam();
    Rogue h(
        [&](kvatest::SimulatorProcess &d) {
            seedNeighbours(d);
            EXPECT_TRUE(
                d.set(QStringLiteral("dot11RogueApAllNewNodesAsValid"), QLatin1String(c.valid)));
            EXPECT_TRUE(d.set(
                QStringLiteral("dot11RogueApUnknownAccessNodesAsRogue"), QLatin1String(c.rogue)));
            if (*c.fault != '\0') {
                EXPECT_TRUE(d.fault(QLatin1String(c.fault)));
            }
        },
        {});
    EXPECT_TRUE(h.find<QRadioButton>(c.shown)->isChecked());
    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));
    h.click(c.chosen);
    h.device.clearLog();
    h.click("Btn_Apply");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written[0], QStringList{QLatin1String(c.written)});
    EXPECT_EQ(written[1], QStringList{"dot11RogueApSurveyRefresh.0 = 1"}); // then the scan
    EXPECT_EQ(h.device.get(QStringLiteral("dot11RogueApAllNewNodesAsValid")), c.validAfter);
    EXPECT_EQ(h.device.get(QStringLiteral("dot11RogueApUnknownAccessNodesAsRogue")), c.rogueAfter);
    EXPECT_EQ(h.statusText(), "Get OK!");
}

INSTANTIATE_TEST_SUITE_P(Cases, RogueAPPolicy, testing::ValuesIn(kPolicies), kvatest::caseName);

TEST(RogueAPPage, ARefusedSaveSaysSoAndScansNot)
{
    Rogue h(neighboursWith({"seterror dot11RogueApAllNewNodesAsValid genErr"}), {});
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Set Error!");
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_FALSE(h.page->progressShown());
}

const char *const kWorkingControls[] = {"Btn_Detect", "Btn_SetValid", "Btn_SetNeigh",
    "Btn_SetRogue", "Btn_SetNew", "Btn_Apply", "CB_OperatorType", "RB_MarkAllValid",
    "RB_MarkAllRogue"};

// A slow device: the notice and the disabled controls last until the survey read has ended.
TEST(RogueAPPage, TheScanCycleLastsUntilTheSurveyIsRead)
{
    Rogue h(neighboursWith({"delay 300"}), {});
    h.page->Btn_Detect->click();
    EXPECT_TRUE(h.page->progressShown());
    ASSERT_TRUE(h.waitFor([&] { return h.device.logCount(QStringLiteral("getnext")) >= 2; }));
    EXPECT_TRUE(h.page->progressShown()); // the survey is being read
    for (const char *name : kWorkingControls) {
        EXPECT_FALSE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    h.waitIdle();
    EXPECT_FALSE(h.page->progressShown());
    for (const char *name : kWorkingControls) {
        EXPECT_TRUE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_EQ(h.statusText(), "Get OK!");
}

TEST(RogueAPPage, ClosingDuringAScanClosesTheNotice)
{
    Rogue h(neighboursWith({"delay 300"}), {});
    h.page->Btn_Detect->click();
    ASSERT_TRUE(h.page->progressShown());
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
    EXPECT_FALSE(h.page->progressShown());
}

TEST(RogueAPPage, ARefusedScanEndsTheCycleWithItsError)
{
    Scanned h;
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11RogueApSurveyRefresh genErr")));
    h.device.clearLog();
    h.click("Btn_Detect");
    EXPECT_TRUE(h.statusText().contains(QLatin1String("General Error")))
        << h.statusText().toStdString();
    EXPECT_EQ(walks(h), 0);
    EXPECT_EQ(column(h, 4), kFoundBssids); // the list keeps its rows
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.find<QWidget>("Btn_Detect")->isEnabled());
}

TEST(RogueAPPage, AShortBssidEndsTheReadWithAnErrorText)
{
    Scanned h;
    ASSERT_TRUE(h.device.fault(QStringLiteral("short dot11RogueApSurveyBssid.2")));
    h.click("Btn_Detect");
    EXPECT_NE(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.find<QWidget>("Btn_Detect")->isEnabled());
}

TEST(RogueAPPage, SilentDeviceShowsTheTimeOutAndCloses)
{
    Rogue h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 2); // the first read and its retry, then nothing
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.click("Btn_Detect");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_FALSE(h.page->progressShown());
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Set Error!");
    for (const char *name : kWorkingControls) {
        EXPECT_TRUE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

} // namespace
