// The time and date page.
#include "TFM_Time.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "TimeRules.h"
#include "VtOptionList.h"

#include <initializer_list>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const VtOptionList olTimeZone{
    {1, "(GMT-12:00) International Date Line West"},
    {2, "(GMT-11:00) Midway Island, Samoa"},
    {3, "(GMT-10:00) Hawaii"},
    {4, "(GMT-09:00) Alaska"},
    {5, "(GMT-08:00) Pacific Time (US & Canada); Tijuana"},
    {6, "(GMT-07:00) Arizona"},
    {7, "(GMT-07:00) Chihuahua, La Paz, Mazatlan"},
    {8, "(GMT-07:00) Mountain Time (US & Canada)"},
    {9, "(GMT-06:00) Central America"},
    {10, "(GMT-06:00) Central Time (US & Canada)"},
    {11, "(GMT-06:00) Guadalajara, Mexico City, Monterrey"},
    {12, "(GMT-06:00) Saskatchewan"},
    {13, "(GMT-05:00) Bogota, Lima, Quito"},
    {14, "(GMT-05:00) Eastern Time (US & Canada)"},
    {15, "(GMT-05:00) Indiana (East)"},
    {16, "(GMT-04:00) Atlantic Time (Canada)"},
    {17, "(GMT-04:00) Caracas, La Paz"},
    {18, "(GMT-04:00) Santiago"},
    {19, "(GMT-03:30) Newfoundland"},
    {20, "(GMT-03:00) Brasilia"},
    {21, "(GMT-03:00) Buenos Aires, Georgetown"},
    {22, "(GMT-03:00) Greenland"},
    {23, "(GMT-02:00) Mid-Atlantic"},
    {24, "(GMT-01:00) Azores"},
    {25, "(GMT-01:00) Cape Verde Is."},
    {26, "(GMT) Casablanca, Monrovia"},
    {27, "(GMT) Greenwich Mean Time : Dublin, Edinburgh, Lisbon, London"},
    {28, "(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna"},
    {29, "(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague"},
    {30, "(GMT+01:00) Brussels, Copenhagen, Madrid, Paris"},
    {31, "(GMT+01:00) Sarajevo, Skopje, Warsaw, Zagreb"},
    {32, "(GMT+01:00) West Central Africa"},
    {33, "(GMT+02:00) Athens, Istanbul, Minsk"},
    {34, "(GMT+02:00) Bucharest"},
    {35, "(GMT+02:00) Cairo"},
    {36, "(GMT+02:00) Harare, Pretoria"},
    {37, "(GMT+02:00) Helsinki, Kyiv, Riga, Sofia, Tallinn, Vilnius"},
    {38, "(GMT+02:00) Jerusalem"},
    {39, "(GMT+03:00) Baghdad"},
    {40, "(GMT+03:00) Kuwait, Riyadh"},
    {41, "(GMT+03:00) Moscow, St. Petersburg, Volgograd"},
    {42, "(GMT+03:00) Nairobi"},
    {43, "(GMT+03:30) Tehran"},
    {44, "(GMT+04:00) Abu Dhabi, Muscat"},
    {45, "(GMT+04:00) Baku, Tbilisi, Yerevan"},
    {46, "(GMT+04:30) Kabul"},
    {47, "(GMT+05:00) Ekaterinburg"},
    {48, "(GMT+05:00) Islamabad, Karachi, Tashkent"},
    {49, "(GMT+05:30) Chennai, Kolkata, Mumbai, New Delhi"},
    {50, "(GMT+05:45) Kathmandu"},
    {51, "(GMT+06:00) Almaty, Novosibirsk"},
    {52, "(GMT+06:00) Astana, Dhaka"},
    {53, "(GMT+06:00) Sri Jayawardenepura"},
    {54, "(GMT+06:30) Rangoon"},
    {55, "(GMT+07:00) Bangkok, Hanoi, Jakarta"},
    {56, "(GMT+07:00) Krasnoyarsk"},
    {57, "(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi"},
    {58, "(GMT+08:00) Irkutsk, Ulaan Bataar"},
    {59, "(GMT+08:00) Kuala Lumpur, Singapore"},
    {60, "(GMT+08:00) Perth"},
    {61, "(GMT+08:00) Taipei"},
    {62, "(GMT+09:00) Osaka, Sapporo, Tokyo"},
    {63, "(GMT+09:00) Seoul"},
    {64, "(GMT+09:00) Yakutsk"},
    {65, "(GMT+09:30) Adelaide"},
    {66, "(GMT+09:30) Darwin"},
    {67, "(GMT+10:00) Brisbane"},
    {68, "(GMT+10:00) Canberra, Melbourne, Sydney"},
    {69, "(GMT+10:00) Guam, Port Moresby"},
    {70, "(GMT+10:00) Hobart"},
    {71, "(GMT+10:00) Vladivostok"},
    {72, "(GMT+11:00) Magadan, Solomon Is., New Caledonia"},
    {73, "(GMT+12:00) Auckland, Wellington"},
    {74, "(GMT+12:00) Fiji, Kamchatka, Marshall Is."},
    {75, "(GMT+13:00) Nuku'alofa"},
};
const VtOptionList olDisableEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList olMonth{{1, "Jan"}, {2, "Feb"}, {3, "Mar"}, {4, "Apr"}, {5, "May"}, {6, "Jun"},
    {7, "Jul"}, {8, "Aug"}, {9, "Sep"}, {10, "Oct"}, {11, "Nov"}, {12, "Dec"}};
const VtOptionList olWeek{{1, "1st"}, {2, "2nd"}, {3, "3rd"}, {4, "4th"}, {5, "5th"}};
const VtOptionList olDay{
    {0, "sun"}, {1, "mon"}, {2, "tue"}, {3, "wed"}, {4, "thu"}, {5, "fri"}, {6, "sat"}};
const VtOptionList olHour{{0, "12am"}, {1, "1am"}, {2, "2am"}, {3, "3am"}, {4, "4am"}, {5, "5am"},
    {6, "6am"}, {7, "7am"}, {8, "8am"}, {9, "9am"}, {10, "10am"}, {11, "11am"}, {12, "12pm"},
    {13, "1pm"}, {14, "2pm"}, {15, "3pm"}, {16, "4pm"}, {17, "5pm"}, {18, "6pm"}, {19, "7pm"},
    {20, "8pm"}, {21, "9pm"}, {22, "10pm"}, {23, "11pm"}};
const VtOptionList olOffset{{0, "-2:00"}, {1, "-1:30"}, {2, "-1:00"}, {3, "-0:30"}, {4, "+0:30"},
    {5, "+1:00"}, {6, "+1:30"}, {7, "+2:00"}};

constexpr int rw = vfRead | vfWrite;

#define SNTP(tail) AP_OID("4.8." tail)

// The device's clock (sntpTimeofDay) is read here; the manual time is written at the same OID by
// the second request.
const UISnmpVar kClockVars[] = {
    {SNTP("1"), "sntpServerIpAddress", synIpAddress, rw},
    {SNTP("2"), "sntpTimeZoneIndex", synInteger, rw, &olTimeZone},
    {SNTP("3"), "sntpDayLightSaving", synInteger, rw, &olDisableEnable},
    {SNTP("7"), "sntpTimeofDay", synDisplayString, vfRead},
    {SNTP("5"), "sntpStatus", synInteger, rw, &olDisableEnable},
    {SNTP("8"), "sntpDstStartMonth", synInteger, rw, &olMonth},
    {SNTP("9"), "sntpDstStartWeek", synInteger, rw, &olWeek},
    {SNTP("10"), "sntpDstStartDayOfWeek", synInteger, rw, &olDay},
    {SNTP("11"), "sntpDstStartCurrentTime", synInteger, rw, &olHour},
    {SNTP("12"), "sntpDstEndMonth", synInteger, rw, &olMonth},
    {SNTP("13"), "sntpDstEndWeek", synInteger, rw, &olWeek},
    {SNTP("14"), "sntpDstEndDayOfWeek", synInteger, rw, &olDay},
    {SNTP("15"), "sntpDstEndCurrentTime", synInteger, rw, &olHour},
    {SNTP("16"), "sntpDayLightSavingOffset", synInteger, vfRead, &olOffset},
    {nullptr},
};
const UISnmpVar kManualVars[] = {
    {SNTP("7"), "setTimeManually", synDisplayString, rw},
    {nullptr},
};

enum ClockVar {
    cvServer = 0,
    cvDstFirst = 5, // the eight daylight saving rules
    cvDstLast = 12,
};

constexpr int kTimeout = 10000; // hundredths

const char kUnsetServer[] = "0.0.0.0";

QStringList numbers(int first, int last)
{
    QStringList texts;
    for (int n = first; n <= last; ++n) {
        texts.append(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
    }
    return texts;
}

void select(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly)); // -1: none
}

bool validServer(const QString &text)
{
    return !text.isEmpty() && text != QLatin1String(kUnsetServer) && CheckIPAddress(text);
}

} // namespace

const char *const TFM_Time::kDefaultServerName = "time-a-g.nist.gov";
const char *const TFM_Time::kDefaultServerAddress = "129.6.15.28";

TFM_Time::TFM_Time(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ Time and Date"), context)
{
    usePanelStatus();
    form().beginGroup("GB_Time", QStringLiteral("Time Setting"));
    LB_CurrentTime = form().addText("LB_CurrentTime", QStringLiteral("Current Time"));
    CB_TimeZone = form().addCombo("CB_TimeZone", QStringLiteral("Time Zone :"));
    GB_Manual = form().beginGroup("GB_Manual", QStringLiteral("Set the Date and Time Manually"));
    CB_Year = form().addCombo("CB_Year", QStringLiteral("Year"));
    CB_Month = form().addCombo("CB_Month", QStringLiteral("Month"));
    CB_Day = form().addCombo("CB_Day", QStringLiteral("Day"));
    CB_Hour = form().addCombo("CB_Hour", QStringLiteral("Hour"));
    CB_Minute = form().addCombo("CB_Minute", QStringLiteral("Minute"));
    CB_Second = form().addCombo("CB_Second", QStringLiteral("Second"));
    Btn_Copy = addGroupButton(
        "Btn_Copy", QStringLiteral("Copy Your Computer's Time Settings"), &TFM_Time::Btn_CopyClick);
    form().beginGroup("GB_NTP", QStringLiteral("Automatic Time Configuration"));
    CheckBox_NTP = form().addCheck("CheckBox_NTP", QStringLiteral("Enable NTP server :"));
    Ed_ServerIp = form().addEdit("Ed_ServerIp", QStringLiteral("NTP Server Used :"));
    Btn_Convert = addFieldButton("Btn_Convert", QStringLiteral("<<"), &TFM_Time::Btn_ConvertClick);
    CB_ServerName = form().addCombo("CB_ServerName", QStringLiteral("NTP Server"));
    form().beginGroup("GB_Daylight", QStringLiteral("Daylight Saving"));
    CheckBox_Daylight =
        form().addCheck("CheckBox_Daylight", QStringLiteral("Enable Daylight Saving :"));
    CB_InDays = form().addCombo("CB_InDays", QStringLiteral("Daylight Saving Offset "));
    CB_StartMonth = form().addCombo("CB_StartMonth", QStringLiteral("Start Month"));
    CB_StartWeek = form().addCombo("CB_StartWeek", QStringLiteral("Start Week"));
    CB_StartDay = form().addCombo("CB_StartDay", QStringLiteral("Start Day"));
    CB_StartTime = form().addCombo("CB_StartTime", QStringLiteral("Start Time"));
    CB_EndMonth = form().addCombo("CB_EndMonth", QStringLiteral("End Month"));
    CB_EndWeek = form().addCombo("CB_EndWeek", QStringLiteral("End Week"));
    CB_EndDay = form().addCombo("CB_EndDay", QStringLiteral("End Day"));
    CB_EndTime = form().addCombo("CB_EndTime", QStringLiteral("End Time"));
    form().endGroup();
    Ed_DateTime = form().addHiddenEdit("Ed_DateTime");
    Btn_Apply = addButton("Btn_Apply", QStringLiteral("Save"), &TFM_Time::Btn_ApplyClick);
    Btn_Cancel = form().addButton("Btn_Cancel", QStringLiteral("Cancel"));

    CB_Year->addItems(manualYears(QDate::currentDate().year()));
    CB_Month->addItems(numbers(1, 12));
    CB_Day->addItems(numbers(1, 31));
    CB_Hour->addItems(numbers(0, 23));
    CB_Minute->addItems(numbers(0, 59));
    CB_Second->addItems(numbers(0, 59));
    CB_ServerName->addItems(
        {QStringLiteral("Select NTP Server"), QLatin1String(kDefaultServerName)});
    // the enabling rules follow these controls (applyRules)
    onChange(CB_TimeZone, &TFM_Time::applyRules);
    onChange(CheckBox_Daylight, &TFM_Time::applyRules);
    onChange(CheckBox_NTP, &TFM_Time::applyRules);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFM_Time::reject);
}

void TFM_Time::FormCreate()
{
    m_clock = makeRequest(kClockVars, itScalars, kTimeout, statusTarget());
    bindControls(m_clock,
        {Ed_ServerIp, CB_TimeZone, CheckBox_Daylight, LB_CurrentTime, CheckBox_NTP, CB_StartMonth,
            CB_StartWeek, CB_StartDay, CB_StartTime, CB_EndMonth, CB_EndWeek, CB_EndDay, CB_EndTime,
            CB_InDays});
    m_clock->BeforeSetHook = [this] {
        showProgress(
            QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    };
    m_manual = makeRequest(kManualVars, itScalars, kTimeout);
    bindControls(m_manual, {Ed_DateTime});

    // A read that failed shows what it left; a library exception skips the rest of the opening.
    if (!guarded([this] {
            m_clock->Get();
            m_manual->Get();
        })) {
        return;
    }
    selectComputerTime();
    CB_ServerName->setCurrentIndex(0);
    clearUnsetServer();
}

void TFM_Time::applyRules()
{
    const bool ntp = CheckBox_NTP->isChecked();
    enable({Ed_ServerIp, Btn_Convert, CB_ServerName}, ntp);
    enable({GB_Manual, CB_Year, CB_Month, CB_Day, CB_Hour, CB_Minute, CB_Second, Btn_Copy}, !ntp);
    // a zone value outside the list (no selection) has no daylight saving either
    const bool offered = zoneHasDaylightSaving(CB_TimeZone->currentIndex() + 1);
    if (!offered) {
        CheckBox_Daylight->setChecked(false);
    }
    CheckBox_Daylight->setEnabled(offered);
    const bool dst = offered && CheckBox_Daylight->isChecked();
    enable({CB_StartMonth, CB_StartWeek, CB_StartDay, CB_StartTime, CB_EndMonth, CB_EndWeek,
               CB_EndDay, CB_EndTime},
        dst);
    CB_InDays->setEnabled(false); // the device's own setting, shown only
}

void TFM_Time::selectComputerTime()
{
    const ManualTime now = manualTimeOf(QDateTime::currentDateTime());
    select(CB_Month, now.month);
    select(CB_Day, now.day);
    select(CB_Year, now.year);
    select(CB_Hour, now.hour);
    select(CB_Minute, now.minute);
    select(CB_Second, now.second);
}

ManualTime TFM_Time::selectedTime() const
{
    // currentText() of a combo box without a selection is empty
    return {CB_Month->currentText(), CB_Day->currentText(), CB_Year->currentText(),
        CB_Hour->currentText(), CB_Minute->currentText(), CB_Second->currentText()};
}

void TFM_Time::clearUnsetServer()
{
    if (Ed_ServerIp->text() == QLatin1String(kUnsetServer)) {
        Ed_ServerIp->clear();
    }
}

void TFM_Time::Btn_CopyClick()
{
    selectComputerTime();
    Ed_DateTime->setText(deviceTimeText(selectedTime()));
}

void TFM_Time::Btn_ConvertClick()
{
    Ed_ServerIp->setText(
        CB_ServerName->currentIndex() == 1 ? QLatin1String(kDefaultServerAddress) : QString());
}

void TFM_Time::Btn_ApplyClick()
{
    const bool ntp = CheckBox_NTP->isChecked();
    if (ntp) {
        const FieldCheck checks[] = {
            {Ed_ServerIp, validServer, "Please input valid IP address", faClearAndFocus},
        };
        if (!runChecks(checks, "Waring")) { // shipped text
            return;
        }
    } else {
        const QString manual = deviceTimeText(selectedTime());
        if (manual.isEmpty()) {
            // a date with a part missing is no time the device can take
            inform(
                QStringLiteral("Warning"), QStringLiteral("Please select a valid date and time!"));
            return;
        }
        Ed_DateTime->setText(manual);
    }
    const bool dst =
        zoneHasDaylightSaving(CB_TimeZone->currentIndex() + 1) && CheckBox_Daylight->isChecked();
    bool written = false;
    {
        MemberSwitch clock(m_clock);
        clock.include(cvServer, ntp);
        for (int rule = cvDstFirst; rule <= cvDstLast; ++rule) {
            clock.include(rule, dst);
        }
        MemberSwitch manual(m_manual);
        manual.include(0, !ntp); // with NTP on, the manual request has nothing to send
        WriteSequence save(*this);
        save.step([&] { return clock.set(); });
        save.step([&] { return manual.set(); });
        written = save.ok();
    }
    closeProgress();
    WriteSequence reads(*this); // both read again, whatever became of the writes
    reads.step([this] { return m_clock->Get(); });
    reads.step([this] { return m_manual->Get(); });
    clearUnsetServer();
    if (written && reads.ok()) {
        setStatus(QStringLiteral("Setting Success"));
    } else {
        reportFailure(QStringLiteral("Setting Error"));
    }
}
