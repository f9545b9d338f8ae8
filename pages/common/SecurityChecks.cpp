// The wireless security checks.
#include "SecurityChecks.h"

#include "Checks.h"
#include "SharedOptions.h"

namespace security {

int wepKeyLength(int keyType, int keySize)
{
    const bool hex = keyType == options::kKeyHex;
    const bool wide = keySize == kKey128Bits;
    if (hex) {
        return wide ? 26 : 10;
    }
    return wide ? 13 : 5;
}

int wepKeySize(int keyType, int length)
{
    const int wide = keyType == options::kKeyHex ? 26 : 13;
    return length == wide ? kKey128Bits : kKey64Bits;
}

bool isHexKey(const QString &key)
{
    if (!key.isEmpty() && key.count(QLatin1Char('*')) == key.size()) {
        return true;
    }
    for (const QChar c : key) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool letter = (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!digit && !letter) {
            return false;
        }
    }
    return true;
}

QString keyOrdinal(int key)
{
    switch (key) {
    case 1:
        return QStringLiteral("1st");
    case 2:
        return QStringLiteral("2nd");
    case 3:
        return QStringLiteral("3rd");
    default:
        return QString::number(key) + QStringLiteral("th");
    }
}

PassphraseFault checkPassphrase(const QString &passphrase)
{
    if (passphrase.size() < 8) {
        return PassphraseFault::TooShort;
    }
    if (passphrase.size() > 63) {
        return PassphraseFault::TooLong;
    }
    if (!CheckBlankEdges(passphrase)) {
        return PassphraseFault::BlankEdge;
    }
    return PassphraseFault::None;
}

bool numberIn(const QString &text, qint64 low, qint64 high)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n >= low && n <= high;
}

bool validKeyInterval(const QString &text)
{
    return numberIn(text, 300, 9999999);
}

bool validRekeyInterval(const QString &text)
{
    return numberIn(text, 1, 168);
}

bool validRadiusPort(const QString &text)
{
    return numberIn(text, 1, 65535);
}

bool validRadiusServer(const QString &text)
{
    return CheckIPAddress(text);
}

SecretFault checkRadiusSecret(const QString &secret)
{
    if (secret.isEmpty()) {
        return SecretFault::Empty;
    }
    return secret.size() >= 65 ? SecretFault::TooLong : SecretFault::None;
}

} // namespace security
