// A request bound to a page: read and write workflows, completions and result lines.
#include "VtSNMPRequest2Controls.h"

#include "ControlKind.h"
#include "ErrorMapping.h"
#include "VtUi.h"

#include <limits>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QScopeGuard>
#include <QTime>
#include <QTimer>

namespace {

int g_deferred = 0;

// Keeps a request whose page has gone until its outstanding exchanges end, so that neither the
// page's teardown nor anything it re-enters waits on the network. Completions that arrive
// meanwhile find the request no longer alive and are dropped by the engine.
class DeferredRequest : public QObject
{
public:
    DeferredRequest(std::unique_ptr<VtSNMPRequest> request, std::shared_ptr<void> life,
        std::function<bool()> inCompletion)
        : QObject(QCoreApplication::instance()),
          m_request(std::move(request)),
          m_life(std::move(life)),
          m_inCompletion(std::move(inCompletion))
    {
        ++g_deferred;
        m_request->Alive = false;
        m_since.start();
        connect(&m_timer, &QTimer::timeout, this, &DeferredRequest::check);
        m_timer.start(20);
    }

    ~DeferredRequest() override
    {
        m_request.reset();
        --g_deferred;
    }

private:
    void check()
    {
        if (m_inCompletion()) {
            return; // the engine is still inside this request's completion
        }
        if (m_request->Pending <= 0 || m_since.elapsed() > VtSNMPRequest::DestroyWaitMs) {
            m_timer.stop();
            deleteLater();
        }
    }

    std::unique_ptr<VtSNMPRequest> m_request;
    std::shared_ptr<void> m_life;
    std::function<bool()> m_inCompletion;
    QElapsedTimer m_since;
    QTimer m_timer;
};

QString resultTime()
{
    const QTime now = QTime::currentTime();
    const int h12 = now.hour() % 12 == 0 ? 12 : now.hour() % 12;
    const QLocale locale;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(now.minute(), 2, 10, QLatin1Char('0'))
        .arg(now.second(), 2, 10, QLatin1Char('0'))
        .arg(now.hour() < 12 ? locale.amText() : locale.pmText());
}

} // namespace

bool isSilence(const VtSNMPError &result)
{
    static const int timeout = ErrorFromStatus(snmpstatus::kTimeout).Code;
    return result.Code == timeout;
}

bool VtSilenceGate::noteResult(const VtSNMPError &result)
{
    if (!isSilence(result)) {
        return false;
    }
    if (!silent) {
        silent = true;
        cause = result;
        if (onSilenced) {
            onSilenced(result);
        }
    }
    return true;
}

VtSNMPError SuccessResult()
{
    VtSNMPError ok;
    ok.Code = 0;
    ok.Message = CatalogText(VtCatalog::VtSnmp, 0);
    ok.ErrorCount = std::numeric_limits<std::uint64_t>::max(); // "-1": not a failure count
    ok.Finished = true;
    return ok;
}

VtSNMPRequest2Controls::VtSNMPRequest2Controls(QWidget *owner)
    : m_request(std::make_unique<VtSNMPRequest>()),
      Request(*m_request),
      Owner(owner),
      m_life(std::make_shared<Life>())
{ }

VtSNMPRequest2Controls::~VtSNMPRequest2Controls()
{
    m_life->alive = false;
    if ((m_request->Pending > 0 || m_life->inCompletion > 0) && QCoreApplication::instance()) {
        const std::shared_ptr<Life> life = m_life;
        new DeferredRequest(std::move(m_request), life, [life] { return life->inCompletion > 0; });
    }
}

int VtSNMPRequest2Controls::deferredRequestCount()
{
    return g_deferred;
}

QString VtSNMPRequest2Controls::rowFilter() const
{
    if (FilterExpr.isEmpty() || !FilterSource) {
        return FilterExpr;
    }
    return FilterSource->Expand(FilterExpr, true, QLatin1Char('#'));
}

bool VtSNMPRequest2Controls::rowAccepted(const QString &filter)
{
    return Request.Accept(filter) && Request.Accept(Request.Filter);
}

bool VtSNMPRequest2Controls::Get()
{
    if (m_reading) {
        // Another walk on the same cursors would mix the rows of both.
        m_readQueued = true;
        return true;
    }
    const std::shared_ptr<Life> life = m_life;
    if (gateClosed()) {
        // An earlier exchange of this action got no answer: nothing is sent, and the fields keep
        // what they showed.
        MessageKind = 0;
        if (Async && OnGetDone) {
            OnGetDone(this, Gate->cause);
        }
        return Async;
    }
    m_reading = true;
    try {
        MessageKind = 0;
        BeforeGet();
        m_rowFilter = rowFilter();
        RecordCount = 0;
        if (Async) {
            Busy = true;
            if (Request.Alive) {
                sendAsync(false, true, {}, nullptr);
            } else {
                Busy = false;
                endRead();
                runQueuedRead();
            }
            return true;
        }
        Busy = true;
        bool ok = true;
        const std::uint64_t reportedBefore = Request.ErrorCount;
        bool silent = false;
        if (Request.Vars.IsTable()) {
            bool more = Request.ReadOnce(ok, true);
            while (more) {
                if (rowAccepted(m_rowFilter)) {
                    ShowData();
                    if (!life->alive) {
                        return false; // the page closed while the row was shown
                    }
                    ++RecordCount;
                }
                more = Request.ReadOnce(ok, false);
            }
            silent = !ok && Request.ErrorCount != reportedBefore && noteSilence();
        } else {
            Request.ReadOnce(ok, true);
            silent = !ok && Request.ErrorCount != reportedBefore && noteSilence();
            if (!silent && rowAccepted(m_rowFilter)) {
                ShowData();
                if (!life->alive) {
                    return false;
                }
                ++RecordCount;
            }
        }
        if (silent) {
            ReadGotNoAnswer();
        }
        AfterGet();
        Busy = false;
        // A step can report a failure (a value the variable's syntax cannot hold) and still
        // leave the ok flag set; a read that reported anything is no success.
        ok = ok && Request.ErrorCount == reportedBefore;
        if (ok && Request.OnError) {
            Request.OnError(SuccessResult());
        }
        if (life->alive) {
            endRead();
            runQueuedRead();
        }
        return ok;
    } catch (...) {
        if (life->alive) {
            Busy = false;
            endRead();
            m_readQueued = false;
        }
        throw;
    }
}

bool VtSNMPRequest2Controls::sendAsync(
    bool write, bool first, const QString &indexList, const QStringList *values)
{
    // A send that fails at once is reported through OnError and never completes; the workflow
    // must then end here, with the page told through its completion handler as well.
    VtSNMPError failure;
    bool failed = false;
    if (gateClosed()) {
        return endAsyncAtOnce(write, Gate->cause);
    }
    const auto saved = Request.OnError;
    Request.OnError = [&failure, &failed, saved](const VtSNMPError &e) {
        failure = e;
        failed = true;
        if (saved) {
            saved(e);
        }
    };
    const int before = Request.Pending;
    const std::weak_ptr<Life> weak = m_life;
    auto done = [this, weak, write](void *, const VtSNMPError &result, VtSNMPVarList &) {
        const std::shared_ptr<Life> life = weak.lock();
        if (!life || !life->alive) {
            return;
        }
        ++life->inCompletion;
        const auto leave = qScopeGuard([life] { --life->inCompletion; });
        if (write) {
            writeDone(result);
        } else {
            readDone(result);
        }
    };
    try {
        if (write) {
            Request.WriteAsync(done, nullptr, indexList, values);
        } else {
            Request.ReadAsync(done, nullptr, first);
        }
    } catch (...) {
        Request.OnError = saved;
        throw;
    }
    Request.OnError = saved;
    if (Request.Pending > before) {
        return true;
    }
    if (!failed) {
        failure = ErrorFromStatus(-1);
    }
    return endAsyncAtOnce(write, failure);
}

bool VtSNMPRequest2Controls::endAsyncAtOnce(bool write, const VtSNMPError &failure)
{
    const std::shared_ptr<Life> life = m_life;
    Busy = false;
    MessageKind = write ? 1 : 0;
    if (!write) {
        endRead();
    }
    const DoneHandler handler = write ? OnSetDone : OnGetDone;
    if (handler) {
        handler(this, failure);
    }
    if (!write && life->alive) {
        runQueuedRead();
    }
    return false;
}

bool VtSNMPRequest2Controls::noteSilence()
{
    return Gate && Gate->noteResult(Request.LastError);
}

void VtSNMPRequest2Controls::readDone(const VtSNMPError &result)
{
    const std::shared_ptr<Life> life = m_life;
    if (result.Code != 0) {
        Busy = false;
        MessageKind = 0;
        endRead();
        if (Gate && Gate->noteResult(result)) {
            ReadGotNoAnswer();
        }
        if (OnGetDone) {
            OnGetDone(this, result);
        }
        if (life->alive) {
            runQueuedRead();
        }
        return;
    }
    try {
        const bool table = Request.Vars.IsTable();
        if (!table || !result.Finished) {
            if (rowAccepted(m_rowFilter)) {
                ShowData();
                if (!life->alive) {
                    return;
                }
                ++RecordCount;
            }
        }
        if (table && !result.Finished && Request.Alive) {
            sendAsync(false, false, {}, nullptr); // the next row
            return;
        }
        finishRead(result);
    } catch (const VtException &e) {
        Busy = false;
        MessageKind = 0;
        endRead();
        showException(e, 0);
        if (life->alive) {
            runQueuedRead();
        }
    }
}

void VtSNMPRequest2Controls::finishRead(const VtSNMPError &result)
{
    const std::shared_ptr<Life> life = m_life;
    AfterGet();
    Busy = false;
    MessageKind = 0;
    endRead();
    if (Request.OnError) {
        Request.OnError(SuccessResult());
    }
    if (life->alive && OnGetDone) {
        OnGetDone(this, result);
    }
    if (life->alive) {
        runQueuedRead();
    }
}

void VtSNMPRequest2Controls::endRead()
{
    m_reading = false;
}

void VtSNMPRequest2Controls::runQueuedRead()
{
    if (m_readQueued && !m_reading) {
        m_readQueued = false;
        try {
            Get();
        } catch (const VtException &e) {
            showException(e, 0);
        }
    }
}

bool VtSNMPRequest2Controls::Set(
    bool refreshAfterSet, bool collect, const QString &indexList, const QStringList *values)
{
    const std::shared_ptr<Life> life = m_life;
    if (gateClosed()) {
        // An earlier exchange of this action got no answer: the write is not sent.
        MessageKind = 1;
        if (Async && OnSetDone) {
            OnSetDone(this, Gate->cause);
        }
        return Async;
    }
    try {
        MessageKind = 1;
        RefreshAfterSet = refreshAfterSet;
        BeforeSet();
        BeginWrite();
        auto endWrite = qScopeGuard([&] {
            if (life->alive) {
                EndWrite();
            }
        });
        if (collect) {
            CollectData();
        }
        Busy = true;
        if (Async) {
            if (Request.Alive) {
                sendAsync(true, false, indexList, values);
            } else {
                Busy = false;
            }
            return true;
        }
        bool ok = true;
        const std::uint64_t reportedBefore = Request.ErrorCount;
        Request.Write(ok, indexList, values);
        if (!ok && Request.ErrorCount != reportedBefore) {
            noteSilence();
        }
        ok = ok && Request.ErrorCount == reportedBefore;
        endWrite.dismiss();
        EndWrite();
        AfterSet();
        Busy = false;
        if (ok && Request.OnError) {
            Request.OnError(SuccessResult());
        }
        if (life->alive && Request.Vars.IsTable() && RefreshAfterSet) {
            Get(); // also after a failed write: the table shows what the device holds
        }
        return ok;
    } catch (...) {
        if (life->alive) {
            Busy = false;
        }
        throw;
    }
}

void VtSNMPRequest2Controls::writeDone(const VtSNMPError &result)
{
    const std::shared_ptr<Life> life = m_life;
    if (result.Code != 0) {
        Busy = false;
        MessageKind = 1;
        if (Gate) {
            Gate->noteResult(result);
        }
        if (OnSetDone) {
            OnSetDone(this, result);
        }
        return;
    }
    try {
        AfterSet();
        Busy = false;
        MessageKind = 1;
        if (Request.OnError) {
            Request.OnError(SuccessResult());
        }
        if (life->alive && OnSetDone) {
            OnSetDone(this, result);
        }
        if (life->alive && Request.Vars.IsTable() && RefreshAfterSet) {
            Get();
        }
    } catch (const VtException &e) {
        Busy = false;
        showException(e, 1);
    }
}

void VtSNMPRequest2Controls::SetMessageTarget(QWidget *target)
{
    MessageTarget = isMessageTarget(controlKindOf(target)) ? target : nullptr;
}

void VtSNMPRequest2Controls::ShowMessage(const QString &text)
{
    if (!MessageTarget) {
        return;
    }
    QString line = CatalogText(VtCatalog::Message, MessageKind == 1 ? 1 : 0);
    const QString error = QStringLiteral("[ERROR]");
    const QString varList = QStringLiteral("[VARLIST]");
    const qsizetype at = line.indexOf(error);
    const qsizetype list = line.indexOf(varList);
    if (Request.Vars.Caption.isEmpty() && at >= 0 && list > at) {
        // Without a caption the " Request:[VARLIST]" part goes.
        line.remove(at + error.size(), list + varList.size() - at - error.size());
    } else {
        line.replace(varList, Request.Vars.Caption);
    }
    line.replace(error, text);
    line.replace(QStringLiteral("[TIME]"), resultTime());
    writeMessageLine(MessageTarget, line);
}

void VtSNMPRequest2Controls::showException(const VtException &e, int kind)
{
    MessageKind = kind;
    if (MessageTarget) {
        ShowMessage(e.Message());
    } else {
        VtUi::current().messageOk(
            Owner ? Owner->window() : nullptr, executableCaption(), e.Message());
    }
}

void VtSNMPRequest2Controls::ShowGetError(const VtSNMPError &result)
{
    MessageKind = 0;
    if (MessageTarget) {
        ShowMessage(result.Message);
    } else {
        VtUi::current().messageOk(
            Owner ? Owner->window() : nullptr, executableCaption(), result.Message);
    }
}

void VtSNMPRequest2Controls::ShowSetError(const VtSNMPError &result)
{
    MessageKind = 1;
    if (MessageTarget) {
        ShowMessage(result.Message);
    } else {
        VtUi::current().messageOk(
            Owner ? Owner->window() : nullptr, executableCaption(), result.Message);
    }
}
