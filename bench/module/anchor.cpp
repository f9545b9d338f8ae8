// The reference for the module's start-up: a minimal Qt window that starts Net-SNMP, reads the
// agent's sysDescr once shown, and then reads it again every two seconds.
//
//     kva-bench-module-anchor PORT
#include <cstdio>
#include <cstring>
#include <ctime>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {

void trace(const char *event)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "anchor trace %.3f %s\n",
        static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6, event);
    std::fflush(stderr);
}

bool readSysDescr(void *session)
{
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
    const oid sysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};
    snmp_add_null_var(pdu, sysDescr, sizeof sysDescr / sizeof sysDescr[0]);
    netsnmp_pdu *response = nullptr;
    const int status = snmp_sess_synch_response(session, pdu, &response);
    const bool ok = status == STAT_SUCCESS && response && response->errstat == SNMP_ERR_NOERROR;
    if (response) {
        snmp_free_pdu(response);
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PORT\n", argv[0]);
        return 2;
    }
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    init_snmp("kva7310-anchor");
    netsnmp_session settings;
    snmp_sess_init(&settings);
    char peer[64];
    std::snprintf(peer, sizeof peer, "udp:127.0.0.1:%s", argv[1]);
    settings.peername = peer;
    settings.version = SNMP_VERSION_2c;
    char community[] = "mirtal";
    settings.community = reinterpret_cast<u_char *>(community);
    settings.community_len = std::strlen(community);
    settings.timeout = 3000000;
    settings.retries = 1;
    void *session = snmp_sess_open(&settings);
    if (!session) {
        std::fprintf(stderr, "anchor: cannot open the session\n");
        return 1;
    }

    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("KVA-7310"), &window));
    window.statusBar()->showMessage(QStringLiteral("starting"));
    window.resize(560, 250);
    window.show();
    QTimer poll;
    poll.setInterval(2000);
    bool first = true;
    const auto tick = [&] {
        const bool ok = readSysDescr(session);
        window.statusBar()->showMessage(ok ? QStringLiteral("up") : QStringLiteral("down"));
        if (ok && first) {
            first = false;
            trace("reachable");
        }
    };
    QObject::connect(&poll, &QTimer::timeout, &window, tick);
    QTimer::singleShot(0, &window, [&] {
        poll.start();
        tick();
    });
    const int rc = QApplication::exec();
    snmp_sess_close(session);
    return rc;
}
