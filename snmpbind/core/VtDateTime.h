// The 11-byte DateAndTime value of SNMP and its text form "y-m-d,h:m:s.d[,+h:m]".
#pragma once

#include <QByteArray>
#include <QString>

class VtDateTime
{
public:
    /// The current local date and time, deci-seconds 0, direction '+', offset 0:0.
    VtDateTime();
    /// Parses "%d-%d-%d,%d:%d:%d.%d,+%d:%d", then the same with '-', then without the offset;
    /// fields the matching form did not fill are 0 (FieldCount() tells how many it filled).
    explicit VtDateTime(const QString &text);

    /// The first 11 bytes (the year in network byte order); an 8-byte value has no offset.
    /// Fewer than 8 bytes give false and leave the value alone.
    bool FromBytes(const QByteArray &bytes);
    /// The 11 bytes, the year in network byte order.
    QByteArray ToBytes() const;
    /// "%d-%d-%d,%d:%d:%d.%d,%c%d:%d" when the offset is not 0:0 and the direction is '+' or '-',
    /// otherwise "%d-%d-%d,%d:%d:%d.%d".
    QString Text() const;

    /// Every field within the ranges of the 11-byte layout.
    bool IsValid() const;

    int FieldCount() const { return m_fieldCount; }

    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minutes = 0;
    int seconds = 0;
    int deciSeconds = 0;
    char direction = '+';
    int utcHours = 0;
    int utcMinutes = 0;

private:
    int m_fieldCount = 0;
};
