// Readable gtest output for Qt strings.
#pragma once

#include <ostream>

#include <QString>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
