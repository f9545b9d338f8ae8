// Command line of kva7310-tftpd.
#include "TftpdOptions.h"

#include <QHostAddress>

TftpdArguments parseTftpdArguments(const QStringList &arguments)
{
    TftpdArguments result;
    TftpdOptions &o = result.options;
    bool rootGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const auto value = [&](QString &out) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("%1 needs a value").arg(argument);
                return false;
            }
            out = arguments[++i];
            return true;
        };
        QString text;
        if (argument == u"--help" || argument == u"-h") {
            o.help = true;
            return result;
        } else if (argument == u"--read-only") {
            o.readOnly = true;
        } else if (argument == u"--root") {
            if (!value(o.root)) {
                return result;
            }
            rootGiven = true;
        } else if (argument == u"--address") {
            if (!value(o.address)) {
                return result;
            }
            const QHostAddress address(o.address);
            if (address.isNull() || address.protocol() != QAbstractSocket::IPv4Protocol) {
                result.error =
                    QStringLiteral("--address needs an IPv4 address, not \"%1\"").arg(o.address);
                return result;
            }
        } else if (argument == u"--allow") {
            if (!value(text)) {
                return result;
            }
            const QHostAddress address(text);
            if (address.isNull() || address.protocol() != QAbstractSocket::IPv4Protocol) {
                result.error =
                    QStringLiteral("--allow needs an IPv4 address, not \"%1\"").arg(text);
                return result;
            }
            o.allowed.append(address);
        } else if (argument == u"--port") {
            if (!value(text)) {
                return result;
            }
            bool ok = false;
            o.port = text.toInt(&ok, 10);
            if (!ok || o.port < 0 || o.port > 65535) {
                result.error =
                    QStringLiteral("--port needs a number from 0 to 65535, not \"%1\"").arg(text);
                return result;
            }
        } else {
            result.error = QStringLiteral("unknown argument \"%1\"").arg(argument);
            return result;
        }
    }
    if (!rootGiven || o.root.isEmpty()) {
        result.error = QStringLiteral("--root DIR is required");
    }
    return result;
}

QString tftpdUsage()
{
    return QStringLiteral(
        "Usage: kva7310-tftpd --root DIR [--address A] [--port N] [--allow A]... [--read-only]\n"
        "                     [--help]\n"
        "Serves the files of DIR over TFTP, as the module does for the access point.\n"
        "  --root DIR     directory whose files are served and stored (plain names only)\n"
        "  --address A    IPv4 address to listen on (default 0.0.0.0, all)\n"
        "  --port N       UDP port (default 69, or KVA7310_TFTP_PORT; 0: any free port)\n"
        "  --allow A      answer only requests from the IPv4 address A; repeat it for more\n"
        "                 addresses. Others get TFTP error 2 and a \"refused\" line. Without it\n"
        "                 anyone is served.\n"
        "  --read-only    refuse every write request\n"
        "Prints \"LISTENING <address>:<port>\" first, then one line per session status change\n"
        "and one \"refused <address>:<port>\" line per request refused by --allow.\n"
        "SIGTERM or SIGINT ends it.\n");
}
