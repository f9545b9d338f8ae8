// The shared page frame.
#include "TFM_Page.h"

#include "DeviceState.h"
#include "OptionListControls.h"
#include "TFM_Waiting.h"
#include "VtSNMPError.h"
#include "VtUi.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPair>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The page's outer layout: the body, the button row, the status bar.
QVBoxLayout *outerLayout(QWidget *page)
{
    if (auto *outer = qobject_cast<QVBoxLayout *>(page->layout())) {
        return outer;
    }
    return new QVBoxLayout(page);
}

QVBoxLayout *makeBody(QWidget *page)
{
    auto *body = new QVBoxLayout;
    outerLayout(page)->addLayout(body);
    return body;
}

QHBoxLayout *makeButtonRow(QWidget *page)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    outerLayout(page)->addLayout(row);
    return row;
}

} // namespace

TFM_Page::TFM_Page(QWidget *owner, const QString &caption, const PageContext &context)
    : QDialog(owner),
      m_context(context),
      m_body(makeBody(this)),
      m_buttons(makeButtonRow(this)),
      m_form(this, m_body, m_buttons),
      m_gate(std::make_shared<VtSilenceGate>())
{
    setWindowTitle(caption);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    outerLayout(this)->addWidget(m_statusBar);
    // The first exchange of an action that the device did not answer: the rest of the action's
    // exchanges are not sent, and the operator learns why from the status.
    m_gate->onSilenced = [this](const VtSNMPError &cause) {
        closeProgress();
        if (m_stepDepth == 0) {
            showSilence(cause);
            QTimer::singleShot(0, this, [this] { m_gate->reopen(); });
        }
    };
}

// The requests go first: their bindings hold the page's controls.
TFM_Page::~TFM_Page()
{
    m_destroying = true;
    m_gate->onSilenced = nullptr;
    m_requests.clear();
}

void TFM_Page::showPage()
{
    show();
}

int TFM_Page::openModal()
{
    return exec();
}

void TFM_Page::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created) {
        return;
    }
    m_created = true;
    centreOnOwner();
    bool completed = false;
    runStep([&] {
        FormCreate();
        completed = true;
    });
    if (!completed) {
        return; // the operator's actions stay off: the page can only be closed
    }
    m_formReady = true;
    while (!m_earlyCompletions.empty() && !m_destroying) {
        const std::function<void()> late = std::move(m_earlyCompletions.front());
        m_earlyCompletions.pop_front();
        runStep(late);
    }
    runStep([] {});
}

void TFM_Page::runStep(const std::function<void()> &step)
{
    ++m_stepDepth;
    const auto leave = qScopeGuard([this] {
        if (--m_stepDepth > 0) {
            return;
        }
        if (m_gate->silent && !m_silenceTold && !m_destroying) {
            // the time-out is the last word of the step, after the page's own texts
            showSilence(m_gate->cause);
        }
        m_gate->reopen(); // back to the event loop: the next action asks the device again
        m_silenceTold = false;
    });
    guarded(step);
    if (m_formReady && !m_destroying) {
        guarded([this] { applyRules(); });
    }
}

void TFM_Page::runAction(const std::function<void()> &action)
{
    if (!m_formReady || m_inAction || m_destroying) {
        return;
    }
    m_inAction = true;
    const auto leave = qScopeGuard([this] { m_inAction = false; });
    runStep(action);
}

VtSNMPRequest2Controls::DoneHandler TFM_Page::completion(Completion hook)
{
    if (!hook) {
        return {};
    }
    return [this, hook = std::move(hook)](VtSNMPRequest2Controls *, const VtSNMPError &result) {
        if (m_destroying) {
            return;
        }
        if (!m_formReady) {
            m_earlyCompletions.emplace_back([hook, result] { hook(result); });
            return;
        }
        runStep([&] {
            // a completion hears of its own time-out and says it in the page's words
            m_silenceTold = m_silenceTold || isSilence(result);
            hook(result);
        });
    };
}

void TFM_Page::setUpRequest(VtSNMPRequest2Edits &request, const UISnmpVar *table,
    unsigned char itemType, int timeout, Async *async, QWidget *messageTarget)
{
    request.Async = async != nullptr;
    request.Request.Vars = VtSNMPVarList(table, itemType);
    VtSNMPVarList &vars = request.Request.Vars;
    if (vars.IsTable() && vars.KeyCount == 0) {
        // a table's index columns are its leading key descriptors
        while (vars.KeyCount < vars.Count() && (vars.Var(vars.KeyCount).Flags & vfKey) != 0) {
            ++vars.KeyCount;
        }
    }
    request.Request.Timeout = m_context.settings.scaledTimeout(timeout);
    request.Gate = m_gate;
    if (async != nullptr) {
        request.OnGetDone = completion(std::move(async->onGetDone));
        request.OnSetDone = completion(std::move(async->onSetDone));
    }
    if (messageTarget != nullptr) {
        request.SetMessageTarget(messageTarget);
    }
}

bool TFM_Page::requestsIdle() const
{
    for (const auto &request : m_requests) {
        // Busy covers a whole workflow (a walk, a write and the read after it); Pending also
        // covers exchanges still on the wire after the workflow was left, whose completions
        // would change the page.
        if (request->Busy || request->Request.Pending > 0) {
            return false;
        }
    }
    return true;
}

QString TFM_Page::statusText() const
{
    return m_panel != nullptr ? m_panel->text() : m_statusBar->currentMessage();
}

void TFM_Page::bindControls(VtSNMPRequest2Edits *request, std::initializer_list<Bound> controls)
{
    int i = 0;
    for (const Bound &b : controls) {
        if (b.control == nullptr) {
            // left unbound
        } else if (b.format != nullptr) {
            request->BindFormat(i, QLatin1String(b.format), b.control);
        } else if (qobject_cast<QComboBox *>(b.control) != nullptr) {
            request->BindCombo(i, b.control);
        } else {
            request->BindControl(i, b.control);
        }
        ++i;
    }
}

void TFM_Page::reportFailures(VtSNMPRequest2Edits *request)
{
    request->Request.OnError = [request](const VtSNMPError &result) {
        if (result.Code != 0) {
            request->ShowMessage(result.Message);
        }
    };
}

bool TFM_Page::getKeepingFields(VtSNMPRequest2Edits *request)
{
    QList<QPair<QPointer<QWidget>, QString>> before;
    for (const ControlBinding &b : request->Bindings()) {
        for (const QPointer<QWidget> &control : b.controls) {
            if (auto *edit = qobject_cast<QLineEdit *>(control.data())) {
                before.append({control, edit->text()});
            } else if (auto *label = qobject_cast<QLabel *>(control.data())) {
                before.append({control, label->text()});
            }
        }
    }
    if (request->Get()) {
        return true;
    }
    for (const auto &[control, text] : before) {
        if (auto *edit = qobject_cast<QLineEdit *>(control.data())) {
            edit->setText(text);
        } else if (auto *label = qobject_cast<QLabel *>(control.data())) {
            label->setText(text);
        }
    }
    return false;
}

bool TFM_Page::guarded(const std::function<void()> &block)
{
    try {
        block();
        return true;
    } catch (const VtException &e) {
        closeProgress();
        setStatus(e.Message());
        return false;
    }
}

void TFM_Page::showSilence(const VtSNMPError &cause)
{
    setStatus(cause.Message);
}

void TFM_Page::usePanelStatus()
{
    if (m_panel == nullptr) {
        m_panel = new QLabel(m_statusBar);
        m_panel->setObjectName(QStringLiteral("StatusPanel0"));
        m_statusBar->addWidget(m_panel, 1);
    }
}

QWidget *TFM_Page::statusTarget() const
{
    return m_panel != nullptr ? static_cast<QWidget *>(m_panel) : m_statusBar;
}

void TFM_Page::setStatus(const QString &text)
{
    if (m_panel != nullptr) {
        m_panel->setText(text);
    } else {
        m_statusBar->showMessage(text);
    }
}

void TFM_Page::reportFailure(const QString &text)
{
    setStatus(text);
    failureTold();
}

void TFM_Page::reportSet(bool ok)
{
    setStatus(ok ? QStringLiteral("Set OK!") : QStringLiteral("Set Error!"));
}

void TFM_Page::closeEvent(QCloseEvent *event)
{
    if (m_closeLocked) {
        event->ignore();
        return;
    }
    closeProgress(); // a page closed while its notice shows takes the notice with it
    QDialog::closeEvent(event);
}

void TFM_Page::reject()
{
    if (!m_closeLocked) {
        closeProgress();
        QDialog::reject();
    }
}

void TFM_Page::showProgress(const QString &firstLine, const QString &secondLine)
{
    closeProgress();
    auto *notice = new TFM_Waiting(this, watchedState(), m_context.settings);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->useAsProgressNotice(firstLine, secondLine);
    m_progress = notice;
    setEnabled(false);
    notice->setEnabled(true);
    notice->show();
}

void TFM_Page::closeProgress()
{
    if (m_progress) {
        TFM_Waiting *notice = m_progress;
        m_progress.clear();
        notice->finish();
        notice->deleteLater();
        setEnabled(true);
    }
}

void TFM_Page::runWaiting(int countdown, const QString &secondLine, const QString &caption)
{
    closeProgress();
    TFM_Waiting waiting(this, watchedState(), m_context.settings);
    waiting.Restart = false;
    waiting.Countdown = countdown;
    waiting.Label3->setText(secondLine);
    if (!caption.isEmpty()) {
        waiting.setWindowTitle(caption);
    }
    waiting.FormCreate();
    const bool wasEnabled = isEnabled();
    setEnabled(false);
    waiting.setEnabled(true);
    waiting.exec();
    setEnabled(wasEnabled);
}

const DeviceState &TFM_Page::watchedState()
{
    if (m_context.device != nullptr) {
        return *m_context.device;
    }
    if (!m_detached) {
        m_detached = std::make_unique<DeviceState>(); // no main window: the countdown alone
    }
    return *m_detached;
}

void TFM_Page::inform(const QString &caption, const QString &text)
{
    closeProgress();
    VtUi::current().messageOk(this, caption, text);
}

bool TFM_Page::confirm(const QString &text, const QString &caption)
{
    closeProgress();
    return VtUi::current().messageOkCancel(this, caption, text);
}

bool TFM_Page::refuse(QWidget *field, const char *caption, const char *text, int actions)
{
    inform(QString::fromUtf8(caption), QString::fromUtf8(text));
    if (field != nullptr) {
        if ((actions & faClear) != 0) {
            if (auto *edit = qobject_cast<QLineEdit *>(field)) {
                edit->clear();
            }
        }
        if ((actions & faFocus) != 0) {
            field->setFocus(Qt::OtherFocusReason);
        }
    }
    return false;
}

void TFM_Page::enable(std::initializer_list<QWidget *> controls, bool on)
{
    for (QWidget *c : controls) {
        if (c != nullptr) {
            c->setEnabled(on);
        }
    }
}

void TFM_Page::pin(QWidget *control, int index)
{
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentIndex(index);
    } else if (auto *group = qobject_cast<VtRadioGroup *>(control)) {
        group->setItemIndex(index);
    }
    control->setEnabled(false);
}

void TFM_Page::clearIfZeroAddress(std::initializer_list<QLineEdit *> edits)
{
    for (QLineEdit *edit : edits) {
        if (edit->text() == QLatin1String("0.0.0.0")) {
            edit->clear();
        }
    }
}

void TFM_Page::setIfEmpty(QLineEdit *edit, const QString &text)
{
    if (edit->text().isEmpty()) {
        edit->setText(text);
    }
}

void TFM_Page::centreOnOwner()
{
    adjustSize();
    const QWidget *owner = parentWidget();
    QRect area;
    if (owner != nullptr) {
        area = owner->frameGeometry();
    } else if (const QScreen *screen = this->screen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}
