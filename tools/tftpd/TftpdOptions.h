// Command line of kva7310-tftpd.
#pragma once

#include "Ipv4Address.h"

#include <span>

#include <QList>
#include <QString>
#include <QStringList>

struct TftpdOptions
{
    QString root;
    QString address = QStringLiteral("0.0.0.0");
    int port = 69;
    bool readOnly = false;
    bool help = false;
    QList<net::Ipv4Address> allowed = {}; ///< the only peers served; empty: anyone
    bool version = false;
};

struct TftpdArguments
{
    TftpdOptions options;
    QString error; // empty when the command line is usable
};

/// One option of the command line: the parser looks arguments up here and the usage lists them.
struct TftpdOption
{
    enum class Id {
        Root,
        Address,
        Port,
        Allow,
        ReadOnly,
        Help,
        Version
    };

    Id id;
    const char *name;  ///< "--root"
    const char *alias; ///< a second spelling ("-h"), or nullptr
    const char *value; ///< the value's placeholder ("DIR"), nullptr for a switch
    const char *help;  ///< what it does; '\n' starts another line
};

/// Every option the parser accepts, in the order the usage lists them.
std::span<const TftpdOption> tftpdOptionTable();

/// Parses the arguments after the program name.
TftpdArguments parseTftpdArguments(const QStringList &arguments);

QString tftpdUsage();
