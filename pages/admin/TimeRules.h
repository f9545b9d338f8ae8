// The time page's rules as plain values: the time zones that have daylight saving, the years the
// manual date offers, and the manual date and time as selector texts and as the device's text.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

/// Whether daylight saving can be switched on in the time zone of this sntpTimeZoneIndex value;
/// false for any value that is no zone.
bool zoneHasDaylightSaving(int zoneValue);

/// The years of the manual date: "2002" through ten years past `currentYear`.
QStringList manualYears(int currentYear);

/// The manual date and time as the selectors show them ("09", "15", "2009", "13", "05", "07");
/// an empty part is a selector without a selection.
struct ManualTime
{
    QString month;
    QString day;
    QString year;
    QString hour;
    QString minute;
    QString second;
};

/// The selector texts of a computer clock reading, on a 24-hour clock.
ManualTime manualTimeOf(const QDateTime &when);

/// The device's form of the manual time, "MM/DD/YYYY hh:mm:ss" on a 24-hour clock
/// ("09/15/2009 13:05:07"); empty when a part is empty.
QString deviceTimeText(const ManualTime &time);
