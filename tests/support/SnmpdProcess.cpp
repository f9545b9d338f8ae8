// Net-SNMP's snmpd as a test peer.
#include "SnmpdProcess.h"

#include "FreePort.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QUdpSocket>

namespace kvatest {

const SnmpdProcess::User SnmpdProcess::kMd5Des = {
    "md5des", "MD5", "md5password", "DES", "despassword"};
const SnmpdProcess::User SnmpdProcess::kShaAes = {
    "shaaes", "SHA", "shapassword", "AES", "aespassword"};
const SnmpdProcess::User SnmpdProcess::kSha256Aes256 = {
    "sha256aes256", "SHA-256", "sha256password", "AES-256", "aes256password"};

namespace {

QByteArray berLength(int n)
{
    if (n < 0x80) {
        return QByteArray(1, static_cast<char>(n));
    }
    return QByteArray("\x81", 1) + QByteArray(1, static_cast<char>(n));
}

QByteArray tlv(char tag, const QByteArray &content)
{
    return QByteArray(1, tag) + berLength(static_cast<int>(content.size())) + content;
}

/// An SNMPv2c GET of sysUpTime.0, written by hand so the probe needs no SNMP library.
QByteArray probePacket(const QByteArray &community)
{
    const QByteArray sysUpTime("\x2b\x06\x01\x02\x01\x01\x03\x00", 8);
    const QByteArray binding = tlv(0x30, tlv(0x06, sysUpTime) + QByteArray("\x05\x00", 2));
    const QByteArray pdu = tlv(static_cast<char>(0xa0),
        QByteArray("\x02\x01\x01\x02\x01\x00\x02\x01\x00", 9) + tlv(0x30, binding));
    return tlv(0x30, QByteArray("\x02\x01\x01", 3) + tlv(0x04, community) + pdu);
}

QString helperPath()
{
    const QString bin = qEnvironmentVariable("KVA7310_BIN_DIR");
    return (bin.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1String("/../bin") : bin)
        + QLatin1String("/kva-bench-snmp-table");
}

} // namespace

SnmpdProcess::SnmpdProcess(QStringList helperArgs, QStringList extraConfig)
    : m_helperArgs(std::move(helperArgs)),
      m_extraConfig(std::move(extraConfig)),
      m_probeCommunity("probe-" + QByteArray::number(QCoreApplication::applicationPid()) + '-'
          + QByteArray::number(QRandomGenerator::global()->generate64(), 36))
{ }

SnmpdProcess::~SnmpdProcess()
{
    stop();
}

bool SnmpdProcess::start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return false;
    }
    // the port is only known free when we look; another process may take it before snmpd binds
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::uint16_t port = freeUdpPort();
        if (port != 0 && startOn(port)) {
            return true;
        }
        stop();
    }
    return false;
}

bool SnmpdProcess::startOn(std::uint16_t port)
{
    const QString persist = m_dir.path() + QLatin1String("/persist");
    QDir().mkpath(persist);
    const QString root = QLatin1Char('.') + QLatin1String(kTableRoot);
    QStringList conf = {
        // a log line per request would only slow snmpd down
        QStringLiteral("dontLogTCPWrappersConnects yes"),
        QStringLiteral("rocommunity %1 127.0.0.1").arg(QLatin1String(kReadCommunity)),
        QStringLiteral("rwcommunity %1 127.0.0.1").arg(QLatin1String(kWriteCommunity)),
        QStringLiteral("rocommunity %1 127.0.0.1 %2.1.1.3")
            .arg(QLatin1String(kColumnCommunity), root),
        // known to this instance alone: the readiness probe cannot mistake a neighbour for it
        QStringLiteral("rocommunity %1 127.0.0.1").arg(QString::fromLatin1(m_probeCommunity)),
        QStringLiteral("pass_persist %1 %2 %3").arg(root, helperPath(), m_helperArgs.join(u' ')),
    };
    for (const User *u : {&kMd5Des, &kShaAes, &kSha256Aes256}) {
        conf << QStringLiteral("createUser %1 %2 %3 %4 %5")
                    .arg(QLatin1String(u->name), QLatin1String(u->auth),
                        QLatin1String(u->authPassword), QLatin1String(u->priv),
                        QLatin1String(u->privPassword))
             << QStringLiteral("rwuser %1 priv").arg(QLatin1String(u->name));
    }
    conf << QStringLiteral("createUser %1").arg(QLatin1String(kNoAuthUser))
         << QStringLiteral("rwuser %1 noauth").arg(QLatin1String(kNoAuthUser));
    conf << m_extraConfig;
    const QString confPath = m_dir.path() + QLatin1String("/snmpd.conf");
    QFile file(confPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QStringLiteral("cannot write snmpd.conf");
        return false;
    }
    file.write(conf.join(u'\n').toUtf8() + '\n');
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), persist);
    env.insert(QStringLiteral("MIBS"), QString());
    env.insert(QStringLiteral("MIBDIRS"), QString());
    env.insert(QStringLiteral("HOME"), m_dir.path());
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("/usr/sbin/snmpd"),
        {QStringLiteral("-f"), QStringLiteral("-Lo"), QStringLiteral("-C"), QStringLiteral("-c"),
            confPath, QStringLiteral("-p"), m_dir.path() + QLatin1String("/snmpd.pid"),
            QStringLiteral("udp:127.0.0.1:%1").arg(port)});
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("snmpd did not start: ") + m_process.errorString();
        return false;
    }
    m_port = port;
    if (!answers()) {
        m_error = QStringLiteral("snmpd did not answer: ") + QString::fromUtf8(m_process.readAll());
        return false;
    }
    return true;
}

bool SnmpdProcess::answers()
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::LocalHost, 0)) {
        return false;
    }
    const QByteArray packet = probePacket(m_probeCommunity);
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running) {
            return false;
        }
        socket.writeDatagram(packet, QHostAddress::LocalHost, m_port);
        if (socket.waitForReadyRead(100) && socket.hasPendingDatagrams()) {
            return true;
        }
    }
    return false;
}

void SnmpdProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

} // namespace kvatest
