// DateAndTime values: the 11-byte layout and the "y-m-d,h:m:s.d[,+h:m]" text form.
#include "VtDateTime.h"

#include <array>
#include <limits>

#include <QDateTime>

namespace {

// A scanf-like matcher for the three text forms: "%d" skips blanks and reads an optionally signed
// decimal number, any other character must match exactly. Returns how many numbers it read.
int scanInts(const QString &text, const char *format, std::array<int, 9> &out)
{
    int count = 0;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    for (const char *f = format; *f; ++f) {
        if (f[0] == '%' && f[1] == 'd') {
            ++f;
            while (pos < size && text.at(pos).isSpace()) {
                ++pos;
            }
            bool negative = false;
            if (pos < size && (text.at(pos) == u'-' || text.at(pos) == u'+')) {
                negative = text.at(pos) == u'-';
                ++pos;
            }
            const qsizetype digitsStart = pos;
            long long value = 0;
            while (pos < size && text.at(pos) >= u'0' && text.at(pos) <= u'9') {
                // Saturates instead of overflowing; such a value fails the range checks later.
                if (value < std::numeric_limits<int>::max()) {
                    value = value * 10 + (text.at(pos).unicode() - u'0');
                }
                ++pos;
            }
            if (pos == digitsStart) {
                return count;
            }
            if (value > std::numeric_limits<int>::max()) {
                value = std::numeric_limits<int>::max();
            }
            out[std::size_t(count)] = int(negative ? -value : value);
            ++count;
        } else {
            if (pos >= size || text.at(pos) != QLatin1Char(*f)) {
                return count;
            }
            ++pos;
        }
    }
    return count;
}

} // namespace

VtDateTime::VtDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    year = date.year();
    month = date.month();
    day = date.day();
    hour = time.hour();
    minutes = time.minute();
    seconds = time.second();
}

VtDateTime::VtDateTime(const QString &text)
{
    std::array<int, 9> fields{};
    int n = scanInts(text, "%d-%d-%d,%d:%d:%d.%d,+%d:%d", fields);
    if (n != 9) {
        fields = {};
        n = scanInts(text, "%d-%d-%d,%d:%d:%d.%d,-%d:%d", fields);
        if (n == 9) {
            direction = '-';
        } else {
            fields = {};
            n = scanInts(text, "%d-%d-%d,%d:%d:%d.%d", fields);
        }
    }
    m_fieldCount = n;
    year = fields[0];
    month = fields[1];
    day = fields[2];
    hour = fields[3];
    minutes = fields[4];
    seconds = fields[5];
    deciSeconds = fields[6];
    utcHours = fields[7];
    utcMinutes = fields[8];
}

bool VtDateTime::FromBytes(const QByteArray &bytes)
{
    if (bytes.size() < 8) {
        return false;
    }
    const auto byte = [&bytes](int i) { return int(static_cast<unsigned char>(bytes.at(i))); };
    year = (byte(0) << 8) | byte(1);
    month = byte(2);
    day = byte(3);
    hour = byte(4);
    minutes = byte(5);
    seconds = byte(6);
    deciSeconds = byte(7);
    if (bytes.size() >= 11) {
        direction = bytes.at(8);
        utcHours = byte(9);
        utcMinutes = byte(10);
    } else {
        direction = '+';
        utcHours = 0;
        utcMinutes = 0;
    }
    m_fieldCount = bytes.size() >= 11 ? 9 : 7;
    return true;
}

QByteArray VtDateTime::ToBytes() const
{
    QByteArray bytes(11, '\0');
    const auto put = [&bytes](int i, int v) { bytes[i] = char(v & 0xff); };
    put(0, year >> 8);
    put(1, year);
    put(2, month);
    put(3, day);
    put(4, hour);
    put(5, minutes);
    put(6, seconds);
    put(7, deciSeconds);
    bytes[8] = direction;
    put(9, utcHours);
    put(10, utcMinutes);
    return bytes;
}

QString VtDateTime::Text() const
{
    if ((utcHours != 0 || utcMinutes != 0) && (direction == '+' || direction == '-')) {
        return QString::asprintf("%d-%d-%d,%d:%d:%d.%d,%c%d:%d", year, month, day, hour, minutes,
            seconds, deciSeconds, direction, utcHours, utcMinutes);
    }
    return QString::asprintf(
        "%d-%d-%d,%d:%d:%d.%d", year, month, day, hour, minutes, seconds, deciSeconds);
}

bool VtDateTime::IsValid() const
{
    const auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    return within(year, 0, 65535) && within(month, 1, 12) && within(day, 1, 31)
        && within(hour, 0, 23) && within(minutes, 0, 59) && within(seconds, 0, 60)
        && within(deciSeconds, 0, 9) && (direction == '+' || direction == '-')
        && within(utcHours, 0, 13) && within(utcMinutes, 0, 59);
}
