// The time page's rules.
#include "TimeRules.h"

#include <algorithm>
#include <iterator>

namespace {

// the zones whose regions keep daylight saving time, by sntpTimeZoneIndex value
constexpr int kDaylightZones[] = {4, 5, 7, 8, 10, 11, 14, 16, 18, 19, 20, 22, 23, 24, 27, 28, 29,
    30, 31, 33, 34, 35, 37, 39, 41, 43, 45, 47, 51, 56, 64, 65, 68, 70, 71, 73};

constexpr int kFirstYear = 2002;
constexpr int kYearsAhead = 10;

} // namespace

bool zoneHasDaylightSaving(int zoneValue)
{
    return std::find(std::begin(kDaylightZones), std::end(kDaylightZones), zoneValue)
        != std::end(kDaylightZones);
}

QStringList manualYears(int currentYear)
{
    QStringList years;
    for (int year = kFirstYear; year <= currentYear + kYearsAhead; ++year) {
        years.append(QString::number(year));
    }
    return years;
}

ManualTime manualTimeOf(const QDateTime &when)
{
    const QString text = when.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss"));
    return {text.mid(0, 2), text.mid(3, 2), text.mid(6, 4), text.mid(11, 2), text.mid(14, 2),
        text.mid(17, 2)};
}

QString deviceTimeText(const ManualTime &t)
{
    for (const QString *part : {&t.month, &t.day, &t.year, &t.hour, &t.minute, &t.second}) {
        if (part->isEmpty()) {
            return {};
        }
    }
    return t.month + QLatin1Char('/') + t.day + QLatin1Char('/') + t.year + QLatin1Char(' ')
        + t.hour + QLatin1Char(':') + t.minute + QLatin1Char(':') + t.second;
}
