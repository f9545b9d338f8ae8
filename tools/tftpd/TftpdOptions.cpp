// Command line of kva7310-tftpd.
#include "TftpdOptions.h"

namespace {

using Id = TftpdOption::Id;

constexpr TftpdOption kOptions[] = {
    {Id::Root, "--root", nullptr, "DIR",
        "directory whose files are served and stored (plain names only); required"},
    {Id::Address, "--address", nullptr, "A", "IPv4 address to listen on (default 0.0.0.0, all)"},
    {Id::Port, "--port", nullptr, "N",
        "UDP port (default 69, or KVA7310_TFTP_PORT; 0: any free port)"},
    {Id::Allow, "--allow", nullptr, "A",
        "answer only requests from the IPv4 address A; repeat it for more\n"
        "addresses. Others get TFTP error 2 and a \"refused\" line. Without it\n"
        "anyone is served."},
    {Id::ReadOnly, "--read-only", nullptr, nullptr, "refuse every write request"},
    {Id::Help, "--help", "-h", nullptr, "print this text and end"},
    {Id::Version, "--version", nullptr, nullptr, "print the version and end"},
};

const TftpdOption *findOption(const QString &argument)
{
    for (const TftpdOption &o : kOptions) {
        if (argument == QLatin1String(o.name)
            || (o.alias != nullptr && argument == QLatin1String(o.alias))) {
            return &o;
        }
    }
    return nullptr;
}

bool ipv4(const QString &text)
{
    return !net::Ipv4Address::fromString(text).isNull();
}

} // namespace

std::span<const TftpdOption> tftpdOptionTable()
{
    return kOptions;
}

TftpdArguments parseTftpdArguments(const QStringList &arguments)
{
    TftpdArguments result;
    TftpdOptions &o = result.options;
    bool rootGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const TftpdOption *option = findOption(argument);
        if (option == nullptr) {
            result.error = QStringLiteral("unknown argument \"%1\"").arg(argument);
            return result;
        }
        QString value;
        if (option->value != nullptr) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("%1 needs a value").arg(argument);
                return result;
            }
            value = arguments[++i];
        }
        switch (option->id) {
        case Id::Help:
            o.help = true;
            return result;
        case Id::Version:
            o.version = true;
            return result;
        case Id::ReadOnly:
            o.readOnly = true;
            break;
        case Id::Root:
            o.root = value;
            rootGiven = true;
            break;
        case Id::Address:
            o.address = value;
            if (!ipv4(value)) {
                result.error =
                    QStringLiteral("--address needs an IPv4 address, not \"%1\"").arg(value);
                return result;
            }
            break;
        case Id::Allow:
            if (!ipv4(value)) {
                result.error =
                    QStringLiteral("--allow needs an IPv4 address, not \"%1\"").arg(value);
                return result;
            }
            o.allowed.append(net::Ipv4Address::fromString(value));
            break;
        case Id::Port: {
            bool ok = false;
            o.port = value.toInt(&ok, 10);
            if (!ok || o.port < 0 || o.port > 65535) {
                result.error =
                    QStringLiteral("--port needs a number from 0 to 65535, not \"%1\"").arg(value);
                return result;
            }
            break;
        }
        }
    }
    if (!rootGiven || o.root.isEmpty()) {
        result.error = QStringLiteral("--root DIR is required");
    }
    return result;
}

QString tftpdUsage()
{
    QString text = QStringLiteral(
        "Usage: kva7310-tftpd --root DIR [--address A] [--port N] [--allow A]... [--read-only]\n"
        "       kva7310-tftpd --help | --version\n"
        "Serves the files of DIR over TFTP, as the module does for the access point.\n");
    constexpr qsizetype kHelpColumn = 17;
    for (const TftpdOption &o : kOptions) {
        QString head = QStringLiteral("  ") + QLatin1String(o.name);
        if (o.alias != nullptr) {
            head += QStringLiteral(", ") + QLatin1String(o.alias);
        }
        if (o.value != nullptr) {
            head += u' ' + QLatin1String(o.value);
        }
        head = head.leftJustified(kHelpColumn - 1) + u' ';
        const QStringList lines = QString::fromLatin1(o.help).split(u'\n');
        text += head + lines.front() + u'\n';
        for (qsizetype i = 1; i < lines.size(); ++i) {
            text += QString(kHelpColumn, u' ') + lines[i] + u'\n';
        }
    }
    text += QStringLiteral(
        "Prints \"LISTENING <address>:<port>\" first, then one line per session status change\n"
        "and one \"refused <address>:<port>\" line per request refused by --allow.\n"
        "SIGTERM or SIGINT ends it. Exit status: 0 after a signal, 1 when the server cannot\n"
        "listen, 2 for a bad command line or a missing directory.\n");
    return text;
}
