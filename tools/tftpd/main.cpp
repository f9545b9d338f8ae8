// kva7310-tftpd: the module's TFTP server as a program.
#include "KvaVersion.h"
#include "TftpServer.h"
#include "TftpdOptions.h"

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QSocketNotifier>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

void printLine(FILE *stream, const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const TftpdArguments parsed = parseTftpdArguments(app.arguments().mid(1));
    if (parsed.options.help) {
        std::fputs(tftpdUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("kva7310-tftpd %s\n", kva::kVersion);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        printLine(stderr, QStringLiteral("kva7310-tftpd: ") + parsed.error);
        std::fputs(tftpdUsage().toLocal8Bit().constData(), stderr);
        return 2;
    }
    const TftpdOptions &options = parsed.options;
    if (!QDir(options.root).exists()) {
        printLine(stderr, QStringLiteral("kva7310-tftpd: no directory \"%1\"").arg(options.root));
        return 2;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        printLine(stderr, QStringLiteral("kva7310-tftpd: cannot set up signal handling"));
        return 1;
    }
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    QHash<int, int> lastCode; // per session number: only changes are logged
    VtTFTPServer server;
    server.setListenAddress(net::Ipv4Address::fromString(options.address));
    server.setReadOnly(options.readOnly);
    server.setAllowedPeers(options.allowed);
    QObject::connect(
        &server, &VtTFTPServer::peerRefused, [](const net::Ipv4Address &peer, quint16 port) {
            printLine(stdout,
                QStringLiteral("refused %1:%2 (not an allowed address)")
                    .arg(peer.toString())
                    .arg(port));
        });
    server.SetEventHandler([&lastCode](const VtTFTPMsg &msg, bool &) {
        const auto seen = lastCode.constFind(msg.sessionNumber);
        if (seen != lastCode.cend() && *seen == msg.code) {
            return;
        }
        if (msg.code == tftpSuccess || msg.code < 0) {
            lastCode.remove(msg.sessionNumber);
        } else {
            lastCode.insert(msg.sessionNumber, msg.code);
        }
        printLine(stdout,
            QStringLiteral("session %1 %2:%3 %4 \"%5\" %6 %7 bytes=%8")
                .arg(msg.sessionNumber)
                .arg(msg.peerAddress)
                .arg(msg.peerPort)
                .arg(msg.request == tftpReadRequest ? QStringLiteral("read")
                                                    : QStringLiteral("write"))
                .arg(msg.fileName)
                .arg(msg.code)
                .arg(msg.text)
                .arg(msg.totalBytes));
    });
    try {
        server.Start(QDir(options.root).absolutePath(), options.port);
    } catch (const VtTFTPError &e) {
        printLine(stderr, QStringLiteral("kva7310-tftpd: ") + e.message());
        return 1;
    }
    printLine(stdout, QStringLiteral("LISTENING %1:%2").arg(options.address).arg(server.port()));

    QSocketNotifier stopSignal(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopSignal, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[0], &byte, 1);
        stopSignal.setEnabled(false);
        server.Stop();
        app.quit();
    });
    return app.exec();
}
