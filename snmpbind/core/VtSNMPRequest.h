// One SNMP exchange engine per variable list: reads of scalars and instances, table walks one
// row per GET-NEXT, writes in one SET; blocking, or asynchronous with completions in the pump.
#pragma once

#include "SnmpTextForm.h"
#include "VtSNMPError.h"
#include "VtSNMPVarList.h"

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>
#include <QStringList>

/// Called on the GUI thread when an asynchronous exchange ends.
using VtSNMPCompletion =
    std::function<void(void *data, const VtSNMPError &result, VtSNMPVarList &list)>;

class VtSNMPRequest
{
public:
    /// Takes a snapshot of the agent, security and scope objects and the default time-out.
    VtSNMPRequest();
    /// Waits (processing events) while asynchronous exchanges are outstanding, for at most
    /// DestroyWaitMs; completions arriving later are dropped.
    virtual ~VtSNMPRequest();
    VtSNMPRequest(const VtSNMPRequest &) = delete;
    VtSNMPRequest &operator=(const VtSNMPRequest &) = delete;

    std::function<void(const VtSNMPError &)> OnError;
    bool UseGetNext = false;
    std::int32_t Timeout = 100; ///< hundredths of a second per attempt
    std::int32_t Retries = 1;
    QString Host;
    std::uint16_t Port = 161;
    QString ContextEngineId;
    QString ContextName;
    std::uint8_t Version = 0;
    QString ReadCommunity;
    QString WriteCommunity;
    std::int32_t SecurityModel = 1;
    std::int32_t SecurityLevel = 1;
    QString SecurityName;
    QString AuthPassword;
    QString PrivPassword;
    std::int32_t AuthProtocol = 1;
    std::int32_t PrivProtocol = 1;
    VtSNMPVarList Vars;
    QString Filter;
    bool Alive = true;
    std::int32_t Pending = 0;
    std::uint64_t ErrorCount = 0;
    /// The last failure reported (through OnError or not); code 0 before the first.
    VtSNMPError LastError;

    /// How long destruction waits for outstanding exchanges (tests shorten it).
    static int DestroyWaitMs;

    /// One GET, or one GET-NEXT step of a walk (`first` starts it). `ok` becomes false when a
    /// failure was reported. True when the list is a table and another step should follow.
    bool ReadOnce(bool &ok, bool first);
    /// The same exchange sent asynchronously; `done` gets Finished false while a walk goes on.
    void ReadAsync(VtSNMPCompletion done, void *data, bool first);
    /// One SET of the writable variables. `indexList` ("0,3") limits the write to those
    /// positions, `values` (one per position of the index list) gives their texts.
    void Write(bool &ok, const QString &indexList = QString(), const QStringList *values = nullptr);
    void WriteAsync(VtSNMPCompletion done, void *data, const QString &indexList = QString(),
        const QStringList *values = nullptr);

    /// The instance suffix of the current row: EncodeKey(i) of every index column, joined by ".".
    QString RowIndex();
    /// Decodes every index column from an instance suffix; throws -514 when it runs out.
    void TakeKeys(const QString &suffix);

    virtual QString Expand(const QString &expression, bool quote, QChar marker);
    /// Decodes index column i from the front of `suffix` into Var(i).Value; returns the rest.
    virtual QString DecodeKey(int i, const QString &suffix);
    /// Var(i).Value as instance sub-identifiers in dotted text.
    virtual QString EncodeKey(int i);
    /// Sets Var(i).Value from a received value; false (and "(NULL)") for a value of the wrong
    /// type or length for the variable's syntax.
    virtual bool StoreValue(int i, const SnmpWireValue &value);
    /// The value to send for Var(i).
    virtual SnmpWireValue LoadValue(int i);
    virtual void Convert(int i, bool afterRead);
    virtual bool Accept(const QString &condition);
    virtual bool ColumnEnded(
        const QString &requested, const QString &previous, const QString &received);

private:
    struct Link;
    struct Impl;
    friend struct Impl;

    QString columnOid(int i) const;
    bool checkItemType();
    void report(VtSNMPError error);
    void applyWriteSelection(const QString &indexList, const QStringList *values);

    std::shared_ptr<Link> m_link;
};
