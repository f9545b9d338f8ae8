// A request bound to a page: the read and write workflows (blocking or asynchronous), their
// completions and the result lines written to the page's message target.
#pragma once

#include "VtSNMPError.h"
#include "VtSNMPRequest.h"

#include <functional>
#include <memory>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

/// Shared by the requests of one page: once an exchange of theirs got no answer at all, the
/// others send nothing until the page opens the gate again (when it is back in the event loop), so
/// a silent device costs one time-out per operator action instead of one per request.
struct VtSilenceGate
{
    bool silent = false;
    VtSNMPError cause; ///< the time-out that closed the gate
    /// Called when an exchange closes the gate (not while it is already closed).
    std::function<void(const VtSNMPError &)> onSilenced;

    /// Whether `result` is a time-out; the gate is closed then (onSilenced runs when it was open).
    bool noteResult(const VtSNMPError &result);

    void reopen()
    {
        silent = false;
        cause = VtSNMPError{};
    }
};

/// True for a result that means the agent sent no answer at all (not an error-status).
bool isSilence(const VtSNMPError &result);

class VtSNMPRequest2Controls
{
public:
    using DoneHandler = std::function<void(VtSNMPRequest2Controls *sender, const VtSNMPError &)>;

    explicit VtSNMPRequest2Controls(QWidget *owner);
    /// Never waits: exchanges still outstanding are detached from the page and their request is
    /// freed once they end (or after VtSNMPRequest::DestroyWaitMs), outside the page's teardown.
    virtual ~VtSNMPRequest2Controls();
    VtSNMPRequest2Controls(const VtSNMPRequest2Controls &) = delete;
    VtSNMPRequest2Controls &operator=(const VtSNMPRequest2Controls &) = delete;

    /// Reads and shows. Blocking: the ok flag. Asynchronous: true once the read is under way.
    /// A read asked for while this request's read is still running is queued and runs when that
    /// one ends; several queued reads collapse into one.
    bool Get();
    /// Collects and writes; pages call Set() (= Set(true, true, "", nullptr)).
    bool Set(bool refreshAfterSet = true, bool collect = true, const QString &indexList = QString(),
        const QStringList *values = nullptr);
    /// Where result lines go: a status bar, a status panel (a label in a status bar) or a memo;
    /// null for none.
    void SetMessageTarget(QWidget *target);
    /// Writes one result line built from the template of the current MessageKind.
    void ShowMessage(const QString &text);

private:
    std::unique_ptr<VtSNMPRequest> m_request;

public:
    VtSNMPRequest &Request;
    DoneHandler OnGetDone;
    DoneHandler OnSetDone;
    bool Async = true;
    bool Busy = false;
    QPointer<QWidget> Owner;
    int RecordCount = 0;
    QPointer<QWidget> MessageTarget;
    int MessageKind = 0; ///< 0 while reading, 1 while writing
    bool RefreshAfterSet = true;
    VtSNMPRequest *FilterSource = nullptr;
    QString FilterExpr;
    /// The page's silence gate; none: every exchange is sent.
    std::shared_ptr<VtSilenceGate> Gate;

    virtual void BeforeGet() { }

    virtual void BeforeSet() { }

    virtual void ShowData() = 0;

    virtual void CollectData() { }

    virtual void ShowGetError(const VtSNMPError &result);
    virtual void ShowSetError(const VtSNMPError &result);

    virtual void AfterGet() { }

    virtual void AfterSet() { }

    /// Requests whose page went away while they still had exchanges outstanding, not yet freed.
    static int deferredRequestCount();

protected:
    /// Shared with completions and deferred work, which must do nothing once the binding is gone.
    struct Life
    {
        bool alive = true;
        int inCompletion = 0;
    };

    std::shared_ptr<Life> life() const { return m_life; }

    /// Shows a library exception from a workflow: a result line, else a message box.
    void showException(const VtException &e, int kind);

    /// A read ended without an answer from the agent (the gate was closed, or closed by it); the
    /// bound controls were left as they were. Derived classes put back what the read cleared.
    virtual void ReadGotNoAnswer() { }

    /// Around collecting and sending a write (also when it throws): members a derived class
    /// keeps out of this one write are switched and switched back here.
    virtual void BeginWrite() { }

    virtual void EndWrite() { }

private:
    void startRead();
    void readDone(const VtSNMPError &result);
    void writeDone(const VtSNMPError &result);
    void finishRead(const VtSNMPError &result);
    bool rowAccepted(const QString &rowFilter);
    QString rowFilter() const;
    void endRead();
    void runQueuedRead();
    bool sendAsync(bool write, bool first, const QString &indexList, const QStringList *values);
    bool endAsyncAtOnce(bool write, const VtSNMPError &failure);

    bool gateClosed() const { return Gate && Gate->silent; }

    /// The last blocking exchange got no answer: closes the gate. True when it did.
    bool noteSilence();

    std::shared_ptr<Life> m_life;
    QString m_rowFilter;
    bool m_reading = false;
    bool m_readQueued = false;
};

/// The result handed to OnError after a successful read or write.
VtSNMPError SuccessResult();
