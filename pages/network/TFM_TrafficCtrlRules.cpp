// The traffic control page's rules.
#include "TFM_TrafficCtrlRules.h"

namespace traffic {

namespace {

bool numberIn(const QString &text, long long low, long long high)
{
    if (!allDigits(text)) {
        return false;
    }
    bool ok = false;
    const long long n = text.toLongLong(&ok);
    return ok && n >= low && n <= high;
}

} // namespace

int collectedMode(bool downEnabled, bool downChecked, bool upEnabled, bool upChecked, int current)
{
    if (downEnabled && upEnabled) {
        return kModeDisable; // a checked box disables the other: neither is checked
    }
    if (upChecked && !downChecked) {
        return kModeUplink;
    }
    if (downChecked && !upChecked) {
        return kModeDownlink;
    }
    return current;
}

PortRange splitPort(const QString &text)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        return {QString(), text};
    }
    return {text.left(dash), text.mid(dash + 1)};
}

QString joinPort(const QString &left, const QString &right)
{
    return left + QLatin1Char('-') + right;
}

bool allDigits(const QString &text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

bool readsAsInteger(const QString &text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

bool validBandwidth(const QString &text)
{
    return numberIn(text, 1, 150);
}

bool validLimit(const QString &text)
{
    return numberIn(text, 1, 100);
}

bool speedWithin(const QString &speed, const QString &bandwidth)
{
    if (!allDigits(speed) || !allDigits(bandwidth)) {
        return false;
    }
    const long long s = speed.toLongLong();
    return s != 0 && s <= bandwidth.toLongLong();
}

} // namespace traffic
