// One SNMP exchange engine per variable list.
#include "VtSNMPRequest.h"

#include "ErrorMapping.h"
#include "IndexCoding.h"
#include "SnmpEventProcessor.h"
#include "VtNumList.h"
#include "VtOptionList.h"
#include "VtSNMPDevice.h"
#include "netsnmp/NetSnmpAdapter.h"

#include <cstring>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

int VtSNMPRequest::DestroyWaitMs = 6000;

/// What completions hold on to: cleared when the request goes, so a late one touches nothing.
struct VtSNMPRequest::Link
{
    /// The numeric OIDs a variable was last sent with, beside the texts they were made from, so
    /// that repeated reads and the steps of a walk parse nothing they have parsed before.
    struct SentOids
    {
        QString column;
        QString instance;
        bool scalar = false;
        netsnmp::Oid start;
        QString cursor;
        netsnmp::Oid next;
    };

    /// The agent and credentials a target was made from, and the target, for reads and writes:
    /// made again only when one of them changed.
    struct MadeTarget
    {
        bool made = false;
        QString host;
        std::uint16_t port = 0;
        std::uint8_t version = 0;
        QString community;
        std::int32_t securityLevel = 0;
        QString securityName;
        std::int32_t authProtocol = 0;
        QString authPassword;
        std::int32_t privProtocol = 0;
        QString privPassword;
        QString contextName;
        QString contextEngineId;
        std::int32_t timeout = 0;
        std::int32_t retries = 0;
        netsnmp::Target target;
    };

    VtSNMPRequest *request = nullptr;
    std::vector<SentOids> sent;
    MadeTarget targets[2];

    SentOids &sentOids(int i)
    {
        if (sent.size() <= static_cast<std::size_t>(i)) {
            sent.resize(static_cast<std::size_t>(i) + 1);
        }
        return sent[static_cast<std::size_t>(i)];
    }
};

namespace {

using netsnmp::Binding;

netsnmp::Oid oidOrThrow(const QString &text)
{
    netsnmp::Oid oid;
    if (!snmptext::tryParseOid(text, oid) || oid.size() < 2) {
        RaiseLibraryError(liberr::kBadSyntax);
    }
    return oid;
}

/// Whether a received value has the type (and length) the variable's syntax expects. Values
/// that carry nothing (NULL, noSuchObject, ...) fit every syntax: they read as "no value".
bool fits(int syntax, const SnmpWireValue &v)
{
    if (v.isNoValue()) {
        return true;
    }
    using W = SnmpWireValue;
    switch (syntax) {
    case synBoolean:
    case synInteger:
        return v.type == W::Integer;
    case synBitString:
    case synOctetString:
    case synDisplayString:
        return v.type == W::OctetString;
    case synOpaque:
        return v.type == W::Opaque || v.type == W::OctetString;
    case synMacAddress:
        return v.type == W::OctetString && (v.octets.isEmpty() || v.octets.size() == 6);
    case synNull:
        return true;
    case synOid:
        return v.type == W::ObjectId;
    case synIpAddress:
    case synIpAddressAlt:
        return v.type == W::IpAddress && v.octets.size() == 4;
    case synCounter32:
        return v.type == W::Counter32;
    case synGauge32:
    case synUInteger32:
        return v.type == W::Gauge32 || v.type == W::UInteger32;
    case synTimeTicks:
        return v.type == W::TimeTicks;
    case synCounter64:
        return v.type == W::Counter64;
    case synReal:
    case synDateTime:
    case synDateAndTime: // DateAndTime comes in 8 or 11 bytes
        return v.type == W::OctetString && (v.octets.isEmpty() || v.octets.size() >= 8);
    default:
        return false;
    }
}

} // namespace

/// The request's private work, kept out of the header.
struct VtSNMPRequest::Impl
{
    /// One PDU as sent: the variable each binding belongs to, and the bindings.
    struct Sent
    {
        netsnmp::PduType type = netsnmp::PduType::Get;
        std::vector<int> vars;
        std::vector<Binding> bindings;
    };

    struct Outcome
    {
        bool more = false;
        bool viewEnded = false;
        bool wrongValue = false;
        bool stoppedOnNoSuchName = false;
    };

    static const netsnmp::Target &target(const VtSNMPRequest &r, bool write)
    {
        Link::MadeTarget &m = r.m_link->targets[write ? 1 : 0];
        const QString &community = write ? r.WriteCommunity : r.ReadCommunity;
        if (m.made && m.host == r.Host && m.port == r.Port && m.version == r.Version
            && m.community == community && m.securityLevel == r.SecurityLevel
            && m.securityName == r.SecurityName && m.authProtocol == r.AuthProtocol
            && m.authPassword == r.AuthPassword && m.privProtocol == r.PrivProtocol
            && m.privPassword == r.PrivPassword && m.contextName == r.ContextName
            && m.contextEngineId == r.ContextEngineId && m.timeout == r.Timeout
            && m.retries == r.Retries) {
            return m.target;
        }
        m.target = makeTarget(r, write);
        m.made = true;
        m.host = r.Host;
        m.port = r.Port;
        m.version = r.Version;
        m.community = community;
        m.securityLevel = r.SecurityLevel;
        m.securityName = r.SecurityName;
        m.authProtocol = r.AuthProtocol;
        m.authPassword = r.AuthPassword;
        m.privProtocol = r.PrivProtocol;
        m.privPassword = r.PrivPassword;
        m.contextName = r.ContextName;
        m.contextEngineId = r.ContextEngineId;
        m.timeout = r.Timeout;
        m.retries = r.Retries;
        return m.target;
    }

    static netsnmp::Target makeTarget(const VtSNMPRequest &r, bool write)
    {
        netsnmp::Target t;
        t.host = r.Host;
        t.port = r.Port;
        t.version = r.Version == 3 ? 3 : r.Version == 1 ? 1 : 0;
        t.community = (write ? r.WriteCommunity : r.ReadCommunity).toUtf8();
        t.securityLevel = r.SecurityLevel;
        t.securityName = r.SecurityName.toUtf8();
        t.authProtocol = r.AuthProtocol;
        t.authPassword = r.AuthPassword.toUtf8();
        t.privProtocol = r.PrivProtocol;
        t.privPassword = r.PrivPassword.toUtf8();
        t.contextName = r.ContextName.toUtf8();
        // a context engine ID is given in hexadecimal when it starts with "0x"
        t.contextEngineId = r.ContextEngineId.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
            ? QByteArray::fromHex(r.ContextEngineId.mid(2).toLatin1())
            : r.ContextEngineId.toUtf8();
        t.timeout = r.Timeout;
        t.retries = r.Retries;
        return t;
    }

    static Sent buildRead(VtSNMPRequest &r, bool first)
    {
        VtSNMPVarList &vars = r.Vars;
        Sent sent;
        switch (vars.ItemType) {
        case itScalars:
            sent.type = netsnmp::PduType::Get;
            break;
        case itInstance:
            sent.type = r.UseGetNext ? netsnmp::PduType::GetNext : netsnmp::PduType::Get;
            break;
        default:
            sent.type = netsnmp::PduType::GetNext;
            break;
        }
        if (!first && !vars.IsTable()) {
            RaiseLibraryError(liberr::kGetNextOnSingleValue);
        }
        for (int i = 0; i < vars.Count(); ++i) {
            if (!vars.IsRequested(i)) {
                continue;
            }
            VtSNMPVar &v = vars.Var(i);
            Link::SentOids &known = r.m_link->sentOids(i);
            Binding b;
            if (first) {
                v.CursorOid.clear();
                const bool scalar = vars.ItemType == itScalars;
                if (known.start.isEmpty() || known.scalar != scalar || known.column != v.Oid
                    || known.instance != vars.Instance) {
                    QString oid = r.columnOid(i);
                    if (scalar) {
                        oid += QLatin1String(".0");
                    }
                    known.start = oidOrThrow(oid);
                    known.column = v.Oid;
                    known.instance = vars.Instance;
                    known.scalar = scalar;
                }
                b.oid = known.start;
            } else {
                if (known.next.isEmpty() || known.cursor != v.CursorOid) {
                    known.next = oidOrThrow(v.CursorOid);
                    known.cursor = v.CursorOid;
                }
                b.oid = known.next;
            }
            sent.vars.push_back(i);
            sent.bindings.push_back(std::move(b));
        }
        return sent;
    }

    // Selects, converts and encodes the variables of one write; the list goes back as it was
    // afterwards (also when a step throws), else the flags of this one write would stick.
    static Sent prepareWrite(VtSNMPRequest &r, const QString &indexList, const QStringList *values)
    {
        const VtSNMPVarList backup = r.Vars;
        Sent sent;
        try {
            r.applyWriteSelection(indexList, values);
            for (int i = 0; i < r.Vars.Count(); ++i) {
                r.Convert(i, false);
            }
            sent = buildWrite(r);
        } catch (...) {
            r.Vars = backup;
            throw;
        }
        r.Vars = backup;
        return sent;
    }

    static Sent buildWrite(VtSNMPRequest &r)
    {
        VtSNMPVarList &vars = r.Vars;
        Sent sent;
        sent.type = netsnmp::PduType::Set;
        const bool table = vars.IsTable();
        const QString row = table ? r.RowIndex() : QString();
        for (int i = 0; i < vars.Count(); ++i) {
            if (!vars.IsWritable(i) || (table && i < vars.KeyCount)) {
                continue;
            }
            QString oid = r.columnOid(i);
            if (vars.ItemType == itScalars) {
                oid += QLatin1String(".0");
            } else if (table && !row.isEmpty()) {
                oid += QLatin1Char('.') + row;
            }
            Binding b;
            b.oid = oidOrThrow(oid);
            b.value = r.LoadValue(i);
            sent.vars.push_back(i);
            sent.bindings.push_back(std::move(b));
        }
        return sent;
    }

    /// Stores a read's answer in the list. Without an answer the sent bindings stand in for it,
    /// so unanswered variables hold what an empty binding carries.
    static Outcome processRead(VtSNMPRequest &r, const Sent &sent,
        const std::vector<Binding> &received, int code, bool blocking)
    {
        VtSNMPVarList &vars = r.Vars;
        const bool table = vars.IsTable();
        const std::vector<Binding> &bindings = received.empty() ? sent.bindings : received;
        Outcome out;
        int ended = 0;
        QString suffix;
        bool haveSuffix = false;
        const std::size_t n = sent.vars.size();
        for (std::size_t k = 0; k < n; ++k) {
            const int i = sent.vars[k];
            VtSNMPVar &v = vars.Var(i);
            // an agent that answers with fewer bindings leaves the rest unanswered
            const Binding &b = k < bindings.size() ? bindings[k] : sent.bindings[k];
            const QString requested = r.columnOid(i);
            const QString got = snmptext::oidText(b.oid);
            if (code == -102 && table) {
                if (got == v.CursorOid) {
                    // the agent's view has ended
                    out.viewEnded = true;
                    return out;
                }
                if (!blocking) {
                    out.stoppedOnNoSuchName = true;
                    return out;
                }
                r.report(ErrorFromStatus(2));
            }
            if (r.ColumnEnded(requested, v.CursorOid, got)) {
                v.Value = QLatin1String(kSnmpNotDoneText);
                QString rowIndex;
                try {
                    rowIndex = r.RowIndex();
                } catch (const VtException &) {
                    rowIndex.clear();
                }
                v.CursorOid =
                    rowIndex.isEmpty() ? requested : requested + QLatin1Char('.') + rowIndex;
                ++ended;
            } else {
                if (!r.StoreValue(i, b.value)) {
                    out.wrongValue = true;
                }
                v.CursorOid = got;
                if (b.oid.size() >= 2) {
                    // the next step of a walk sends this OID again
                    Link::SentOids &known = r.m_link->sentOids(i);
                    known.cursor = got;
                    known.next = b.oid;
                }
            }
            if (table && !haveSuffix && got.size() > requested.size()) {
                suffix = got.mid(requested.size() + 1);
                haveSuffix = true;
            }
        }
        if (static_cast<std::size_t>(ended) < n) {
            if (table) {
                r.TakeKeys(suffix);
            }
            for (int i = 0; i < vars.Count(); ++i) {
                r.Convert(i, true);
            }
        }
        out.more = table && static_cast<std::size_t>(ended) < n;
        return out;
    }

    static VtSNMPError libraryError(int k)
    {
        VtSNMPError e;
        e.Code = -(500 + k);
        e.Message = CatalogText(VtCatalog::VtSnmp, k);
        return e;
    }

    /// The failure of a handle that could not be had; -509 is an exception.
    static VtSNMPError openFailure(netsnmp::OpenFailure failure)
    {
        switch (failure) {
        case netsnmp::OpenFailure::InvalidAddress:
            RaiseLibraryError(liberr::kBadAddress);
        case netsnmp::OpenFailure::UnsupportedAuth:
            return ErrorFromStatus(snmpstatus::kUsmUnsupportedAuthProtocol);
        case netsnmp::OpenFailure::UnsupportedPriv:
            return ErrorFromStatus(snmpstatus::kUsmUnsupportedPrivProtocol);
        case netsnmp::OpenFailure::Library:
            return libraryError(liberr::kSessionNotCreated);
        case netsnmp::OpenFailure::None:
            break;
        }
        return ErrorFromStatus(0);
    }

    static void fillAgent(const VtSNMPRequest &r, VtSNMPError *e)
    {
        e->AgentHost = r.Host;
        e->AgentPort = r.Port;
    }

    static void completeRead(VtSNMPRequest &r, const Sent &sent, const netsnmp::Response &resp,
        const VtSNMPCompletion &done, void *data)
    {
        VtSNMPError result = ErrorFromNetSnmp(resp.libraryError, resp.errorStatus);
        const bool table = r.Vars.IsTable();
        bool finished = true;
        if (result.Code == 0 || (result.Code == -102 && table)) {
            try {
                const Outcome out = processRead(r, sent, resp.bindings, result.Code, false);
                if (out.viewEnded) {
                    result = ErrorFromStatus(0);
                } else if (out.wrongValue && result.Code == 0) {
                    result = libraryError(liberr::kBadSyntax);
                }
                finished = !out.more || result.Code != 0;
            } catch (const VtException &e) {
                result.Code = e.Code();
                result.Message = e.Message();
            }
        }
        result.ErrorIndex = resp.errorIndex;
        result.Finished = finished;
        fillAgent(r, &result);
        if (done) {
            done(data, result, r.Vars);
        }
    }

    static void completeWrite(
        VtSNMPRequest &r, const netsnmp::Response &resp, const VtSNMPCompletion &done, void *data)
    {
        // a failed write stays a failure: the answer to a SET is never read as a walk's end
        VtSNMPError result = ErrorFromNetSnmp(resp.libraryError, resp.errorStatus);
        result.ErrorIndex = resp.errorIndex;
        result.Finished = true;
        fillAgent(r, &result);
        if (done) {
            done(data, result, r.Vars);
        }
    }

    /// Sends asynchronously; the completion finds the request through the link, if it is still
    /// there.
    static void sendAsync(
        VtSNMPRequest &r, Sent sent, bool write, VtSNMPCompletion done, void *data)
    {
        netsnmp::OpenFailure failure = netsnmp::OpenFailure::None;
        std::shared_ptr<Link> link = r.m_link;
        auto sentShared = std::make_shared<Sent>(std::move(sent));
        ++r.Pending;
        const int rc = netsnmp::Adapter::instance().send(
            target(r, write), sentShared->type, sentShared->bindings,
            [link, sentShared, write, done = std::move(done), data](const netsnmp::Response &resp) {
                VtSNMPRequest *req = link->request;
                if (req == nullptr) {
                    return;
                }
                --req->Pending;
                if (resp.closing || !req->Alive) {
                    return;
                }
                if (write) {
                    completeWrite(*req, resp, done, data);
                } else {
                    completeRead(*req, *sentShared, resp, done, data);
                }
            },
            &failure);
        SnmpEventProcessor::Instance().WatchSockets();
        if (rc == 0) {
            return;
        }
        --r.Pending;
        if (failure != netsnmp::OpenFailure::None) {
            r.report(openFailure(failure));
        } else {
            r.report(ErrorFromNetSnmp(rc, 0));
        }
    }
};

VtSNMPRequest::VtSNMPRequest() : m_link(std::make_shared<Link>())
{
    m_link->request = this;
    const VtSNMPDevice &device = SnmpDevice();
    const VtSNMPSecurity &security = SnmpSecurity();
    const VtSNMPScope &scope = SnmpScope();
    Timeout = SnmpDefaultTimeout();
    Retries = 1;
    Host = device.Host;
    Port = device.Port;
    ContextEngineId = scope.ContextEngineId;
    ContextName = scope.ContextName;
    Version = security.Version;
    ReadCommunity = security.ReadCommunity;
    WriteCommunity = security.WriteCommunity;
    SecurityModel = security.SecurityModel;
    SecurityLevel = security.SecurityLevel;
    SecurityName = security.SecurityName;
    AuthPassword = security.AuthPassword;
    PrivPassword = security.PrivPassword;
    AuthProtocol = security.AuthProtocol;
    PrivProtocol = security.PrivProtocol;
}

VtSNMPRequest::~VtSNMPRequest()
{
    Alive = false;
    if (Pending > 0) {
        QDeadlineTimer deadline(DestroyWaitMs);
        while (Pending > 0 && !deadline.hasExpired()) {
            SnmpEventProcessor::Instance().Process();
            if (Pending > 0 && QCoreApplication::instance() != nullptr) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            }
        }
    }
    m_link->request = nullptr;
}

QString VtSNMPRequest::columnOid(int i) const
{
    QString oid = Vars.Var(i).Oid.trimmed();
    if (!Vars.Instance.isEmpty()) {
        oid += QLatin1Char('.') + Vars.Instance;
    }
    return oid;
}

bool VtSNMPRequest::checkItemType()
{
    if (Vars.ItemType <= itTable) {
        return true;
    }
    report(Impl::libraryError(liberr::kBadItemType));
    return false;
}

void VtSNMPRequest::report(VtSNMPError error)
{
    ++ErrorCount;
    error.ErrorCount = ErrorCount;
    LastError = error;
    if (OnError) {
        OnError(error);
    }
}

bool VtSNMPRequest::ReadOnce(bool &ok, bool first)
{
    ok = true;
    if (!Alive) {
        return false;
    }
    if (!checkItemType()) {
        ok = false;
        return false;
    }
    const Impl::Sent sent = Impl::buildRead(*this, first);
    netsnmp::OpenFailure failure = netsnmp::OpenFailure::None;
    const netsnmp::Response resp = netsnmp::Adapter::instance().exchange(
        Impl::target(*this, false), sent.type, sent.bindings, &failure);
    // a plain success needs no catalog text: it is never reported
    VtSNMPError error;
    if (failure != netsnmp::OpenFailure::None) {
        error = Impl::openFailure(failure);
    } else if (resp.libraryError != 0 || resp.errorStatus != 0) {
        error = ErrorFromNetSnmp(resp.libraryError, resp.errorStatus);
    }
    const bool table = Vars.IsTable();
    if (error.Code != 0 && !(error.Code == -102 && table)) {
        report(error);
        ok = false;
    }
    const Impl::Outcome out = Impl::processRead(*this, sent, resp.bindings, error.Code, true);
    if (error.Code == -102 && table && !out.viewEnded) {
        ok = false;
    }
    if (out.wrongValue) {
        report(Impl::libraryError(liberr::kBadSyntax));
        ok = false;
    }
    return out.more;
}

void VtSNMPRequest::ReadAsync(VtSNMPCompletion done, void *data, bool first)
{
    if (!Alive || !checkItemType()) {
        return;
    }
    Impl::sendAsync(*this, Impl::buildRead(*this, first), false, std::move(done), data);
}

void VtSNMPRequest::applyWriteSelection(const QString &indexList, const QStringList *values)
{
    if (indexList.isEmpty()) {
        return;
    }
    VtNumList<int> positions(',');
    positions.Parse(indexList);
    for (int i = 0; i < Vars.Count(); ++i) {
        VtSNMPVar &v = Vars.Var(i);
        const int at = positions.IndexOf(i);
        if (at < 0) {
            v.Flags |= vfSkip;
            continue;
        }
        v.Flags &= ~vfSkip;
        if (values != nullptr && at < values->size()) {
            v.Value = values->at(at);
        }
    }
}

void VtSNMPRequest::Write(bool &ok, const QString &indexList, const QStringList *values)
{
    ok = true;
    if (!Alive) {
        return;
    }
    if (!checkItemType()) {
        ok = false;
        return;
    }
    Impl::Sent sent = Impl::prepareWrite(*this, indexList, values);
    netsnmp::OpenFailure failure = netsnmp::OpenFailure::None;
    const netsnmp::Response resp = netsnmp::Adapter::instance().exchange(
        Impl::target(*this, true), sent.type, sent.bindings, &failure);
    const VtSNMPError error = failure != netsnmp::OpenFailure::None
        ? Impl::openFailure(failure)
        : ErrorFromNetSnmp(resp.libraryError, resp.errorStatus);
    if (error.Code != 0) {
        report(error);
        ok = false;
    }
}

void VtSNMPRequest::WriteAsync(
    VtSNMPCompletion done, void *data, const QString &indexList, const QStringList *values)
{
    if (!Alive || !checkItemType()) {
        return;
    }
    Impl::Sent sent = Impl::prepareWrite(*this, indexList, values);
    Impl::sendAsync(*this, std::move(sent), true, std::move(done), data);
}

QString VtSNMPRequest::RowIndex()
{
    QStringList parts;
    for (int i = 0; i < Vars.KeyCount && i < Vars.Count(); ++i) {
        const QString part = EncodeKey(i);
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    return parts.join(QLatin1Char('.'));
}

void VtSNMPRequest::TakeKeys(const QString &suffix)
{
    QString rest = suffix;
    for (int i = 0; i < Vars.KeyCount; ++i) {
        if (rest.isEmpty() || i >= Vars.Count()) {
            RaiseLibraryError(liberr::kBadKeyCount);
        }
        if (!Vars.IsRequested(i)) {
            Vars.Var(i).CursorOid = columnOid(i) + QLatin1Char('.') + suffix;
        }
        rest = DecodeKey(i, rest);
    }
}

QString VtSNMPRequest::Expand(const QString &expression, bool quote, QChar marker)
{
    QString out;
    for (qsizetype p = 0; p < expression.size(); ++p) {
        const QChar c = expression.at(p);
        qsizetype q = p + 1;
        while (c == marker && q < expression.size() && expression.at(q).isDigit()) {
            ++q;
        }
        if (c != marker || q == p + 1) {
            out += c;
            continue;
        }
        const int n = expression.mid(p + 1, q - p - 1).toInt();
        if (n >= Vars.Count()) {
            RaiseLibraryError(liberr::kNullInExpression);
        }
        const QString value = Vars.Var(n).Value;
        out += quote ? QLatin1Char('"') + value + QLatin1Char('"') : value;
        p = q - 1;
    }
    return out;
}

QString VtSNMPRequest::DecodeKey(int i, const QString &suffix)
{
    return indexcoding::decode(Vars.Var(i), i == Vars.KeyCount - 1 && Vars.IsImplied(i), suffix);
}

QString VtSNMPRequest::EncodeKey(int i)
{
    return indexcoding::encode(Vars.Var(i), i == Vars.KeyCount - 1 && Vars.IsImplied(i));
}

bool VtSNMPRequest::StoreValue(int i, const SnmpWireValue &value)
{
    VtSNMPVar &v = Vars.Var(i);
    if (!snmptext::isKnownSyntax(v.Syntax)) {
        RaiseLibraryError(liberr::kBadSyntax);
    }
    if (!fits(v.Syntax, value)) {
        v.Value = QLatin1String(kSnmpNullText);
        return false;
    }
    const QString text = snmptext::toText(v.Syntax, value);
    v.Value = v.Options != nullptr ? v.Options->TextOf(text) : text;
    return true;
}

SnmpWireValue VtSNMPRequest::LoadValue(int i)
{
    const VtSNMPVar &v = Vars.Var(i);
    const QString text = v.Options != nullptr ? v.Options->ValueOf(v.Value) : v.Value;
    return snmptext::fromText(v.Syntax, text);
}

void VtSNMPRequest::Convert(int i, bool afterRead)
{
    const VtSNMPVar &v = Vars.Var(i);
    const QString &expression = afterRead ? v.ReadExpr : v.WriteExpr;
    // no list of this system carries an expression; one that does is refused, not ignored
    if (!expression.isEmpty()) {
        RaiseLibraryError(liberr::kBadExpression);
    }
}

bool VtSNMPRequest::Accept(const QString &condition)
{
    if (condition.isEmpty()) {
        return true;
    }
    RaiseLibraryError(liberr::kBadExpression);
}

bool VtSNMPRequest::ColumnEnded(
    const QString &requested, const QString &previous, const QString &received)
{
    if (!Vars.IsTable()) {
        return false;
    }
    const bool below = received.size() > requested.size() && received.startsWith(requested)
        && received.at(requested.size()) == QLatin1Char('.');
    return !(below && received != previous);
}
