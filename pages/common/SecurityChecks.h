// The checks of a wireless security setting, as rules without texts: each page says them in its
// own words. WEP key lengths by type and size, hexadecimal keys, passphrases, key intervals and the
// RADIUS server.
#pragma once

#include <QString>

namespace security {

/// Item indexes of the key size lists ("64Bits", "128Bits").
enum KeySizeIndex {
    kKey64Bits = 0,
    kKey128Bits = 1,
};

/// The length a WEP key must have: ASCII 5 or 13 characters, HEX 10 or 26 digits
/// (key type by options::KeyTypeIndex, size by KeySizeIndex).
int wepKeyLength(int keyType, int keySize);

/// The size a key of this length has: 128 bits for 13 ASCII characters or 26 digits, else 64.
int wepKeySize(int keyType, int length);

/// A HEX key: digits 0-9, A-F, a-f only; a key of "*" alone (the device's masked read-back)
/// passes unchanged.
bool isHexKey(const QString &key);

/// "1st", "2nd", "3rd", "4th" for keys 1 to 4.
QString keyOrdinal(int key);

enum class PassphraseFault {
    None,
    TooShort,  ///< fewer than 8 characters
    TooLong,   ///< more than 63
    BlankEdge, ///< starts or ends with a blank
};

/// A WPA passphrase: 8 to 63 characters without a blank at either end.
PassphraseFault checkPassphrase(const QString &passphrase);

/// A decimal number from `low` to `high`; empty or anything else is not.
bool numberIn(const QString &text, qint64 low, qint64 high);

/// Group key and RADIUS key update intervals: 300 to 9999999 seconds.
bool validKeyInterval(const QString &text);
/// Periodic rekeying: 1 to 168 hours.
bool validRekeyInterval(const QString &text);
/// A RADIUS port: 1 to 65535.
bool validRadiusPort(const QString &text);
/// A RADIUS server: a host address (CheckIPAddress).
bool validRadiusServer(const QString &text);

enum class SecretFault {
    None,
    Empty,
    TooLong, ///< 65 characters or more
};

/// A RADIUS shared secret: 1 to 64 characters.
SecretFault checkRadiusSecret(const QString &secret);

} // namespace security
