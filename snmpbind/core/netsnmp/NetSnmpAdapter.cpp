// The one door to Net-SNMP: start-up, one handle per target and mode, blocking and
// asynchronous exchanges, and the pump's work.
#include "NetSnmpAdapter.h"

#include "../ErrorMapping.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unordered_map>

#include <QHash>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

static_assert(netsnmperr::kGenErr == SNMPERR_GENERR);
static_assert(netsnmperr::kBadAddress == SNMPERR_BAD_ADDRESS);
static_assert(netsnmperr::kTooLong == SNMPERR_TOO_LONG);
static_assert(netsnmperr::kNoSocket == SNMPERR_NO_SOCKET);
static_assert(netsnmperr::kBadSendto == SNMPERR_BAD_SENDTO);
static_assert(netsnmperr::kBadParse == SNMPERR_BAD_PARSE);
static_assert(netsnmperr::kBadCommunity == SNMPERR_BAD_COMMUNITY);
static_assert(netsnmperr::kAbort == SNMPERR_ABORT);
static_assert(netsnmperr::kTimeout == SNMPERR_TIMEOUT);
static_assert(netsnmperr::kBadEngineId == SNMPERR_BAD_ENG_ID);
static_assert(netsnmperr::kBadSecName == SNMPERR_BAD_SEC_NAME);
static_assert(netsnmperr::kBadSecLevel == SNMPERR_BAD_SEC_LEVEL);
static_assert(netsnmperr::kAsnParseErr == SNMPERR_ASN_PARSE_ERR);
static_assert(netsnmperr::kUnknownSecModel == SNMPERR_UNKNOWN_SEC_MODEL);
static_assert(netsnmperr::kInvalidMsg == SNMPERR_INVALID_MSG);
static_assert(netsnmperr::kUnknownEngineId == SNMPERR_UNKNOWN_ENG_ID);
static_assert(netsnmperr::kUnknownUserName == SNMPERR_UNKNOWN_USER_NAME);
static_assert(netsnmperr::kUnsupportedSecLevel == SNMPERR_UNSUPPORTED_SEC_LEVEL);
static_assert(netsnmperr::kAuthenticationFailure == SNMPERR_AUTHENTICATION_FAILURE);
static_assert(netsnmperr::kNotInTimeWindow == SNMPERR_NOT_IN_TIME_WINDOW);
static_assert(netsnmperr::kDecryptionErr == SNMPERR_DECRYPTION_ERR);
static_assert(netsnmperr::kUsmGenericError == SNMPERR_USM_GENERICERROR);
static_assert(netsnmperr::kUsmUnknownSecurityName == SNMPERR_USM_UNKNOWNSECURITYNAME);
static_assert(netsnmperr::kUsmUnsupportedSecurityLevel == SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL);
static_assert(netsnmperr::kUsmEncryptionError == SNMPERR_USM_ENCRYPTIONERROR);
static_assert(netsnmperr::kUsmAuthenticationFailure == SNMPERR_USM_AUTHENTICATIONFAILURE);
static_assert(netsnmperr::kUsmParseError == SNMPERR_USM_PARSEERROR);
static_assert(netsnmperr::kUsmUnknownEngineId == SNMPERR_USM_UNKNOWNENGINEID);
static_assert(netsnmperr::kUsmNotInTimeWindow == SNMPERR_USM_NOTINTIMEWINDOW);
static_assert(netsnmperr::kUsmDecryptionError == SNMPERR_USM_DECRYPTIONERROR);

static_assert(netsnmp::asn::kInteger == ASN_INTEGER && netsnmp::asn::kOctetString == ASN_OCTET_STR
    && netsnmp::asn::kNull == ASN_NULL && netsnmp::asn::kObjectId == ASN_OBJECT_ID
    && netsnmp::asn::kIpAddress == ASN_IPADDRESS && netsnmp::asn::kCounter32 == ASN_COUNTER
    && netsnmp::asn::kGauge32 == ASN_GAUGE && netsnmp::asn::kTimeTicks == ASN_TIMETICKS
    && netsnmp::asn::kOpaque == ASN_OPAQUE && netsnmp::asn::kCounter64 == ASN_COUNTER64
    && netsnmp::asn::kUInteger32 == ASN_UINTEGER && netsnmp::asn::kNoSuchObject == SNMP_NOSUCHOBJECT
    && netsnmp::asn::kNoSuchInstance == SNMP_NOSUCHINSTANCE
    && netsnmp::asn::kEndOfMibView == SNMP_ENDOFMIBVIEW);

namespace netsnmp {

namespace {

struct PduDeleter
{
    void operator()(netsnmp_pdu *pdu) const { snmp_free_pdu(pdu); }
};

using PduPtr = std::unique_ptr<netsnmp_pdu, PduDeleter>;

struct Protocol
{
    const oid *id;
    size_t length;
};

bool authProtocol(int stored, Protocol *out)
{
    switch (stored) {
    case 1:
        *out = {usmNoAuthProtocol, OID_LENGTH(usmNoAuthProtocol)};
        return true;
    case 2:
        *out = {usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol)};
        return true;
    case 3:
        *out = {usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol)};
        return true;
    case 4:
        *out = {usmHMAC128SHA224AuthProtocol, OID_LENGTH(usmHMAC128SHA224AuthProtocol)};
        return true;
    case 5:
        *out = {usmHMAC192SHA256AuthProtocol, OID_LENGTH(usmHMAC192SHA256AuthProtocol)};
        return true;
    case 6:
        *out = {usmHMAC256SHA384AuthProtocol, OID_LENGTH(usmHMAC256SHA384AuthProtocol)};
        return true;
    case 7:
        *out = {usmHMAC384SHA512AuthProtocol, OID_LENGTH(usmHMAC384SHA512AuthProtocol)};
        return true;
    default:
        return false;
    }
}

bool privProtocol(int stored, Protocol *out)
{
    switch (stored) {
    case 1:
        *out = {usmNoPrivProtocol, OID_LENGTH(usmNoPrivProtocol)};
        return true;
    case 2:
        *out = {usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol)};
        return true;
    case 3:
        *out = {usmAESPrivProtocol, OID_LENGTH(usmAESPrivProtocol)};
        return true;
    case 4:
        *out = {usmAES192PrivProtocol, OID_LENGTH(usmAES192PrivProtocol)};
        return true;
    case 5:
        *out = {usmAES256PrivProtocol, OID_LENGTH(usmAES256PrivProtocol)};
        return true;
    default:
        return false;
    }
}

/// Asks the agent for its engine ID with an unauthenticated, empty request; the agent's REPORT
/// carries it and Net-SNMP keeps it in the handle. Keys can be localized only after that.
bool discoverEngineId(void *session)
{
    netsnmp_session *in = snmp_sess_session(session);
    if (in->securityEngineIDLen != 0) {
        return true;
    }
    netsnmp_pdu *probe = snmp_pdu_create(SNMP_MSG_GET);
    probe->version = SNMP_VERSION_3;
    probe->securityModel = SNMP_SEC_MODEL_USM;
    probe->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    probe->securityName = strdup("");
    probe->securityNameLen = 0;
    netsnmp_pdu *answer = nullptr;
    snmp_sess_synch_response(session, probe, &answer);
    const PduPtr owned(answer);
    return in->securityEngineIDLen != 0;
}

bool resolvesToIpv4(const QString &host)
{
    if (host.isEmpty() || host.size() > 253) {
        return false;
    }
    // only what can be a dotted quad or a host name goes to the resolver
    for (const QChar c : host) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'.') {
            return false;
        }
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    const int rc = getaddrinfo(host.toUtf8().constData(), nullptr, &hints, &found);
    if (found != nullptr) {
        freeaddrinfo(found);
    }
    return rc == 0;
}

int commandOf(PduType type)
{
    switch (type) {
    case PduType::Get:
        return SNMP_MSG_GET;
    case PduType::GetNext:
        return SNMP_MSG_GETNEXT;
    case PduType::Set:
        break;
    }
    return SNMP_MSG_SET;
}

std::vector<oid> toNetSnmp(const Oid &in)
{
    return std::vector<oid>(in.cbegin(), in.cend());
}

void addBinding(netsnmp_pdu *pdu, const Binding &b)
{
    const std::vector<oid> name = toNetSnmp(b.oid);
    const Value &v = b.value;
    switch (v.type) {
    case asn::kInteger: {
        const long n = static_cast<long>(v.integer);
        snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_INTEGER, &n, sizeof n);
        break;
    }
    case asn::kCounter32:
    case asn::kGauge32:
    case asn::kTimeTicks:
    case asn::kUInteger32: {
        const u_long n = v.unsignedValue & 0xffffffffu;
        snmp_pdu_add_variable(pdu, name.data(), name.size(), v.type, &n, sizeof n);
        break;
    }
    case asn::kCounter64: {
        counter64 c{};
        c.high = v.unsignedValue >> 32;
        c.low = v.unsignedValue & 0xffffffffu;
        snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_COUNTER64, &c, sizeof c);
        break;
    }
    case asn::kOctetString:
    case asn::kOpaque:
    case asn::kIpAddress:
        snmp_pdu_add_variable(pdu, name.data(), name.size(), v.type, v.octets.constData(),
            static_cast<size_t>(v.octets.size()));
        break;
    case asn::kObjectId: {
        const std::vector<oid> value = toNetSnmp(v.oid);
        snmp_pdu_add_variable(
            pdu, name.data(), name.size(), ASN_OBJECT_ID, value.data(), value.size() * sizeof(oid));
        break;
    }
    default:
        snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_NULL, nullptr, 0);
        break;
    }
}

Value valueOf(const netsnmp_variable_list *var)
{
    Value v;
    v.type = var->type;
    switch (var->type) {
    case ASN_INTEGER:
        if (var->val.integer != nullptr && var->val_len >= sizeof(long)) {
            v.integer = *var->val.integer;
        }
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
        if (var->val.integer != nullptr && var->val_len >= sizeof(long)) {
            v.unsignedValue = static_cast<unsigned long>(*var->val.integer) & 0xffffffffu;
        }
        break;
    case ASN_COUNTER64:
        if (var->val.counter64 != nullptr && var->val_len >= sizeof(counter64)) {
            const std::uint64_t high = var->val.counter64->high & 0xffffffffu;
            v.unsignedValue = (high << 32) | (var->val.counter64->low & 0xffffffffu);
        }
        break;
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_IPADDRESS:
        if (var->val.string != nullptr) {
            v.octets = QByteArray(reinterpret_cast<const char *>(var->val.string),
                static_cast<qsizetype>(var->val_len));
        }
        break;
    case ASN_OBJECT_ID:
        if (var->val.objid != nullptr) {
            const size_t n = var->val_len / sizeof(oid);
            v.oid.reserve(static_cast<qsizetype>(n));
            for (size_t i = 0; i < n; ++i) {
                v.oid.push_back(static_cast<std::uint32_t>(var->val.objid[i]));
            }
        }
        break;
    default:
        break;
    }
    return v;
}

void fillResponse(const netsnmp_pdu *pdu, Response *out)
{
    out->errorStatus = static_cast<int>(pdu->errstat);
    out->errorIndex = static_cast<int>(pdu->errindex);
    for (const netsnmp_variable_list *var = pdu->variables; var != nullptr;
         var = var->next_variable) {
        Binding b;
        b.oid.reserve(static_cast<qsizetype>(var->name_length));
        for (size_t i = 0; i < var->name_length; ++i) {
            b.oid.push_back(static_cast<std::uint32_t>(var->name[i]));
        }
        b.value = valueOf(var);
        out->bindings.push_back(std::move(b));
    }
}

/// Whether two targets share a handle (time-out and retries are set on every send).
bool sameHandle(const Target &a, const Target &b)
{
    if (a.host != b.host || a.port != b.port || a.version != b.version) {
        return false;
    }
    if (a.version != SNMP_VERSION_3) {
        return a.community == b.community;
    }
    return a.securityLevel == b.securityLevel && a.authProtocol == b.authProtocol
        && a.privProtocol == b.privProtocol && a.securityName == b.securityName
        && a.authPassword == b.authPassword && a.privPassword == b.privPassword
        && a.contextName == b.contextName && a.contextEngineId == b.contextEngineId;
}

QByteArray keyOf(const Target &t, bool async)
{
    QByteArray key;
    key += async ? "a|" : "b|";
    key += t.host.toUtf8() + '|' + QByteArray::number(t.port) + '|' + QByteArray::number(t.version);
    if (t.version == SNMP_VERSION_3) {
        key += '|' + QByteArray::number(t.securityLevel) + '|' + QByteArray::number(t.authProtocol)
            + '|' + QByteArray::number(t.privProtocol) + '|' + t.securityName.toHex() + '|'
            + t.authPassword.toHex() + '|' + t.privPassword.toHex() + '|' + t.contextName.toHex()
            + '|' + t.contextEngineId.toHex();
    } else {
        key += '|' + t.community.toHex();
    }
    return key;
}

} // namespace

struct Exchange;

struct Handle
{
    void *session = nullptr;
    bool async = false;
    int version = 0;
    QByteArray credentials; ///< what the USM user must be registered with for this handle
    QByteArray authKey;     ///< keys from the passwords, before localization
    QByteArray privKey;
    /// The registrations' version this handle's user was last found in place for, and under
    /// which engine ID: while neither changed, nothing needs checking before a send.
    std::uint64_t preparedAt = ~std::uint64_t(0);
    QByteArray preparedEngineId;
    std::unordered_map<Exchange *, std::unique_ptr<Exchange>> live;
};

/// The argument Net-SNMP hands back to the completion callback.
struct Exchange
{
    // Net-SNMP clears the first int of any callback argument after a REPORT, taking it for its
    // own blocking state; this field is there to take that write.
    int netsnmpScratch = 0;
    Adapter::Private *owner = nullptr;
    Handle *handle = nullptr;
    Completion done;
    int retries = 0;
    int resends = 0;
    int timeWindowReports = 0;
    bool completed = false;
};

struct Adapter::Private
{
    bool started = false;
    std::map<QByteArray, std::unique_ptr<Handle>> handles;
    /// Keys made from passwords (the costly part of registering a user), by protocol and password.
    QHash<QByteArray, QByteArray> masterKeys;
    /// Which credentials each (engine ID, user) is registered with now.
    QHash<QByteArray, QByteArray> registered;
    /// Changes with every change of `registered`.
    std::uint64_t registeredVersion = 0;

    /// The handle each mode used last, found again without building the key.
    struct Recent
    {
        Target target;
        Handle *handle = nullptr;
    };

    Recent recent[2];
    /// Exchanges already completed; freed only after Net-SNMP has let go of them.
    std::vector<std::unique_ptr<Exchange>> finished;
    bool processing = false;
    std::uint64_t asyncSocketsVersion = 0;

    Handle *handleFor(const Target &t, bool async, OpenFailure *failure, int *libraryError);
    bool masterKey(const Protocol &auth, const QByteArray &password, u_char *out, size_t *len);
    int prepare(Handle *h, const Target &t);
    int sendOn(Handle *h, const Target &target, PduType type, const std::vector<Binding> &bindings,
        Completion done);
    void finish(Exchange *ex, Response &r);
    static int callback(int op, netsnmp_session *session, int reqid, netsnmp_pdu *pdu, void *magic);
};

bool Adapter::Private::masterKey(
    const Protocol &auth, const QByteArray &password, u_char *out, size_t *len)
{
    const QByteArray cacheKey = QByteArray::number(static_cast<qulonglong>(auth.length)) + ':'
        + QByteArray::number(static_cast<qulonglong>(auth.id[auth.length - 1])) + ':'
        + password.toHex();
    auto it = masterKeys.constFind(cacheKey);
    if (it == masterKeys.constEnd()) {
        u_char key[USM_AUTH_KU_LEN];
        size_t keyLen = sizeof key;
        if (generate_Ku(auth.id, static_cast<u_int>(auth.length),
                reinterpret_cast<const u_char *>(password.constData()),
                static_cast<size_t>(password.size()), key, &keyLen)
            != SNMPERR_SUCCESS) {
            return false;
        }
        it = masterKeys.insert(cacheKey,
            QByteArray(reinterpret_cast<const char *>(key), static_cast<qsizetype>(keyLen)));
    }
    if (static_cast<size_t>(it->size()) > *len) {
        return false;
    }
    std::memcpy(out, it->constData(), static_cast<size_t>(it->size()));
    *len = static_cast<size_t>(it->size());
    return true;
}

Handle *Adapter::Private::handleFor(
    const Target &t, bool async, OpenFailure *failure, int *libraryError)
{
    *failure = OpenFailure::None;
    *libraryError = 0;
    Recent &last = recent[async ? 1 : 0];
    if (last.handle != nullptr && sameHandle(last.target, t)) {
        return last.handle;
    }
    const QByteArray key = keyOf(t, async);
    if (auto it = handles.find(key); it != handles.end()) {
        last = {t, it->second.get()};
        return it->second.get();
    }
    if (!started) {
        *failure = OpenFailure::Library;
        return nullptr;
    }
    if (!resolvesToIpv4(t.host)) {
        *failure = OpenFailure::InvalidAddress;
        return nullptr;
    }
    Protocol auth{};
    Protocol priv{};
    const bool v3 = t.version == SNMP_VERSION_3;
    if (v3 && !authProtocol(t.authProtocol, &auth)) {
        *failure = OpenFailure::UnsupportedAuth;
        return nullptr;
    }
    if (v3 && !privProtocol(t.privProtocol, &priv)) {
        *failure = OpenFailure::UnsupportedPriv;
        return nullptr;
    }

    netsnmp_session s;
    snmp_sess_init(&s);
    QByteArray peer = "udp:" + t.host.toUtf8() + ':' + QByteArray::number(t.port);
    s.peername = peer.data();
    s.version = t.version == 0 ? SNMP_VERSION_1 : t.version == 1 ? SNMP_VERSION_2c : SNMP_VERSION_3;
    s.timeout = static_cast<long>(t.timeout) * 10000L;
    s.retries = t.retries;
    QByteArray community = t.community;
    QByteArray securityName = t.securityName;
    QByteArray contextName = t.contextName;
    QByteArray contextEngineId = t.contextEngineId;
    if (!v3) {
        s.community = reinterpret_cast<u_char *>(community.data());
        s.community_len = static_cast<size_t>(community.size());
    } else {
        s.securityModel = SNMP_SEC_MODEL_USM;
        s.securityName = securityName.data();
        s.securityNameLen = static_cast<size_t>(securityName.size());
        s.securityLevel = t.securityLevel;
        if (!contextName.isEmpty()) {
            s.contextName = contextName.data();
            s.contextNameLen = static_cast<size_t>(contextName.size());
        }
        if (!contextEngineId.isEmpty()) {
            s.contextEngineID = reinterpret_cast<u_char *>(contextEngineId.data());
            s.contextEngineIDLen = static_cast<size_t>(contextEngineId.size());
        }
        const bool wantsAuth = t.securityLevel >= SNMP_SEC_LEVEL_AUTHNOPRIV;
        const bool wantsPriv = t.securityLevel >= SNMP_SEC_LEVEL_AUTHPRIV;
        if ((wantsAuth && t.authProtocol == 1) || (wantsPriv && t.privProtocol == 1)) {
            *libraryError = SNMPERR_UNSUPPORTED_SEC_LEVEL;
            return nullptr;
        }
        if (!wantsAuth) {
            // a user without authentication is registered with no protocols at all
            auth = {usmNoAuthProtocol, OID_LENGTH(usmNoAuthProtocol)};
        }
        if (!wantsPriv) {
            priv = {usmNoPrivProtocol, OID_LENGTH(usmNoPrivProtocol)};
        }
        s.securityAuthProto = const_cast<oid *>(auth.id);
        s.securityAuthProtoLen = auth.length;
        s.securityPrivProto = const_cast<oid *>(priv.id);
        s.securityPrivProtoLen = priv.length;
        if (wantsAuth) {
            s.securityAuthKeyLen = USM_AUTH_KU_LEN;
            if (!masterKey(auth, t.authPassword, s.securityAuthKey, &s.securityAuthKeyLen)) {
                *libraryError = SNMPERR_USM_GENERICERROR;
                return nullptr;
            }
        }
        if (wantsPriv) {
            // the privacy key is derived with the authentication hash
            s.securityPrivKeyLen = USM_PRIV_KU_LEN;
            if (!masterKey(auth, t.privPassword, s.securityPrivKey, &s.securityPrivKeyLen)) {
                *libraryError = SNMPERR_USM_GENERICERROR;
                return nullptr;
            }
        }
    }

    void *session = snmp_sess_open(&s);
    if (session == nullptr) {
        *failure = OpenFailure::Library;
        return nullptr;
    }
    if (v3 && !discoverEngineId(session)) {
        // no answer to the engine-ID probe is the request's time-out
        snmp_sess_close(session);
        *libraryError = SNMPERR_TIMEOUT;
        return nullptr;
    }
    auto h = std::make_unique<Handle>();
    h->session = session;
    h->async = async;
    h->version = static_cast<int>(s.version);
    h->credentials = keyOf(t, false);
    h->authKey = QByteArray(reinterpret_cast<const char *>(s.securityAuthKey),
        static_cast<qsizetype>(s.securityAuthKeyLen));
    h->privKey = QByteArray(reinterpret_cast<const char *>(s.securityPrivKey),
        static_cast<qsizetype>(s.securityPrivKeyLen));
    Handle *raw = h.get();
    if (async) {
        ++asyncSocketsVersion;
    }
    handles.emplace(key, std::move(h));
    last = {t, raw};
    return raw;
}

int Adapter::Private::prepare(Handle *h, const Target &t)
{
    netsnmp_session *s = snmp_sess_session(h->session);
    s->timeout = static_cast<long>(t.timeout) * 10000L;
    s->retries = t.retries;
    if (h->version != SNMP_VERSION_3) {
        return SNMPERR_SUCCESS;
    }
    const QByteArrayView engineId(
        s->securityEngineID, static_cast<qsizetype>(s->securityEngineIDLen));
    if (h->preparedAt == registeredVersion && h->preparedEngineId == engineId) {
        return SNMPERR_SUCCESS;
    }
    // Every (engine ID, user) has one set of keys in Net-SNMP; another target that uses the same
    // user name with other passwords must put its own keys back before it sends.
    const QByteArray who = QByteArray(reinterpret_cast<const char *>(s->securityEngineID),
                               static_cast<qsizetype>(s->securityEngineIDLen))
                               .toHex()
        + '|' + QByteArray(s->securityName, static_cast<qsizetype>(s->securityNameLen)).toHex();
    if (registered.value(who) == h->credentials) {
        h->preparedAt = registeredVersion;
        h->preparedEngineId = engineId.toByteArray();
        return SNMPERR_SUCCESS;
    }
    usmUser *user = usm_get_user(s->securityEngineID, s->securityEngineIDLen, s->securityName);
    if (user != nullptr) {
        usm_remove_user(user);
        usm_free_user(user);
    }
    // Net-SNMP may have wiped the handle's copy of the keys after localizing them once
    std::memcpy(s->securityAuthKey, h->authKey.constData(), static_cast<size_t>(h->authKey.size()));
    s->securityAuthKeyLen = static_cast<size_t>(h->authKey.size());
    std::memcpy(s->securityPrivKey, h->privKey.constData(), static_cast<size_t>(h->privKey.size()));
    s->securityPrivKeyLen = static_cast<size_t>(h->privKey.size());
    // the handle remembers that it made its user once and would not make it again
    s->flags &= ~static_cast<u_long>(SNMP_FLAGS_USER_CREATED);
    ++registeredVersion;
    if (usm_create_user_from_session(s) != SNMPERR_SUCCESS) {
        registered.remove(who);
        return SNMPERR_USM_GENERICERROR;
    }
    registered.insert(who, h->credentials);
    h->preparedAt = registeredVersion;
    h->preparedEngineId = engineId.toByteArray();
    return SNMPERR_SUCCESS;
}

void Adapter::Private::finish(Exchange *ex, Response &r)
{
    ex->completed = true;
    Completion done = std::move(ex->done);
    if (ex->handle != nullptr) {
        auto it = ex->handle->live.find(ex);
        if (it != ex->handle->live.end()) {
            finished.push_back(std::move(it->second));
            ex->handle->live.erase(it);
        }
    }
    if (done) {
        done(r);
    }
}

int Adapter::Private::callback(
    int op, netsnmp_session *session, int /*reqid*/, netsnmp_pdu *pdu, void *magic)
{
    auto *ex = static_cast<Exchange *>(magic);
    if (ex == nullptr || ex->completed) {
        return 1;
    }
    Response r;
    switch (op) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
        // A REPORT from the agent comes twice, as a security error and then as a message; the
        // first of the two completes the exchange.
        if (pdu != nullptr && pdu->command == SNMP_MSG_REPORT) {
            const int type = snmpv3_get_report_type(pdu);
            if (type == SNMPERR_NOT_IN_TIME_WINDOW) {
                // Net-SNMP sends the request again after notInTimeWindow while it has retries
                if (op == NETSNMP_CALLBACK_OP_SEC_ERROR
                    || std::max(ex->resends, ex->timeWindowReports++) <= ex->retries) {
                    return 1;
                }
            }
            r.libraryError = type == SNMPERR_SUCCESS ? SNMPERR_UNKNOWN_REPORT : type;
        } else if (op == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu != nullptr) {
            fillResponse(pdu, &r);
        } else {
            r.libraryError = session != nullptr && session->s_snmp_errno != 0
                ? session->s_snmp_errno
                : SNMPERR_GENERR;
        }
        break;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
        r.libraryError = SNMPERR_TIMEOUT;
        break;
    case NETSNMP_CALLBACK_OP_RESEND:
        ++ex->resends;
        return 1;
    case NETSNMP_CALLBACK_OP_DISCONNECT:
        r.closing = true;
        break;
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
        r.libraryError = session != nullptr && session->s_snmp_errno != 0 ? session->s_snmp_errno
                                                                          : SNMPERR_BAD_SENDTO;
        break;
    default:
        return 1;
    }
    ex->owner->finish(ex, r);
    return 1;
}

Adapter &Adapter::instance()
{
    static Adapter adapter;
    return adapter;
}

Adapter::Adapter() : d(std::make_unique<Private>()) { }

Adapter::~Adapter()
{
    closeAll();
}

bool Adapter::start(const QString &stateDirectory, const QByteArray &engineId, unsigned boots)
{
    if (!d->started) {
        // the user's own snmp.conf, MIB files and persistent files must not change what we send
        qputenv("MIBS", "");
        qputenv("MIBDIRS", "");
        const QByteArray dir = stateDirectory.toLocal8Bit();
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
        if (!dir.isEmpty()) {
            netsnmp_ds_set_string(
                NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, dir.constData());
            netsnmp_ds_set_string(
                NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR, dir.constData());
        }
        netsnmp_set_mib_directory("");
        // with no log handler at all Net-SNMP falls back to stderr; this one swallows everything
        snmp_disable_log();
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
        init_snmp("kva7310");
        d->started = true;
    }
    if (setup_engineID(nullptr, engineId.constData()) < 0) {
        return false;
    }
    // the library takes the counter as its persistent-configuration line would give it
    QByteArray value = QByteArray::number(boots);
    engineBoots_conf("engineBoots", value.data());
    return true;
}

bool Adapter::started() const
{
    return d->started;
}

Response Adapter::exchange(
    const Target &target, PduType type, const std::vector<Binding> &bindings, OpenFailure *failure)
{
    Response r;
    Handle *h = d->handleFor(target, false, failure, &r.libraryError);
    if (h == nullptr) {
        return r;
    }
    r.libraryError = d->prepare(h, target);
    if (r.libraryError != SNMPERR_SUCCESS) {
        return r;
    }
    // The blocking handle is only ever read here, so no other request's completion can run
    // inside a blocking call; the completion below is the only one this loop can deliver.
    bool done = false;
    const int sent = d->sendOn(h, target, type, bindings, [&r, &done](Response &answer) {
        r = std::move(answer);
        done = true;
    });
    if (sent != SNMPERR_SUCCESS) {
        r.libraryError = sent;
        return r;
    }
    while (!done) {
        int fds = 0;
        int block = 1;
        timeval wait{};
        netsnmp_large_fd_set readable;
        netsnmp_large_fd_set_init(&readable, FD_SETSIZE);
        snmp_sess_select_info2(h->session, &fds, &readable, &wait, &block);
        const int count =
            netsnmp_large_fd_set_select(fds, &readable, nullptr, nullptr, block ? nullptr : &wait);
        if (count > 0) {
            snmp_sess_read2(h->session, &readable);
        } else if (count == 0) {
            snmp_sess_timeout(h->session);
        } else if (errno != EINTR) {
            netsnmp_large_fd_set_cleanup(&readable);
            break;
        }
        netsnmp_large_fd_set_cleanup(&readable);
    }
    if (!d->processing) {
        d->finished.clear();
    }
    if (!done) {
        r.libraryError = SNMPERR_GENERR;
    }
    return r;
}

int Adapter::send(const Target &target, PduType type, const std::vector<Binding> &bindings,
    Completion done, OpenFailure *failure)
{
    int libraryError = 0;
    Handle *h = d->handleFor(target, true, failure, &libraryError);
    if (h == nullptr) {
        return libraryError != 0 ? libraryError : SNMPERR_GENERR;
    }
    libraryError = d->prepare(h, target);
    if (libraryError != SNMPERR_SUCCESS) {
        return libraryError;
    }
    return d->sendOn(h, target, type, bindings, std::move(done));
}

int Adapter::Private::sendOn(Handle *h, const Target &target, PduType type,
    const std::vector<Binding> &bindings, Completion done)
{
    auto ex = std::make_unique<Exchange>();
    ex->owner = this;
    ex->handle = h;
    ex->done = std::move(done);
    ex->retries = target.retries;
    netsnmp_pdu *request = snmp_pdu_create(commandOf(type));
    for (const Binding &b : bindings) {
        addBinding(request, b);
    }
    Exchange *raw = ex.get();
    h->live.emplace(raw, std::move(ex));
    if (snmp_sess_async_send(h->session, request, &Private::callback, raw) == 0) {
        int libErr = 0;
        int sysErr = 0;
        char *text = nullptr;
        snmp_sess_error(h->session, &libErr, &sysErr, &text);
        free(text);
        snmp_free_pdu(request);
        h->live.erase(raw);
        return libErr != SNMPERR_SUCCESS ? libErr : SNMPERR_GENERR;
    }
    return SNMPERR_SUCCESS;
}

void Adapter::process()
{
    if (d->processing) {
        return;
    }
    d->processing = true;
    std::vector<Handle *> async;
    for (auto &[key, h] : d->handles) {
        if (h->async) {
            async.push_back(h.get());
        }
    }
    for (Handle *h : async) {
        netsnmp_transport *transport = snmp_sess_transport(h->session);
        const int fd = transport != nullptr ? transport->sock : -1;
        // Read while the socket holds answers: a busy walk is not held to one row per tick, and
        // answers that arrived together cost one pass of the event loop, not one each.
        for (int round = 0; fd >= 0 && round < 256; ++round) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 0) <= 0 || (p.revents & POLLIN) == 0) {
                break;
            }
            netsnmp_large_fd_set fds;
            netsnmp_large_fd_set_init(&fds, fd + 1);
            NETSNMP_LARGE_FD_SET(fd, &fds);
            snmp_sess_read2(h->session, &fds);
            netsnmp_large_fd_set_cleanup(&fds);
        }
        snmp_sess_timeout(h->session);
    }
    d->finished.clear();
    d->processing = false;
}

bool Adapter::outstanding() const
{
    return std::any_of(d->handles.begin(), d->handles.end(),
        [](const auto &entry) { return entry.second->async && !entry.second->live.empty(); });
}

std::uint64_t Adapter::asyncSocketsVersion() const
{
    return d->asyncSocketsVersion;
}

std::vector<int> Adapter::asyncSockets() const
{
    std::vector<int> fds;
    for (const auto &[key, h] : d->handles) {
        if (!h->async) {
            continue;
        }
        netsnmp_transport *transport = snmp_sess_transport(h->session);
        if (transport != nullptr && transport->sock >= 0) {
            fds.push_back(transport->sock);
        }
    }
    return fds;
}

void Adapter::closeAll()
{
    auto handles = std::move(d->handles);
    d->handles.clear();
    ++d->asyncSocketsVersion;
    for (auto &[key, h] : handles) {
        std::vector<Exchange *> outstanding;
        for (auto &[ex, owned] : h->live) {
            outstanding.push_back(ex);
        }
        for (Exchange *ex : outstanding) {
            if (!ex->completed) {
                Response closing;
                closing.closing = true;
                d->finish(ex, closing);
            }
        }
        snmp_sess_close(h->session);
        h->live.clear();
    }
    d->finished.clear();
    d->registered.clear();
    ++d->registeredVersion;
    d->recent[0] = {};
    d->recent[1] = {};
}

} // namespace netsnmp
