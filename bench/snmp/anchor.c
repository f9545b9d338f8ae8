/* The reference side of the SNMP benchmarks: a plain C loop over Net-SNMP's blocking call.
 *   kva-bench-snmp-anchor get  HOST:PORT COMMUNITY COUNT           GET sysDescr.0, SNMPv2c
 *   kva-bench-snmp-anchor get3 HOST:PORT USER AUTHPASS PRIVPASS COUNT   the same, SNMPv3 SHA/AES
 *   kva-bench-snmp-anchor walk HOST:PORT COMMUNITY OID             GET-NEXT one row per exchange
 * Prints "us=<microseconds> items=<exchanges>"; the handle is opened and one exchange made
 * before the clock starts. */
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long now_us(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000LL + ts.tv_nsec / 1000;
}

static int exchange(void *sess, int command, const oid *name, size_t len, oid *next, size_t *next_len)
{
    netsnmp_pdu *pdu = snmp_pdu_create(command);
    netsnmp_pdu *response = NULL;
    int ok;
    snmp_add_null_var(pdu, name, len);
    ok = snmp_sess_synch_response(sess, pdu, &response) == STAT_SUCCESS && response != NULL
        && response->errstat == SNMP_ERR_NOERROR && response->variables != NULL;
    if (ok && next != NULL) {
        netsnmp_variable_list *v = response->variables;
        ok = v->type != SNMP_ENDOFMIBVIEW && v->name_length <= MAX_OID_LEN;
        if (ok) {
            memcpy(next, v->name, v->name_length * sizeof(oid));
            *next_len = v->name_length;
        }
    }
    if (response != NULL) {
        snmp_free_pdu(response);
    }
    return ok;
}

int main(int argc, char **argv)
{
    static const oid sysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};
    netsnmp_session s;
    void *sess;
    long long start;
    long count = 0;
    const char *mode = argc > 1 ? argv[1] : "";

    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    setenv("MIBS", "", 1);
    setenv("MIBDIRS", "", 1);
    snmp_disable_log();
    init_snmp("kva-bench-snmp-anchor");
    snmp_sess_init(&s);
    s.timeout = 2000000;
    s.retries = 1;

    if (strcmp(mode, "get3") == 0 && argc == 7) {
        s.peername = argv[2];
        s.version = SNMP_VERSION_3;
        s.securityName = argv[3];
        s.securityNameLen = strlen(argv[3]);
        s.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
        s.securityAuthProto = usmHMACSHA1AuthProtocol;
        s.securityAuthProtoLen = OID_LENGTH(usmHMACSHA1AuthProtocol);
        s.securityAuthKeyLen = USM_AUTH_KU_LEN;
        s.securityPrivProto = usmAESPrivProtocol;
        s.securityPrivProtoLen = OID_LENGTH(usmAESPrivProtocol);
        s.securityPrivKeyLen = USM_PRIV_KU_LEN;
        if (generate_Ku(s.securityAuthProto, (u_int)s.securityAuthProtoLen, (u_char *)argv[4],
                strlen(argv[4]), s.securityAuthKey, &s.securityAuthKeyLen)
                != SNMPERR_SUCCESS
            || generate_Ku(s.securityAuthProto, (u_int)s.securityAuthProtoLen, (u_char *)argv[5],
                   strlen(argv[5]), s.securityPrivKey, &s.securityPrivKeyLen)
                != SNMPERR_SUCCESS) {
            fprintf(stderr, "cannot make keys\n");
            return 1;
        }
        count = atol(argv[6]);
    } else if ((strcmp(mode, "get") == 0 || strcmp(mode, "walk") == 0) && argc == 5) {
        s.peername = argv[2];
        s.version = SNMP_VERSION_2c;
        s.community = (u_char *)argv[3];
        s.community_len = strlen(argv[3]);
        count = strcmp(mode, "get") == 0 ? atol(argv[4]) : 0;
    } else {
        fprintf(stderr, "usage: kva-bench-snmp-anchor get|get3|walk ...\n");
        return 2;
    }
    sess = snmp_sess_open(&s);
    if (sess == NULL || !exchange(sess, SNMP_MSG_GET, sysDescr, OID_LENGTH(sysDescr), NULL, NULL)) {
        fprintf(stderr, "no answer from %s\n", argv[2]);
        return 1;
    }

    if (strcmp(mode, "walk") == 0) {
        oid root[MAX_OID_LEN];
        oid cursor[MAX_OID_LEN];
        size_t root_len = MAX_OID_LEN;
        size_t cursor_len;
        if (read_objid(argv[4], root, &root_len) == 0) {
            fprintf(stderr, "bad OID %s\n", argv[4]);
            return 2;
        }
        memcpy(cursor, root, root_len * sizeof(oid));
        cursor_len = root_len;
        start = now_us();
        while (exchange(sess, SNMP_MSG_GETNEXT, cursor, cursor_len, cursor, &cursor_len)
            && cursor_len > root_len && snmp_oid_compare(cursor, root_len, root, root_len) == 0) {
            ++count;
        }
    } else {
        long i;
        start = now_us();
        for (i = 0; i < count; ++i) {
            if (!exchange(sess, SNMP_MSG_GET, sysDescr, OID_LENGTH(sysDescr), NULL, NULL)) {
                fprintf(stderr, "exchange %ld failed\n", i);
                return 1;
            }
        }
    }
    printf("us=%lld items=%ld\n", now_us() - start, count);
    snmp_sess_close(sess);
    return 0;
}
