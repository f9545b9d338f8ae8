// The simulator serves what the device table declares: a walk of the product root with an independent
// client (Net-SNMP's snmpwalk) returns every declared instance, nothing else, with the declared syntax.
#include "ChildCheck.h"
#include "DeviceMib.h"
#include "MibTestSupport.h"
#include "WaitUntil.h"

#include <map>
#include <string>

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The simulator as a subprocess on a free loopback port; ended through EOF on its control channel.
class Simulator
{
public:
    explicit Simulator(const QString &stateDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", stateDir);
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(stateDir);
        m_process.start(program(), {"--address", "127.0.0.1", "--port", "0"});
    }

    ~Simulator()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.closeWriteChannel();
            if (!m_process.waitForFinished(10000)) {
                ADD_FAILURE() << "kva7310-sim did not end on EOF";
                m_process.kill();
                m_process.waitForFinished(5000);
                return;
            }
            kvatest::expectCleanEnd(
                m_process, m_process.readAllStandardError(), QStringLiteral("kva7310-sim"));
        }
    }

    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    /// The program of this build: KVA7310_BIN_DIR, or bin/ beside the tests' own directory.
    static QString program()
    {
        QString dir = qEnvironmentVariable("KVA7310_BIN_DIR");
        if (dir.isEmpty()) {
            dir = QCoreApplication::applicationDirPath() + "/../bin";
        }
        return dir + "/kva7310-sim";
    }

    /// "127.0.0.1:<port>" from the first line the simulator prints, or empty.
    QString waitForAddress()
    {
        QString address;
        kvatest::waitUntil(
            [&] {
                if (m_process.canReadLine()) {
                    const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                    if (line.startsWith("LISTENING ")) {
                        address = line.mid(10);
                    }
                    return true;
                }
                return m_process.state() == QProcess::NotRunning;
            },
            20000);
        return address;
    }

private:
    QProcess m_process;
};

struct WalkedValue
{
    std::string
        type; // "INTEGER", "Hex-STRING", "IpAddress", "Timeticks", or "" for an empty string
    std::string value;
};

// `snmpwalk -On -Ox` output: ".1.3.6... = TYPE: value" or ".1.3.6... = """; long hex strings go on
// over further lines.
std::map<std::string, WalkedValue> parseWalk(const QString &output)
{
    static const QRegularExpression line(R"(^\.([0-9.]+) = (?:([A-Za-z0-9-]+): ?(.*)|(""))$)");
    std::map<std::string, WalkedValue> walked;
    WalkedValue *last = nullptr;
    for (const QString &text : output.split('\n', Qt::SkipEmptyParts)) {
        if (text.contains("No more variables left in this MIB View")) {
            continue; // the walk reached the end of the agent's view: nothing follows the device
        }
        const QRegularExpressionMatch m = line.match(text.trimmed());
        if (m.hasMatch()) {
            last = &walked[m.captured(1).toStdString()];
            *last = {m.captured(2).toStdString(), m.captured(3).trimmed().toStdString()};
        } else if (last != nullptr && !text.startsWith('.')) {
            last->value += " " + text.trimmed().toStdString();
        } else {
            walked["unparsed: " + text.toStdString()] = {};
        }
    }
    return walked;
}

bool typeMatches(sim::Syntax syntax, const WalkedValue &v)
{
    switch (syntax) {
    case sim::Syntax::Integer:
        return v.type == "INTEGER";
    case sim::Syntax::OctetString:
        return v.type == "Hex-STRING" || v.type == "STRING" || v.type.empty();
    case sim::Syntax::MacAddress: // six bytes: "00 1A 2B 3C 4D 5E"
        return v.type == "Hex-STRING" && v.value.size() == 17;
    case sim::Syntax::IpAddress:
        return v.type == "IpAddress";
    case sim::Syntax::TimeTicks:
        return v.type == "Timeticks";
    case sim::Syntax::ObjectId:
        return v.type == "OID";
    case sim::Syntax::Counter32:
        return v.type == "Counter32";
    case sim::Syntax::Gauge32:
        return v.type == "Gauge32";
    case sim::Syntax::Counter64:
        return v.type == "Counter64";
    }
    return false;
}

TEST(SimulatorWalk, ReturnsEveryDeclaredInstanceWithItsSyntax)
{
    if (!QFileInfo(Simulator::program()).isExecutable()) {
        GTEST_SKIP() << "kva7310-sim is not built";
    }
    const QString snmpwalk = QStandardPaths::findExecutable("snmpwalk");
    ASSERT_FALSE(snmpwalk.isEmpty());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Simulator simulator(dir.path());
    const QString address = simulator.waitForAddress();
    ASSERT_FALSE(address.isEmpty()) << "no LISTENING line";

    QProcess walk;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SNMP_PERSISTENT_DIR", dir.path());
    env.insert("SNMPCONFPATH", dir.path());
    env.insert("MIBS", "");
    walk.setProcessEnvironment(env);
    walk.start(snmpwalk,
        {"-v2c", "-c", "mirtal", "-On", "-Ox", "-t", "5", "-r", "1", address,
            QString::fromStdString(sim::kProductRoot)});
    ASSERT_TRUE(walk.waitForFinished(120000));
    const QString errors = QString::fromUtf8(walk.readAllStandardError());
    EXPECT_EQ(walk.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains("not increasing")) << errors.toStdString();

    std::map<std::string, WalkedValue> walked =
        parseWalk(QString::fromUtf8(walk.readAllStandardOutput()));
    for (const mibtest::ServedInstance &s : mibtest::servedInstances(sim::deviceMib())) {
        const auto found = walked.find(s.oid);
        if (found == walked.end()) {
            ADD_FAILURE() << "missing " << s.name << " at " << s.oid;
            continue;
        }
        EXPECT_TRUE(typeMatches(s.syntax, found->second))
            << s.name << " at " << s.oid << " came as " << found->second.type << ": "
            << found->second.value;
        walked.erase(found);
    }
    for (const auto &[oid, value] : walked) {
        ADD_FAILURE() << "undeclared " << oid << " = " << value.type << ": " << value.value;
    }
}

} // namespace
