// The schedule page's rules.
#include "TFM_SchedulingRules.h"

#include <QRegularExpression>
#include <QStringList>

namespace schedulerules {

namespace {

const char *const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

QString padded(const QString &text)
{
    const QString t = text.trimmed();
    return t.size() == 1 ? QLatin1Char('0') + t : t;
}

// One or two digits within 0 .. max; anything else (letters, a sign, three digits) is out of range.
bool inRange(const QString &text, int max)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    return digits.match(text).hasMatch() && text.toInt() <= max;
}

} // namespace

int daysValue(const DaySelection &selection)
{
    if (selection.allWeek) {
        return 0;
    }
    int value = 0;
    for (std::size_t d = 0; d < selection.days.size(); ++d) {
        if (selection.days[d]) {
            value += 1 << d;
        }
    }
    return value;
}

DaySelection daysOf(const QString &text)
{
    DaySelection selection;
    if (text == QLatin1String("All Week")) {
        selection.allWeek = true;
        selection.days.fill(true);
        return selection;
    }
    for (std::size_t d = 0; d < selection.days.size(); ++d) {
        selection.days[d] = text.contains(QLatin1String(kDayNames[d]));
    }
    return selection;
}

TimeFrame timeFrameOf(const QString &text)
{
    TimeFrame frame;
    if (text == QLatin1String("All Day(s)")) {
        frame.allDay = true;
        return frame;
    }
    const QStringList halves = text.split(QLatin1Char('-'));
    const QStringList start = halves.value(0).split(QLatin1Char(':'));
    const QStringList end = halves.value(1).split(QLatin1Char(':'));
    frame.times = {start.value(0).trimmed(), start.value(1).trimmed(), end.value(0).trimmed(),
        end.value(1).trimmed()};
    return frame;
}

TimeCheck checkTimes(const Times &typed)
{
    TimeCheck check;
    check.fields = typed;
    Times &f = check.fields;
    for (QString *field : {&f.startHour, &f.startMinute, &f.endHour, &f.endMinute}) {
        *field = field->trimmed();
    }
    if (f.startHour.isEmpty() || f.startMinute.isEmpty() || f.endHour.isEmpty()
        || f.endMinute.isEmpty()) {
        check.message = "Invalid Time Range!";
        return check;
    }
    for (QString *field : {&f.startHour, &f.startMinute, &f.endHour, &f.endMinute}) {
        *field = padded(*field);
    }

    const struct
    {
        const QString &text;
        int max;
        TimeField field;
        const char *message;
    } ranges[] = {
        {f.startHour, 23, TimeField::StartHour, "Invalid Hour!"},
        {f.endHour, 23, TimeField::EndHour, "Invalid Hour!"},
        {f.startMinute, 59, TimeField::StartMinute, "Invalid Minute!"},
        {f.endMinute, 59, TimeField::EndMinute, "Invalid Minute!"},
    };

    for (const auto &r : ranges) {
        if (!inRange(r.text, r.max)) {
            check.message = r.message;
            check.field = r.field;
            return check;
        }
    }
    // hours and minutes written together as one four-digit number
    if (QString(f.startHour + f.startMinute).toInt() >= QString(f.endHour + f.endMinute).toInt()) {
        check.message = "Invalid Time Range!";
        check.field = TimeField::EndMinute;
        return check;
    }
    check.start = f.startHour + QLatin1Char(':') + f.startMinute;
    check.end = f.endHour + QLatin1Char(':') + f.endMinute;
    return check;
}

} // namespace schedulerules
