// A running snmpd, SNMP started in a private directory, and helpers that walk a table.
#pragma once

#include "QtPrinters.h"
#include "SnmpInit.h"
#include "SnmpdProcess.h"
#include "VtSNMPDevice.h"
#include "VtSNMPRequest.h"
#include "WaitUntil.h"

#include <memory>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace enginetest {

/// How a request reaches the agent.
struct Credentials
{
    const char *name;
    int version;
    const kvatest::SnmpdProcess::User *user; ///< SNMPv3 only
    int authProtocol;
    int privProtocol;
    int level = 3;
    const char *securityName = nullptr; ///< a user without passwords
};

inline void PrintTo(const Credentials &c, std::ostream *os)
{
    *os << c.name;
}

inline const Credentials kV1 = {"V1", 0, nullptr, 1, 1};
inline const Credentials kV2c = {"V2c", 1, nullptr, 1, 1};
inline const Credentials kV3Md5Des = {"V3Md5Des", 3, &kvatest::SnmpdProcess::kMd5Des, 2, 2};
inline const Credentials kV3ShaAes = {"V3ShaAes", 3, &kvatest::SnmpdProcess::kShaAes, 3, 3};
inline const Credentials kV3Sha256Aes256 = {
    "V3Sha256Aes256", 3, &kvatest::SnmpdProcess::kSha256Aes256, 5, 5};
inline const Credentials kV3NoAuth = {
    "V3NoAuth", 3, nullptr, 1, 1, 1, kvatest::SnmpdProcess::kNoAuthUser};

inline void applyCredentials(VtSNMPRequest &r, const Credentials &c)
{
    r.Version = static_cast<std::uint8_t>(c.version);
    r.ReadCommunity = QLatin1String(kvatest::SnmpdProcess::kReadCommunity);
    r.WriteCommunity = QLatin1String(kvatest::SnmpdProcess::kWriteCommunity);
    if (c.securityName != nullptr) {
        r.SecurityModel = 3;
        r.SecurityLevel = c.level;
        r.SecurityName = QLatin1String(c.securityName);
    }
    if (c.user != nullptr) {
        r.SecurityModel = 3;
        r.SecurityLevel = c.level;
        r.SecurityName = QLatin1String(c.user->name);
        r.AuthProtocol = c.authProtocol;
        r.AuthPassword = QLatin1String(c.user->authPassword);
        r.PrivProtocol = c.privProtocol;
        r.PrivPassword = QLatin1String(c.user->privPassword);
    }
}

/// A request that records every OnError report.
class RecordingRequest : public VtSNMPRequest
{
public:
    RecordingRequest()
    {
        OnError = [this](const VtSNMPError &e) { errors.push_back(e); };
    }

    /// The codes reported so far, for failure messages.
    std::string codes() const
    {
        std::string text;
        for (const VtSNMPError &e : errors) {
            text += std::to_string(e.Code) + ' ' + e.Message.toStdString() + "; ";
        }
        return text;
    }

    std::vector<VtSNMPError> errors;
};

inline QStringList valuesOf(const VtSNMPVarList &vars)
{
    QStringList row;
    for (int i = 0; i < vars.Count(); ++i) {
        row.append(vars.Var(i).Value);
    }
    return row;
}

inline std::vector<QStringList> walkBlocking(VtSNMPRequest &r, bool *ok)
{
    std::vector<QStringList> rows;
    *ok = true;
    bool more = true;
    for (bool first = true; more && rows.size() < 1000; first = false) {
        bool stepOk = true;
        more = r.ReadOnce(stepOk, first);
        *ok = *ok && stepOk;
        if (more) {
            rows.push_back(valuesOf(r.Vars));
        }
    }
    return rows;
}

struct AsyncWalk
{
    std::vector<QStringList> rows;
    std::vector<VtSNMPError> results;
    bool finished = false;
};

inline AsyncWalk walkAsync(VtSNMPRequest &r, int deadlineMs = 20000)
{
    AsyncWalk walk;
    VtSNMPCompletion step;
    step = [&](void *, const VtSNMPError &result, VtSNMPVarList &vars) {
        walk.results.push_back(result);
        if (!result.Finished) {
            walk.rows.push_back(valuesOf(vars));
        }
        if (result.Finished) {
            walk.finished = true;
        } else {
            r.ReadAsync(step, nullptr, false);
        }
    };
    r.ReadAsync(step, nullptr, true);
    kvatest::waitUntil([&] { return walk.finished; }, deadlineMs);
    return walk;
}

/// snmpd for the whole suite; SNMP started afresh in a private directory for every test.
class VtSNMPRequestTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_snmpd = std::make_unique<kvatest::SnmpdProcess>(QStringList{QStringLiteral("test")},
            QStringList{
                QStringLiteral("sysName kva-test"), QStringLiteral("sysLocation lab-7310")});
        s_started = s_snmpd->start();
    }

    static void TearDownTestSuite() { s_snmpd.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_started) << s_snmpd->error().toStdString();
        ASSERT_TRUE(m_state.isValid());
        SnmpInit(m_state.path());
        SnmpDevice().Host = QStringLiteral("127.0.0.1");
        SnmpDevice().Port = s_snmpd->port();
    }

    static inline std::unique_ptr<kvatest::SnmpdProcess> s_snmpd;
    static inline bool s_started = false;
    QTemporaryDir m_state;
};

} // namespace enginetest
