// Command line of kva7310-tftpd.
#pragma once

#include <QHostAddress>
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
    QList<QHostAddress> allowed = {}; ///< the only peers served; empty: anyone
};

struct TftpdArguments
{
    TftpdOptions options;
    QString error; // empty when the command line is usable
};

/// Parses the arguments after the program name.
TftpdArguments parseTftpdArguments(const QStringList &arguments);

QString tftpdUsage();
