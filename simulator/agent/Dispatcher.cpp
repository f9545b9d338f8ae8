// The agent: Net-SNMP server session, answers from the device model, and their timing.
#include "agent/Dispatcher.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace sim {

namespace {

constexpr std::size_t kCacheSize = 512;
constexpr int kMaxBulkBindings = 500;

int receivedCallback(int op, netsnmp_session *session, int /*reqid*/, netsnmp_pdu *pdu, void *magic)
{
    if (op != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !magic) {
        return 1;
    }
    return static_cast<Dispatcher *>(magic)->received(session, pdu);
}

// Net-SNMP hands a message on even when its parse failed (a wrong digest, say) once it has sent the
// report; only messages that parsed cleanly are requests of ours.
int checkParse(netsnmp_session * /*session*/, netsnmp_pdu * /*pdu*/, int result)
{
    return result == 0 ? 1 : 0;
}

Oid toOid(const oid *name, std::size_t len)
{
    Oid out(len);
    for (std::size_t i = 0; i < len; ++i) {
        out[i] = static_cast<std::uint32_t>(name[i]);
    }
    return out;
}

std::vector<oid> toNetSnmp(const Oid &o)
{
    return std::vector<oid>(o.begin(), o.end());
}

Value fromVarbind(const netsnmp_variable_list *vb)
{
    Value v;
    switch (vb->type) {
    case ASN_INTEGER:
        v.type = ValueType::Integer;
        v.number = vb->val.integer ? *vb->val.integer : 0;
        break;
    case ASN_OCTET_STR:
        v.type = ValueType::OctetString;
        v.octets.assign(reinterpret_cast<const char *>(vb->val.string), vb->val_len);
        break;
    case ASN_IPADDRESS:
        v.type = ValueType::IpAddress;
        v.octets.assign(reinterpret_cast<const char *>(vb->val.string), vb->val_len);
        break;
    case ASN_OBJECT_ID:
        v.type = ValueType::ObjectId;
        v.oid = toOid(vb->val.objid, vb->val_len / sizeof(oid));
        break;
    case ASN_TIMETICKS:
    case ASN_COUNTER:
    case ASN_GAUGE:
        v.type = vb->type == ASN_TIMETICKS ? ValueType::TimeTicks
            : vb->type == ASN_COUNTER      ? ValueType::Counter32
                                           : ValueType::Gauge32;
        v.number = vb->val.integer
            ? static_cast<long long>(static_cast<unsigned long>(*vb->val.integer) & 0xffffffffUL)
            : 0;
        break;
    case ASN_COUNTER64:
        v.type = ValueType::Counter64;
        if (vb->val.counter64) {
            v.number = static_cast<long long>(((vb->val.counter64->high & 0x7fffffffUL) << 32)
                | (vb->val.counter64->low & 0xffffffffUL));
        }
        break;
    default:
        v.type = ValueType::Null; // NULL and every type the device does not take
        break;
    }
    return v;
}

void putValue(netsnmp_variable_list *vb, const Value &v)
{
    switch (v.type) {
    case ValueType::Integer: {
        long n = static_cast<long>(v.number);
        snmp_set_var_typed_value(vb, ASN_INTEGER, &n, sizeof n);
        return;
    }
    case ValueType::TimeTicks:
    case ValueType::Counter32:
    case ValueType::Gauge32: {
        u_long n = static_cast<u_long>(v.number) & 0xffffffffUL;
        const u_char type = v.type == ValueType::TimeTicks ? ASN_TIMETICKS
            : v.type == ValueType::Counter32               ? ASN_COUNTER
                                                           : ASN_GAUGE;
        snmp_set_var_typed_value(vb, type, &n, sizeof n);
        return;
    }
    case ValueType::Counter64: {
        counter64 c{};
        c.high = static_cast<u_long>(static_cast<unsigned long long>(v.number) >> 32);
        c.low = static_cast<u_long>(static_cast<unsigned long long>(v.number) & 0xffffffffULL);
        snmp_set_var_typed_value(vb, ASN_COUNTER64, &c, sizeof c);
        return;
    }
    case ValueType::OctetString:
        snmp_set_var_typed_value(vb, ASN_OCTET_STR, v.octets.data(), v.octets.size());
        return;
    case ValueType::IpAddress:
        snmp_set_var_typed_value(vb, ASN_IPADDRESS, v.octets.data(), v.octets.size());
        return;
    case ValueType::ObjectId: {
        const std::vector<oid> o = toNetSnmp(v.oid);
        snmp_set_var_typed_value(vb, ASN_OBJECT_ID, o.data(), o.size() * sizeof(oid));
        return;
    }
    case ValueType::Null:
        snmp_set_var_typed_value(vb, ASN_NULL, nullptr, 0);
        return;
    }
}

// SNMPv1 knows five error-status values.
long v1Status(ErrorStatus s)
{
    switch (s) {
    case ErrorStatus::NoError:
    case ErrorStatus::TooBig:
    case ErrorStatus::NoSuchName:
    case ErrorStatus::BadValue:
    case ErrorStatus::ReadOnly:
    case ErrorStatus::GenErr:
        return static_cast<long>(s);
    case ErrorStatus::WrongValue:
    case ErrorStatus::WrongEncoding:
    case ErrorStatus::WrongType:
    case ErrorStatus::WrongLength:
    case ErrorStatus::InconsistentValue:
        return SNMP_ERR_BADVALUE;
    case ErrorStatus::NoAccess:
    case ErrorStatus::NotWritable:
    case ErrorStatus::NoCreation:
    case ErrorStatus::InconsistentName:
    case ErrorStatus::AuthorizationError:
        return SNMP_ERR_NOSUCHNAME;
    case ErrorStatus::ResourceUnavailable:
    case ErrorStatus::CommitFailed:
    case ErrorStatus::UndoFailed:
        return SNMP_ERR_GENERR;
    }
    return SNMP_ERR_GENERR;
}

const char *opName(int command)
{
    switch (command) {
    case SNMP_MSG_GET:
        return "get";
    case SNMP_MSG_GETNEXT:
        return "getnext";
    case SNMP_MSG_GETBULK:
        return "getbulk";
    case SNMP_MSG_SET:
        return "set";
    default:
        return "other";
    }
}

const char *versionName(long version)
{
    return version == SNMP_VERSION_1 ? "v1" : version == SNMP_VERSION_2c ? "v2c" : "v3";
}

} // namespace

Dispatcher::Dispatcher(
    AgentOptions options, Behaviours &behaviours, Faults &faults, RequestLog &log)
    : m_options(std::move(options)), m_behaviours(behaviours), m_faults(faults), m_log(log)
{
    m_startMs = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
                    .count();
}

Dispatcher::~Dispatcher()
{
    for (Outgoing &o : m_outgoing) {
        snmp_free_pdu(o.pdu);
    }
    for (Waiting &w : m_waiting) {
        snmp_free_pdu(w.pdu);
    }
    for (auto &[key, c] : m_cache) {
        snmp_free_varbind(c.vars);
    }
    if (m_session) {
        snmp_close(m_session);
    }
    snmp_shutdown("kva7310-sim");
}

long long Dispatcher::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
               .count()
        - m_startMs;
}

bool Dispatcher::open(const std::string &workDir, std::string &error)
{
    // Net-SNMP reads and writes only below workDir, loads no MIB files and prints nothing
    ::setenv("SNMPCONFPATH", workDir.c_str(), 1);
    ::setenv("SNMP_PERSISTENT_DIR", workDir.c_str(), 1);
    ::setenv("MIBS", "", 1);
    ::setenv("MIBDIRS", workDir.c_str(), 1);
    snmp_disable_log();
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_EMERG);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, workDir.c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR, workDir.c_str());
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_NO_TOKEN_WARNINGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    init_snmp("kva7310-sim");
    snmp_disable_log();
    // a handler that swallows everything: without one Net-SNMP falls back to printing
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_EMERG);
    if (std::getenv("KVA7310_SIM_TRACE")) {
        snmp_enable_stderrlog();
        debug_register_tokens(std::getenv("KVA7310_SIM_TRACE"));
        snmp_set_do_debugging(1);
    }

    if (!m_options.user.empty()) {
        std::string line = "\"" + m_options.user + "\" " + netSnmpAuthName(m_options.authProto)
            + " \"" + m_options.authPass + "\"";
        if (!m_options.privProto.empty()) {
            line += " " + netSnmpPrivName(m_options.privProto) + " \"" + m_options.privPass + "\"";
        }
        std::vector<char> buf(line.begin(), line.end());
        buf.push_back('\0');
        usm_parse_create_usmUser("createUser", buf.data());
        if (!usm_get_userList()) {
            error = "cannot create the SNMPv3 user";
            return false;
        }
    }

    const std::string spec = "udp:" + m_options.address + ":" + std::to_string(m_options.port);
    m_transport = netsnmp_transport_open_server("snmp", spec.c_str());
    if (!m_transport) {
        error = "cannot listen on " + m_options.address + ":" + std::to_string(m_options.port);
        return false;
    }
    sockaddr_in bound{};
    socklen_t len = sizeof bound;
    if (::getsockname(m_transport->sock, reinterpret_cast<sockaddr *>(&bound), &len) == 0) {
        m_port = ntohs(bound.sin_port);
    }
    netsnmp_session sess;
    snmp_sess_init(&sess);
    sess.version = SNMP_DEFAULT_VERSION;
    sess.peername = SNMP_DEFAULT_PEERNAME;
    sess.community_len = SNMP_DEFAULT_COMMUNITY_LEN;
    sess.callback = receivedCallback;
    sess.callback_magic = this;
    sess.isAuthoritative = SNMP_SESS_AUTHORITATIVE;
    m_session = snmp_add(&sess, m_transport, nullptr, checkParse);
    if (!m_session) {
        error = "cannot open the agent session";
        return false;
    }
    m_behaviours.restarted(nowMs());
    return true;
}

int Dispatcher::received(netsnmp_session * /*session*/, netsnmp_pdu *pdu)
{
    const long long now = nowMs();
    MibStore &store = m_behaviours.store();
    // Net-SNMP also hands over an SNMPv3 message whose digest failed, while it sends the report; that
    // one has lost its security state and is no request at all
    if (pdu->version == SNMP_VERSION_3 && !pdu->securityStateRef) {
        return 1;
    }

    LoggedRequest entry;
    entry.op = opName(pdu->command);
    entry.version = versionName(pdu->version);
    entry.requestId = pdu->reqid;
    for (netsnmp_variable_list *vb = pdu->variables; vb; vb = vb->next_variable) {
        const Oid name = toOid(vb->name, vb->name_length);
        const MibStore::NameParts parts = store.nameParts(name);
        LoggedBinding b{parts.name, parts.instance, {}, false};
        if (pdu->command == SNMP_MSG_SET) {
            const Value v = fromVarbind(vb);
            const auto f = store.get(name);
            b.value = formatValue(f ? f->def->syntax : Syntax::OctetString, v);
            b.hasValue = true;
        }
        entry.bindings.push_back(std::move(b));
    }
    m_log.add(entry);

    if (pdu->command != SNMP_MSG_GET && pdu->command != SNMP_MSG_GETNEXT
        && pdu->command != SNMP_MSG_GETBULK && pdu->command != SNMP_MSG_SET) {
        return 1;
    }
    // a restarting or silenced device hears nothing
    if (m_restartUntilMs >= 0 || m_faults.silent(now) || m_faults.dropThis()) {
        return 1;
    }
    bool writeAllowed = true;
    if (pdu->version == SNMP_VERSION_1 || pdu->version == SNMP_VERSION_2c) {
        const std::string community(
            reinterpret_cast<const char *>(pdu->community), pdu->community_len);
        if (community == m_options.writeCommunity) {
            writeAllowed = true;
        } else if (community == m_options.readCommunity) {
            writeAllowed = false;
        } else {
            return 1; // an unknown community gets no answer
        }
    } else {
        // only our user, at the security level it was created with
        const int needed = m_options.user.empty() ? -1
            : m_options.privProto.empty()         ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                  : SNMP_SEC_LEVEL_AUTHPRIV;
        const std::string name = pdu->securityName
            ? std::string(pdu->securityName, pdu->securityNameLen)
            : std::string();
        if (needed < 0 || name != m_options.user || pdu->securityLevel < needed) {
            return 1;
        }
    }

    std::string key;
    {
        char *peer = netsnmp_transport_peer_string(
            m_transport, pdu->transport_data, pdu->transport_data_length);
        key = std::string(peer ? peer : "?") + "/" + std::to_string(pdu->reqid) + "/"
            + std::to_string(pdu->command);
        std::free(peer);
    }
    // a retried request never runs twice: dropped while the first is open, answered from memory after
    if (m_inProgress.count(key)) {
        return 1;
    }
    netsnmp_pdu *response = snmp_clone_pdu(pdu);
    if (!response) {
        return 1;
    }
    response->command = SNMP_MSG_RESPONSE;
    response->flags &= ~UCD_MSG_FLAG_EXPECT_RESPONSE;
    response->errstat = 0;
    response->errindex = 0;
    if (auto c = m_cache.find(key); c != m_cache.end()) {
        snmp_free_varbind(response->variables);
        response->variables = snmp_clone_varbind(c->second.vars);
        response->errstat = c->second.errstat;
        response->errindex = c->second.errindex;
        schedule(response, key, 0, false, false);
        return 1;
    }
    m_inProgress.insert(key);

    if (pdu->command == SNMP_MSG_GETNEXT && m_faults.restartAfterGetNext > 0
        && --m_faults.restartAfterGetNext == 0) {
        m_faults.restartAfterGetNext = -1;
        m_inProgress.erase(key);
        snmp_free_pdu(response);
        restartNow(); // the device goes down in the middle of the walk: this request is lost
        return 1;
    }
    m_behaviours.tick(now);
    if (pdu->command == SNMP_MSG_SET) {
        if (!writeAllowed) {
            setError(response, ErrorStatus::NoAccess, response->variables ? 1 : 0);
            schedule(response, key, 0, false, true);
            return 1;
        }
        answerSet(response, key);
        return 1;
    }
    if (pdu->command == SNMP_MSG_GETBULK) {
        if (pdu->version == SNMP_VERSION_1) {
            m_inProgress.erase(key);
            snmp_free_pdu(response);
            return 1;
        }
        answerBulk(pdu, response);
    } else {
        answerRead(pdu, response);
    }
    schedule(response, key, 0, false, false);
    return 1;
}

void Dispatcher::setError(netsnmp_pdu *response, ErrorStatus status, int index)
{
    response->errstat =
        response->version == SNMP_VERSION_1 ? v1Status(status) : static_cast<long>(status);
    response->errindex = index;
}

void Dispatcher::answerRead(netsnmp_pdu *request, netsnmp_pdu *response)
{
    MibStore &store = m_behaviours.store();
    const bool next = request->command == SNMP_MSG_GETNEXT;
    int i = 0;
    for (netsnmp_variable_list *vb = response->variables; vb; vb = vb->next_variable) {
        ++i;
        Oid name = toOid(vb->name, vb->name_length);
        std::optional<MibStore::Found> f;
        if (next) {
            f = store.getNext(name);
            while (f && m_faults.noSuchName.count(f->oid)) {
                f = store.getNext(f->oid);
            }
        } else if (!m_faults.noSuchName.count(name)) {
            f = store.get(name);
        }
        if (!f) {
            if (response->version == SNMP_VERSION_1) {
                // SNMPv1: the whole request fails and the bindings go back as they came
                snmp_free_varbind(response->variables);
                response->variables = snmp_clone_varbind(request->variables);
                response->errstat = SNMP_ERR_NOSUCHNAME;
                response->errindex = i;
                return;
            }
            if (next) {
                snmp_set_var_typed_value(vb, SNMP_ENDOFMIBVIEW, nullptr, 0);
            } else {
                // an object with other instances answers noSuchInstance, an unknown one noSuchObject
                auto n = store.getNext(Oid(name.begin(), name.end() - (name.empty() ? 0 : 1)));
                const bool sameObject = n && name.size() > 1
                    && oidStartsWith(n->oid, Oid(name.begin(), name.end() - 1));
                snmp_set_var_typed_value(
                    vb, sameObject ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT, nullptr, 0);
            }
            continue;
        }
        if (next) {
            const std::vector<oid> o = toNetSnmp(f->oid);
            snmp_set_var_objid(vb, o.data(), o.size());
        }
        putValue(vb, m_faults.distort(f->oid, m_behaviours.served(*f->def, f->value)));
    }
}

void Dispatcher::answerBulk(netsnmp_pdu *request, netsnmp_pdu *response)
{
    MibStore &store = m_behaviours.store();
    const long nonRepeaters = std::max(0L, request->non_repeaters);
    const long maxReps = std::max(0L, request->max_repetitions);
    snmp_free_varbind(response->variables);
    response->variables = nullptr;
    response->errstat = 0;
    response->errindex = 0;
    std::vector<Oid> repeaters;
    long i = 0;
    int count = 0;
    auto add = [&](const Oid &from, Oid *nextOut) {
        auto f = store.getNext(from);
        while (f && m_faults.noSuchName.count(f->oid)) {
            f = store.getNext(f->oid);
        }
        const std::vector<oid> name = toNetSnmp(f ? f->oid : from);
        netsnmp_variable_list *vb = snmp_varlist_add_variable(
            &response->variables, name.data(), name.size(), ASN_NULL, nullptr, 0);
        if (!vb) {
            return;
        }
        if (f) {
            putValue(vb, m_faults.distort(f->oid, m_behaviours.served(*f->def, f->value)));
        } else {
            snmp_set_var_typed_value(vb, SNMP_ENDOFMIBVIEW, nullptr, 0);
        }
        if (nextOut) {
            *nextOut = f ? f->oid : from;
        }
        ++count;
    };
    for (netsnmp_variable_list *vb = request->variables; vb; vb = vb->next_variable, ++i) {
        const Oid name = toOid(vb->name, vb->name_length);
        if (i < nonRepeaters) {
            add(name, nullptr);
        } else {
            repeaters.push_back(name);
        }
    }
    for (long r = 0; r < maxReps && !repeaters.empty() && count < kMaxBulkBindings; ++r) {
        for (Oid &cursor : repeaters) {
            add(cursor, &cursor);
        }
    }
}

void Dispatcher::answerSet(netsnmp_pdu *response, const std::string &key)
{
    MibStore &store = m_behaviours.store();
    std::vector<Behaviours::Binding> bindings;
    int i = 0;
    for (netsnmp_variable_list *vb = response->variables; vb; vb = vb->next_variable) {
        ++i;
        Oid name = toOid(vb->name, vb->name_length);
        if (auto f = m_faults.setError.find(name); f != m_faults.setError.end()) {
            setError(response, f->second, i);
            schedule(response, key, 0, false, true);
            return;
        }
        bindings.emplace_back(std::move(name), fromVarbind(vb));
    }
    SetResult result = m_behaviours.set(bindings);
    if (result.status != ErrorStatus::NoError) {
        setError(response, result.status, result.errorIndex);
    }
    if (result.transfer || !result.installs.empty()) {
        // answered when the transfer is over
        Waiting w;
        w.pdu = response;
        w.key = key;
        w.command = result.transfer.has_value();
        w.installs = result.installs;
        w.restart = result.restart;
        int idx = 0;
        for (const auto &b : bindings) {
            ++idx;
            auto f = store.get(b.first);
            if (!f) {
                continue;
            }
            if (f->def->name == "tftpUpgradeSettingCommand" && !w.installIndex) {
                w.installIndex = idx;
            } else if ((f->def->name == "tftpcommand" || f->def->name == "systemLogGetLog")
                && !w.commandIndex) {
                w.commandIndex = idx;
            }
        }
        m_waiting.push_back(w);
        if (result.transfer) {
            startTransfer(*result.transfer);
        }
        return;
    }
    schedule(response, key, result.answerDelayMs, result.restart, true);
}

void Dispatcher::startTransfer(const TransferRequest &request)
{
    const bool breakMidway = m_faults.failNextTransfer;
    m_faults.failNextTransfer = false;
    const bool write = request.kind != TransferKind::Fetch;
    const bool started = m_tftp.start(request.server,
        static_cast<std::uint16_t>(m_options.tftpPort), write, request.fileName, request.data,
        breakMidway, nowMs(), [this](const TftpClient::Result &r) { transferDone(r); });
    if (!started) {
        TftpClient::Result r;
        r.error = "cannot start the transfer";
        transferDone(r);
    }
}

void Dispatcher::transferDone(const TftpClient::Result &result)
{
    m_behaviours.transferFinished(result.ok, result.data);
    while (!m_waiting.empty()) {
        Waiting w = m_waiting.front();
        m_waiting.pop_front();
        if (w.command && !result.ok && w.pdu->errstat == 0) {
            setError(w.pdu, ErrorStatus::GenErr, std::max(1, w.commandIndex));
        }
        for (long long install : w.installs) {
            const InstallResult r = m_behaviours.install(install);
            w.restart = w.restart || r.restart;
            if (r.status != ErrorStatus::NoError && w.pdu->errstat == 0) {
                setError(w.pdu, r.status, std::max(1, w.installIndex));
            }
        }
        schedule(w.pdu, w.key, 0, w.restart, true);
        if (m_behaviours.transferRunning()) {
            break; // the next waiting request belongs to a later transfer
        }
    }
}

void Dispatcher::schedule(
    netsnmp_pdu *response, const std::string &key, int extraDelayMs, bool restartAfter, bool cache)
{
    Outgoing o;
    o.pdu = response;
    o.dueMs = nowMs() + m_faults.delayMs + extraDelayMs;
    o.key = key;
    o.restartAfter = restartAfter;
    o.cache = cache;
    m_outgoing.push_back(o);
    if (o.dueMs <= nowMs()) {
        sendDue();
    }
}

void Dispatcher::remember(const std::string &key, const netsnmp_pdu *response)
{
    if (m_cache.count(key)) {
        return;
    }
    if (m_cacheOrder.size() >= kCacheSize) {
        auto old = m_cache.find(m_cacheOrder.front());
        if (old != m_cache.end()) {
            snmp_free_varbind(old->second.vars);
            m_cache.erase(old);
        }
        m_cacheOrder.pop_front();
    }
    m_cache[key] = {response->errstat, response->errindex, snmp_clone_varbind(response->variables)};
    m_cacheOrder.push_back(key);
}

void Dispatcher::sendDue()
{
    const long long now = nowMs();
    bool restart = false;
    for (std::size_t i = 0; i < m_outgoing.size();) {
        Outgoing o = m_outgoing[i];
        if (o.dueMs > now) {
            ++i;
            continue;
        }
        m_outgoing.erase(m_outgoing.begin() + static_cast<long>(i));
        m_inProgress.erase(o.key);
        if (o.cache) {
            remember(o.key, o.pdu);
        }
        // a device that went down meanwhile never sends the answer
        if (m_restartUntilMs >= 0 || m_faults.silent(now)) {
            snmp_free_pdu(o.pdu);
            continue;
        }
        if (!snmp_send(m_session, o.pdu)) {
            snmp_free_pdu(o.pdu);
        }
        restart = restart || o.restartAfter;
    }
    if (restart) {
        restartNow();
    }
}

void Dispatcher::restartNow()
{
    m_restartUntilMs = nowMs() + 1000LL * m_options.restartSeconds;
    // answers still held back are lost with the restart
    for (Outgoing &o : m_outgoing) {
        m_inProgress.erase(o.key);
        snmp_free_pdu(o.pdu);
    }
    m_outgoing.clear();
    for (Waiting &w : m_waiting) {
        m_inProgress.erase(w.key);
        snmp_free_pdu(w.pdu);
    }
    m_waiting.clear();
    if (m_options.restartSeconds == 0) {
        finishRestart();
    }
}

void Dispatcher::finishRestart()
{
    m_restartUntilMs = -1;
    m_behaviours.restarted(nowMs());
}

void Dispatcher::run(int inputFd, const std::function<std::string(const std::string &)> &control)
{
    std::string pending;
    bool inputOpen = inputFd >= 0;
    while (!m_stopping && !(m_stopFlag && *m_stopFlag)) {
        long long now = nowMs();
        long long wake = now + 1000;
        for (const Outgoing &o : m_outgoing) {
            wake = std::min(wake, o.dueMs);
        }
        if (m_tftp.busy()) {
            wake = std::min(wake, m_tftp.deadlineMs());
        }
        if (m_restartUntilMs >= 0) {
            wake = std::min(wake, m_restartUntilMs);
        }
        pollfd fds[3];
        nfds_t n = 0;
        fds[n++] = {m_transport->sock, POLLIN, 0};
        const int tftpSlot = m_tftp.busy() ? static_cast<int>(n) : -1;
        if (m_tftp.busy()) {
            fds[n++] = {m_tftp.fd(), POLLIN, 0};
        }
        const int inputSlot = inputOpen ? static_cast<int>(n) : -1;
        if (inputOpen) {
            fds[n++] = {inputFd, POLLIN, 0};
        }
        const int timeout = static_cast<int>(std::clamp(wake - now, 0LL, 1000LL));
        const int ready = ::poll(fds, n, timeout);
        now = nowMs();
        if (ready > 0) {
            if (fds[0].revents & POLLIN) {
                fd_set set;
                FD_ZERO(&set);
                FD_SET(m_transport->sock, &set);
                snmp_read(&set);
            }
            if (tftpSlot >= 0 && (fds[tftpSlot].revents & (POLLIN | POLLERR))) {
                m_tftp.onReadable(now);
            }
            if (inputSlot >= 0 && (fds[inputSlot].revents & (POLLIN | POLLHUP | POLLERR))) {
                char buf[4096];
                const ssize_t got = ::read(inputFd, buf, sizeof buf);
                if (got <= 0) {
                    inputOpen = false;
                    m_stopping = true; // EOF on the control channel ends the simulator
                } else {
                    pending.append(buf, static_cast<std::size_t>(got));
                    std::size_t nl;
                    while ((nl = pending.find('\n')) != std::string::npos) {
                        std::string line = pending.substr(0, nl);
                        pending.erase(0, nl + 1);
                        if (!line.empty() && line.back() == '\r') {
                            line.pop_back();
                        }
                        const std::string answer = control(line);
                        std::fwrite(answer.data(), 1, answer.size(), stdout);
                        std::fflush(stdout);
                    }
                    if (pending.size() > 65536) {
                        pending.clear();
                        std::fputs("ERROR line too long\n", stdout);
                        std::fflush(stdout);
                    }
                }
            }
        }
        m_tftp.onTimer(nowMs());
        if (m_restartUntilMs >= 0 && nowMs() >= m_restartUntilMs) {
            finishRestart();
        }
        sendDue();
    }
}

} // namespace sim
