// Net-SNMP's snmpd as a test peer: private configuration and persistent directory, a free
// loopback port, started and stopped by the test.
#pragma once

#include <cstdint>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kvatest {

class SnmpdProcess
{
public:
    /// Users the default configuration creates (read-write, authPriv).
    struct User
    {
        const char *name;
        const char *auth; ///< snmpd's protocol name
        const char *authPassword;
        const char *priv;
        const char *privPassword;
    };

    static const User kMd5Des;
    static const User kShaAes;
    static const User kSha256Aes256;
    /// A user without authentication or privacy (noAuthNoPriv, read-write).
    static constexpr const char *kNoAuthUser = "plainuser";

    static constexpr const char *kReadCommunity = "mirtal";
    static constexpr const char *kWriteCommunity = "solvane";
    /// Reads only the test table's column 3, so a walk of it meets the end of the view.
    static constexpr const char *kColumnCommunity = "column";
    /// Root of the tables the pass_persist helper serves.
    static constexpr const char *kTableRoot = "1.3.6.1.4.1.32473.99";

    /// `helperArgs` are passed to the table helper ("test", or "rows N").
    explicit SnmpdProcess(
        QStringList helperArgs = {QStringLiteral("test")}, QStringList extraConfig = {});
    ~SnmpdProcess();
    SnmpdProcess(const SnmpdProcess &) = delete;
    SnmpdProcess &operator=(const SnmpdProcess &) = delete;

    /// Starts snmpd and waits until it answers; false (with the reason in error()) otherwise.
    bool start();
    void stop();

    std::uint16_t port() const { return m_port; }

    QString error() const { return m_error; }

    QString directory() const { return m_dir.path(); }

private:
    bool startOn(std::uint16_t port);
    bool answers();

    QStringList m_helperArgs;
    QStringList m_extraConfig;
    QTemporaryDir m_dir;
    QProcess m_process;
    std::uint16_t m_port = 0;
    QString m_error;
    QByteArray m_probeCommunity;
};

} // namespace kvatest
