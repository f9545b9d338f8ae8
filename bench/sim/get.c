/* One client loop of synchronous one-varbind SNMPv2c GETs of sysDescr.0; prints the elapsed
 * milliseconds. Usage: kva-bench-sim-get <host:port> <community> <count> */
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: %s <host:port> <community> <count>\n", argv[0]);
        return 2;
    }
    const long count = strtol(argv[3], NULL, 10);
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_EMERG);
    init_snmp("kva-bench-sim-get");
    netsnmp_session s;
    snmp_sess_init(&s);
    s.peername = argv[1];
    s.version = SNMP_VERSION_2c;
    s.community = (u_char *)argv[2];
    s.community_len = strlen(argv[2]);
    s.timeout = 1000000;
    s.retries = 3;
    void *sess = snmp_sess_open(&s);
    if (!sess) {
        fprintf(stderr, "cannot open a session to %s\n", argv[1]);
        return 1;
    }
    static const oid sysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    for (long i = 0; i < count; ++i) {
        netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
        snmp_add_null_var(pdu, sysDescr, sizeof sysDescr / sizeof sysDescr[0]);
        netsnmp_pdu *response = NULL;
        const int st = snmp_sess_synch_response(sess, pdu, &response);
        if (st != STAT_SUCCESS || !response || response->errstat != SNMP_ERR_NOERROR) {
            fprintf(stderr, "request %ld failed\n", i);
            if (response) {
                snmp_free_pdu(response);
            }
            snmp_sess_close(sess);
            return 1;
        }
        snmp_free_pdu(response);
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    snmp_sess_close(sess);
    printf("%.1f\n", (t1.tv_sec - t0.tv_sec) * 1000.0 + (t1.tv_nsec - t0.tv_nsec) / 1e6);
    return 0;
}
