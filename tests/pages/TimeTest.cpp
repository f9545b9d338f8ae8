// The time and date page against the simulated device: the computer's time in the selectors, the
// daylight saving rule, what NTP on and off write, the server checks, a manual time that moves the
// device's clock, a silent device and a zone the page does not know.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_Time.h"

#include <ostream>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Time = PageHarness<TFM_Time>;

const char *const kDaylightRules[] = {"sntpDstStartMonth", "sntpDstStartWeek",
    "sntpDstStartDayOfWeek", "sntpDstStartCurrentTime", "sntpDstEndMonth", "sntpDstEndWeek",
    "sntpDstEndDayOfWeek", "sntpDstEndCurrentTime"};

/// Every binding of every SET the device received, as "name.instance = value".
QStringList setBindings(kvatest::SimulatorProcess &device)
{
    QStringList out;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("set"))) {
        out += pdu.texts();
    }
    return out;
}

bool writes(const QStringList &sets, const char *object)
{
    for (const QString &binding : sets) {
        if (binding.startsWith(QLatin1String(object) + QLatin1Char('.'))) {
            return true;
        }
    }
    return false;
}

/// The point in time the manual selectors show.
QDateTime selected(const Time &h)
{
    const TFM_Time &p = *h.page;
    return QDateTime(QDate(p.CB_Year->currentText().toInt(), p.CB_Month->currentText().toInt(),
                         p.CB_Day->currentText().toInt()),
        QTime(p.CB_Hour->currentText().toInt(), p.CB_Minute->currentText().toInt(),
            p.CB_Second->currentText().toInt()));
}

/// Now, to the second.
QDateTime now()
{
    const QDateTime t = QDateTime::currentDateTime();
    return t.addMSecs(-t.time().msec());
}

TEST(TimePage, OpensWithTheComputersDateAndTimeSelected)
{
    const QDateTime before = now();
    Time h({{"sntpServerIpAddress", "0.0.0.0"}, {"sntpTimeZoneIndex", "28"}});
    const QDateTime after = now();
    EXPECT_EQ(h.page->windowTitle(), "Tools \\ Time and Date");
    const QDateTime shown = selected(h);
    EXPECT_LE(before, shown);
    EXPECT_LE(shown, after);
    EXPECT_EQ(h.page->CB_Year->itemText(0), "2002");
    EXPECT_EQ(h.page->CB_Year->itemText(h.page->CB_Year->count() - 1),
        QString::number(QDate::currentDate().year() + 10));
    EXPECT_EQ(
        h.text("CB_TimeZone"), "(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna");
    EXPECT_EQ(h.text("Ed_ServerIp"), QString()); // no server shows as empty
    EXPECT_EQ(h.page->CB_ServerName->currentIndex(), 0);
    EXPECT_EQ(h.text("CB_InDays"), "+1:00");
    EXPECT_FALSE(h.page->CB_InDays->isEnabled());
    // the device's clock runs on the computer's time (to the second, as both read it)
    const QDateTime clock =
        QDateTime::fromString(h.text("LB_CurrentTime"), QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    EXPECT_LE(before, clock);
    EXPECT_LE(clock, after);
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

// --- daylight saving --------------------------------------------------------------------------

struct ZoneCase
{
    const char *name;
    const char *zone;     // seeded sntpTimeZoneIndex
    const char *daylight; // seeded sntpDayLightSaving
    const char *chosen;   // zone the operator picks, "" for none
    bool boxEnabled;
    bool boxChecked;
    bool rulesWritten; // the eight daylight saving rules in the SET
};

void PrintTo(const ZoneCase &c, std::ostream *out)
{
    *out << c.name;
}

const ZoneCase kZones[] = {
    {"EasternTimeWithDaylightSaving", "14", "1", "", true, true, true},
    {"EasternTimeWithout", "14", "0", "", true, false, false},
    {"ArizonaHasNone", "6", "1", "", false, false, false},
    {"PickingArizonaTurnsItOff", "14", "1", "(GMT-07:00) Arizona", false, false, false},
    {"PickingBerlinOffersIt", "6", "0",
        "(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague", true, false, false},
};

class TimeZoneRule : public testing::TestWithParam<ZoneCase>
{ };

TEST_P(TimeZoneRule, DecidesTheDaylightBoxAndTheRulesWritten)
{
    const ZoneCase &c = GetParam();
    Time h({{"sntpTimeZoneIndex", c.zone}, {"sntpDayLightSaving", c.daylight}});
    if (*c.chosen != '\0') {
        h.choose("CB_TimeZone", c.chosen);
    }
    EXPECT_EQ(h.page->CheckBox_Daylight->isEnabled(), c.boxEnabled);
    EXPECT_EQ(h.page->CheckBox_Daylight->isChecked(), c.boxChecked);
    EXPECT_EQ(h.page->CB_StartMonth->isEnabled(), c.rulesWritten);
    EXPECT_EQ(h.page->CB_EndTime->isEnabled(), c.rulesWritten);
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success");
    const QStringList sets = setBindings(h.device);
    for (const char *rule : kDaylightRules) {
        EXPECT_EQ(writes(sets, rule), c.rulesWritten) << rule;
    }
    EXPECT_TRUE(sets.contains(QStringLiteral("sntpDayLightSaving.0 = ")
        + (c.boxChecked ? QLatin1Char('1') : QLatin1Char('0'))));
    EXPECT_FALSE(writes(sets, "sntpDayLightSavingOffset"));
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeZoneRule, testing::ValuesIn(kZones), kvatest::caseName);

// --- NTP on and off ---------------------------------------------------------------------------

TEST(TimePage, WithNtpOnTheServerAndStatusAreWrittenAndNoTime)
{
    Time h({{"sntpStatus", "1"}, {"sntpServerIpAddress", "10.1.1.123"}});
    EXPECT_TRUE(h.page->Ed_ServerIp->isEnabled());
    EXPECT_FALSE(h.page->CB_Year->isEnabled());
    EXPECT_FALSE(h.page->Btn_Copy->isEnabled());
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success");
    const QStringList sets = setBindings(h.device);
    EXPECT_TRUE(sets.contains(QStringLiteral("sntpServerIpAddress.0 = 10.1.1.123")));
    EXPECT_TRUE(sets.contains(QStringLiteral("sntpStatus.0 = 1")));
    EXPECT_FALSE(writes(sets, "sntpTimeofDay"));
}

TEST(TimePage, WithNtpOffTheManualTimeAndStatusAreWrittenAndNoServer)
{
    Time h({{"sntpStatus", "1"}, {"sntpServerIpAddress", "10.1.1.123"}});
    h.check("CheckBox_NTP");
    EXPECT_FALSE(h.page->Ed_ServerIp->isEnabled());
    EXPECT_TRUE(h.page->CB_Year->isEnabled());
    h.choose("CB_Year", "2009");
    h.choose("CB_Month", "09");
    h.choose("CB_Day", "15");
    h.choose("CB_Hour", "13");
    h.choose("CB_Minute", "05");
    h.choose("CB_Second", "07");
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success");
    const QStringList sets = setBindings(h.device);
    EXPECT_TRUE(sets.contains(QStringLiteral("sntpTimeofDay.0 = 09/15/2009 13:05:07")));
    EXPECT_TRUE(sets.contains(QStringLiteral("sntpStatus.0 = 0")));
    EXPECT_FALSE(writes(sets, "sntpServerIpAddress"));
    EXPECT_EQ(h.device.get(QStringLiteral("sntpServerIpAddress")), "10.1.1.123");
    // the device's clock moved, as the read after the save shows
    EXPECT_TRUE(h.text("LB_CurrentTime").startsWith(QLatin1String("09/15/2009 13:")))
        << h.text("LB_CurrentTime").toStdString();
}

struct ServerCase
{
    const char *name;
    const char *server;
};

void PrintTo(const ServerCase &c, std::ostream *out)
{
    *out << c.name;
}

const ServerCase kServers[] = {
    {"Empty", ""},
    {"NoAddress", "0.0.0.0"},
    {"Multicast", "224.0.0.1"},
    {"Incomplete", "10.1.1"},
};

class TimeServerCheck : public testing::TestWithParam<ServerCase>
{ };

TEST_P(TimeServerCheck, RefusesTheServerAndWritesNothing)
{
    Time h({{"sntpStatus", "1"}, {"sntpServerIpAddress", "10.1.1.123"}});
    h.page->Ed_ServerIp->setText(QLatin1String(GetParam().server));
    h.page->Btn_Copy->setFocus();
    h.device.clearLog();
    h.click("Btn_Apply");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, "Please input valid IP address");
    EXPECT_EQ(h.ui.lastMessage().caption, "Waring");
    EXPECT_EQ(h.text("Ed_ServerIp"), QString());
    EXPECT_EQ(h.page->focusWidget(), h.page->Ed_ServerIp);
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeServerCheck, testing::ValuesIn(kServers), kvatest::caseName);

TEST(TimePage, TheDefaultServerIsOneSaveTakes)
{
    Time h({{"sntpStatus", "1"}});
    h.choose("CB_ServerName", TFM_Time::kDefaultServerName);
    h.click("Btn_Convert");
    EXPECT_EQ(h.text("Ed_ServerIp"), QLatin1String(TFM_Time::kDefaultServerAddress));
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success");
    EXPECT_EQ(h.device.get(QStringLiteral("sntpServerIpAddress")),
        QLatin1String(TFM_Time::kDefaultServerAddress));
    h.choose("CB_ServerName", "Select NTP Server");
    h.click("Btn_Convert");
    EXPECT_EQ(h.text("Ed_ServerIp"), QString());
}

TEST(TimePage, CopyPutsTheComputersTimeInTheDevicesForm)
{
    Time h;
    h.choose("CB_Year", "2003");
    const QDateTime before = now();
    h.click("Btn_Copy");
    const QDateTime after = now();
    const QDateTime copied =
        QDateTime::fromString(h.text("Ed_DateTime"), QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    ASSERT_TRUE(copied.isValid()) << h.text("Ed_DateTime").toStdString();
    EXPECT_LE(before, copied);
    EXPECT_LE(copied, after);
    EXPECT_EQ(selected(h), copied);
}

TEST(TimePage, AnUnselectedPartIsNeverSent)
{
    Time h;
    h.page->CB_Year->setCurrentIndex(-1); // as a year the list does not hold leaves it
    h.device.clearLog();
    h.click("Btn_Apply");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, "Please select a valid date and time!");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

TEST(TimePage, ARefusedTimeIsASettingError)
{
    Time h({}, {"seterror sntpTimeofDay wrongValue"});
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Error");
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
}

// --- a silent device, a zone the page does not know ------------------------------------------

TEST(TimePage, SilentDeviceTimesOutOnceAndTheSaveEndsInItsError)
{
    Time h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("get")), 2); // the first read and its retry
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Error");
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("set")), 2); // the write and its retry
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(TimePage, AZoneOutsideTheListIsWrittenBackAsReadAndRefused)
{
    Time h({{"sntpTimeZoneIndex", "99"}, {"sntpDayLightSaving", "1"}});
    EXPECT_EQ(h.page->CB_TimeZone->currentIndex(), -1);
    EXPECT_FALSE(h.page->CheckBox_Daylight->isEnabled());
    EXPECT_FALSE(h.page->CheckBox_Daylight->isChecked());
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_TRUE(setBindings(h.device).contains(QStringLiteral("sntpTimeZoneIndex.0 = 99")));
    EXPECT_EQ(h.statusText(), "Setting Error");
    EXPECT_EQ(h.device.get(QStringLiteral("sntpTimeZoneIndex")), "99");
}

} // namespace
