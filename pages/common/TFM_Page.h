// The frame every page shares: a modal dialog with its caption, body, button row and status bar,
// centred on the main window, that owns its requests and wires its controls. The frame runs the
// page's handlers as the operator's actions (only once FormCreate completed, never one inside
// another, inside the guarded block, followed by the page's rules pass), runs request completions
// the same way, stops an action's exchanges at the first one the device did not answer, keeps the
// close guard and shows the progress notice.
#pragma once

#include "FieldChecks.h"
#include "PageContext.h"
#include "PageForm.h"
#include "UISnmpVar.h"
#include "VtRadioGroup.h"
#include "VtSNMPRequest2Edits.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget> // VtSNMPRequest2Edits.h needs it complete for its inline ListView()

class QHBoxLayout;
class QLabel;
class QStatusBar;
class QVBoxLayout;
class DeviceState;
class TFM_Waiting;

namespace transfer {
class TransferFlow;
} // namespace transfer

class TFM_Page : public QDialog
{
    Q_OBJECT

    friend class transfer::TransferFlow; // the file pages' shared steps make a read of the page's

public:
    /// A completion of an asynchronous request, run by the frame like an operator action.
    using Completion = std::function<void(const VtSNMPError &result)>;

    TFM_Page(QWidget *owner, const QString &caption, const PageContext &context);
    ~TFM_Page() override;

    /// Builds the page's requests and reads what it shows; runs once, as the page is first shown
    /// (by show() or exec()), so the page appears with what it read. Make and bind every request
    /// before the first read: a read that fails then leaves every request in place.
    virtual void FormCreate() { }

    /// Shows the page without waiting (tests and measurements).
    void showPage();
    /// The menu's way: a modal page, shown until the operator closes it.
    int openModal();

    /// True once FormCreate ran to its end: from then on the operator's actions run.
    bool formReady() const { return m_formReady; }

    /// True while none of the page's requests is reading or writing and none has an exchange
    /// outstanding: what the page shows is what it read.
    bool requestsIdle() const;

    QStatusBar *statusBar() const { return m_statusBar; }

    /// The page's status text: panel 0 when the page uses panels, else the simple text.
    QString statusText() const;

    const PageContext &context() const { return m_context; }

    /// The controls as the page declared them, in order.
    const std::vector<PageControl> &inventory() const { return m_form.inventory(); }

    /// Runs `action` as an operator action: not before FormCreate completed, not inside another
    /// action (a second click while one runs is dropped), inside the guarded block, then the
    /// rules pass. Change hooks and buttons wired by the frame go through here.
    void runAction(const std::function<void()> &action);

    /// Runs `block`; a library exception from it ends the block, closes the progress notice and
    /// its message goes to the status bar. False when that happened.
    bool guarded(const std::function<void()> &block);

    /// While set, neither the close button nor Escape closes the page. A close that goes through
    /// closes the progress notice too.
    void setCloseLocked(bool locked) { m_closeLocked = locked; }

    bool closeLocked() const { return m_closeLocked; }

    void reject() override;

    /// The progress notice the operator cannot close; the page is disabled while it shows.
    void showProgress(const QString &firstLine, const QString &secondLine);
    /// Closes the progress notice (if shown) and enables the page again.
    void closeProgress();

    bool progressShown() const { return !m_progress.isNull(); }

    /// The waiting dialog over the page: `countdown` steps, no restart command of its own; it
    /// ends when the device is back (as the main window's state sees it) or the countdown has
    /// stalled. Modal; the page is disabled meanwhile.
    void runWaiting(int countdown, const QString &secondLine, const QString &caption = QString());

    /// Whether an exchange of the action now running got no answer (later ones are not sent).
    bool deviceSilent() const { return m_gate->silent; }

    /// The silence was the answer the page expected (a device restarting at once): the action
    /// goes on and asks the device again.
    void expectedSilence() { m_gate->reopen(); }

    /// The page told the operator of this step's failure in its own words ("Save Error!" for a
    /// write the device did not answer): the time-out is not shown over them.
    void failureTold() { m_silenceTold = m_silenceTold || m_gate->silent; }

    /// Message boxes through VtUi; each closes the progress notice first.
    void inform(const QString &caption, const QString &text);
    /// An OK/Cancel question; true for OK.
    bool confirm(const QString &text, const QString &caption = QStringLiteral("Warning"));
    /// Refuses an input: the box, then empties and/or focuses `field` as `actions` says; false.
    bool refuse(QWidget *field, const char *caption, const char *text, int actions = faFocus);

    /// Enables or disables every control of the list.
    static void enable(std::initializer_list<QWidget *> controls, bool on);
    /// Selects item `index` of a combo box or radio group, then disables it.
    static void pin(QWidget *control, int index);

    /// Shows or hides a field together with its caption.
    void showRow(QWidget *field, bool visible) { m_form.setRowVisible(field, visible); }

    /// Empties the address fields that read "0.0.0.0" (the device's "no address").
    static void clearIfZeroAddress(std::initializer_list<QLineEdit *> edits);

    static void clearIfZeroAddress(QLineEdit *edit) { clearIfZeroAddress({edit}); }

    /// Puts `text` into an empty field.
    static void setIfEmpty(QLineEdit *edit, const QString &text);

protected:
    /// Centres the page on its owner and runs FormCreate the first time.
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    /// The page's idempotent rules pass (what is enabled, shown, selected by the state of the
    /// controls): run after opening, after every operator action and every completion.
    virtual void applyRules() { }

    /// The first exchange of an action that got no answer: by default its message goes to the
    /// status. Pages with several status bars say where.
    virtual void showSilence(const VtSNMPError &cause);

    PageForm &form() { return m_form; }

    // Wiring: every handler runs as an operator action (runAction).
    template <class P>
    QPushButton *addButton(const char *name, const QString &text, void (P::*handler)())
    {
        QPushButton *button = m_form.addButton(name, text);
        onChange(button, handler);
        return button;
    }

    template <class P>
    QPushButton *addGroupButton(const char *name, const QString &text, void (P::*handler)())
    {
        QPushButton *button = m_form.addGroupButton(name, text);
        onChange(button, handler);
        return button;
    }

    template <class P>
    QPushButton *addFieldButton(const char *name, const QString &text, void (P::*handler)())
    {
        QPushButton *button = m_form.addFieldButton(name, text);
        onChange(button, handler);
        return button;
    }

    /// The operator's own changes only: a pick from the list (activated), typing (textEdited),
    /// a click (clicked), a radio item clicked (itemClicked), a list row clicked (rowClicked);
    /// never a read or a rule filling the control.
    template <class P>
    void onChange(QComboBox *combo, void (P::*handler)())
    {
        connect(combo, &QComboBox::activated, this, [this, handler] { call(handler); });
    }

    template <class P>
    void onChange(QLineEdit *edit, void (P::*handler)())
    {
        connect(edit, &QLineEdit::textEdited, this, [this, handler] { call(handler); });
    }

    template <class P>
    void onChange(QAbstractButton *button, void (P::*handler)())
    {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { call(handler); });
    }

    template <class P>
    void onChange(VtRadioGroup *group, void (P::*handler)())
    {
        connect(group, &VtRadioGroup::itemClicked, this, [this, handler] { call(handler); });
    }

    template <class P>
    void onChange(ReportListView *list, void (P::*handler)())
    {
        connect(list, &ReportListView::rowClicked, this, [this, handler] { call(handler); });
    }

    /// The tab the operator turned to: a switch the page makes itself during its opening or
    /// inside an action never runs the handler (no second action starts there).
    template <class P>
    void onChange(QTabWidget *tabs, void (P::*handler)())
    {
        connect(tabs, &QTabWidget::currentChanged, this, [this, handler] { call(handler); });
    }

    /// A completion handler of the page (`void P::handler(const VtSNMPError &)`).
    template <class P>
    Completion done(void (P::*handler)(const VtSNMPError &))
    {
        return [this, handler](
                   const VtSNMPError &result) { (static_cast<P *>(this)->*handler)(result); };
    }

    /// An asynchronous request's completions (either may be empty).
    struct Async
    {
        Completion onGetDone;
        Completion onSetDone;
    };

    /// Asynchronous, with a read handler, a write handler, both, or none.
    template <class P>
    Async onGetDone(void (P::*handler)(const VtSNMPError &))
    {
        return Async{done(handler), {}};
    }

    template <class P>
    Async onSetDone(void (P::*handler)(const VtSNMPError &))
    {
        return Async{{}, done(handler)};
    }

    template <class P>
    Async onDone(void (P::*read)(const VtSNMPError &), void (P::*write)(const VtSNMPError &))
    {
        return Async{done(read), done(write)};
    }

    static Async noHandlers() { return Async{{}, {}}; }

    /// A synchronous request over a static table (ending in {nullptr}), owned by the page and
    /// sharing its silence gate; the time-out is in hundredths of a second, before the module's
    /// scale; result lines go to `messageTarget` when given. A table list's key count is the
    /// number of its leading vfKey descriptors.
    template <class R = VtSNMPRequest2Edits>
    R *makeRequest(const UISnmpVar *table, unsigned char itemType, int timeout,
        QWidget *messageTarget = nullptr)
    {
        return addRequest<R>(table, itemType, timeout, nullptr, messageTarget);
    }

    /// The same, asynchronous. Completions run after FormCreate completed (one arriving earlier
    /// waits for it), as operator actions do.
    template <class R = VtSNMPRequest2Edits>
    R *makeRequest(const UISnmpVar *table, unsigned char itemType, int timeout, Async async,
        QWidget *messageTarget = nullptr)
    {
        return addRequest<R>(table, itemType, timeout, &async, messageTarget);
    }

    /// One bind line of bindControls: a control (combo boxes bound as BindCombo), a control with
    /// its format (BindFormat), or nullptr to leave a variable unbound.
    struct Bound
    {
        Bound(QWidget *c) : control(c) { }

        Bound(QWidget *c, const char *f) : control(c), format(f) { }

        Bound(std::nullptr_t) { }

        QWidget *control = nullptr;
        const char *format = nullptr;
    };

    /// Binds variable i of `request` to the i-th entry of `controls`.
    static void bindControls(VtSNMPRequest2Edits *request, std::initializer_list<Bound> controls);

    /// Every failed read or write of `request` (a time-out, an error-status, a value its syntax
    /// cannot hold) writes its result line to the request's message target.
    static void reportFailures(VtSNMPRequest2Edits *request);

    /// Get() that leaves the request's edits and labels as they were when the read fails.
    bool getKeepingFields(VtSNMPRequest2Edits *request);

    /// Results go to panel 0 of the status bar instead of its simple text.
    void usePanelStatus();
    /// Where requests that report to the status bar write their result lines.
    QWidget *statusTarget() const;
    /// Where the page's status texts go, a library exception's message and the time-out of a
    /// silent device among them; a page with status bars of its own says where.
    virtual void setStatus(const QString &text);
    /// Shows the page's own failure text for the action now running; when the device's silence
    /// stopped the action, this text stays the last word instead of the time-out's.
    void reportFailure(const QString &text);
    /// "Set OK!" / "Set Error!".
    void reportSet(bool ok);

    template <std::size_t N>
    bool runChecks(const FieldCheck (&checks)[N], const char *caption)
    {
        closeProgress();
        return runFieldChecks(this, checks, N, caption);
    }

private:
    template <class P>
    void call(void (P::*handler)())
    {
        runAction([this, handler] { (static_cast<P *>(this)->*handler)(); });
    }

    template <class R>
    R *addRequest(const UISnmpVar *table, unsigned char itemType, int timeout, Async *async,
        QWidget *messageTarget)
    {
        auto request = std::make_unique<R>(this);
        R *raw = request.get();
        setUpRequest(*raw, table, itemType, timeout, async, messageTarget);
        m_requests.push_back(std::move(request));
        return raw;
    }

    void setUpRequest(VtSNMPRequest2Edits &request, const UISnmpVar *table, unsigned char itemType,
        int timeout, Async *async, QWidget *messageTarget);
    VtSNMPRequest2Controls::DoneHandler completion(Completion hook);
    /// One step of the frame's (an action, a completion, the opening): the silence gate opens
    /// again once the outermost step has returned, then the rules pass runs.
    void runStep(const std::function<void()> &step);
    void centreOnOwner();
    /// The device state dialogs watch: the main window's, or one of the page's own without it.
    const DeviceState &watchedState();

    PageContext m_context;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_panel = nullptr;
    QVBoxLayout *m_body; // before m_form, which builds into them
    QHBoxLayout *m_buttons;
    PageForm m_form;
    std::shared_ptr<VtSilenceGate> m_gate;
    std::vector<std::unique_ptr<VtSNMPRequest2Edits>> m_requests;
    std::deque<std::function<void()>> m_earlyCompletions; // arrived before FormCreate completed
    QPointer<TFM_Waiting> m_progress;
    std::unique_ptr<DeviceState> m_detached;
    int m_stepDepth = 0;
    bool m_created = false;
    bool m_formReady = false;
    bool m_inAction = false;
    bool m_closeLocked = false;
    bool m_silenceTold = false; // a completion was handed the time-out that closed the gate
    bool m_destroying = false;
};
