// The schedule page's rules as pure functions: the day mask the device takes and the days a listed
// rule names, a listed time frame split into its fields, and the checks of the four time fields.
// Plain values in and out; the page gathers them from its controls and applies the results.
#pragma once

#include <array>

#include <QString>

namespace schedulerules {

/// Sunday to Saturday, as the day check boxes stand.
using Days = std::array<bool, 7>;

/// The days of a rule: the whole week, or the days checked.
struct DaySelection
{
    bool allWeek = false;
    Days days{};
};

/// The day mask the device takes: 0 for the whole week, else Sun 1, Mon 2, Tue 4, Wed 8, Thu 16,
/// Fri 32 and Sat 64 summed over the checked days.
int daysValue(const DaySelection &selection);

/// The days a listed rule's text names: "All Week", or the three-letter names it holds ("Mon Wed
/// Fri"); words it does not know are left aside.
DaySelection daysOf(const QString &text);

/// The four time fields of a rule, as texts.
struct Times
{
    QString startHour;
    QString startMinute;
    QString endHour;
    QString endMinute;
};

/// A listed time frame: "All Day(s)", or "hh:mm-hh:mm" split into its four fields (a part the
/// text lacks stays empty).
struct TimeFrame
{
    bool allDay = false;
    Times times;
};

TimeFrame timeFrameOf(const QString &text);

/// One of the four time fields.
enum class TimeField {
    None,
    StartHour,
    StartMinute,
    EndHour,
    EndMinute,
};

/// The time fields checked as Add checks them. The fields come back trimmed, one digit given a
/// leading "0"; a refusal names its message and the field it focuses and empties (None: the
/// fields stay as they are).
struct TimeCheck
{
    Times fields;
    const char *message = nullptr; ///< null when the times are accepted
    TimeField field = TimeField::None;
    QString start; ///< "hh:mm", when accepted
    QString end;
};

TimeCheck checkTimes(const Times &typed);

} // namespace schedulerules
