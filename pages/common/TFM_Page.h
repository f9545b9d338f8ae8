// The frame every page shares: a modal dialog with its caption, body, button row and status bar,
// centred on the main window, that owns its requests and shows library exceptions in its status.
#pragma once

#include "FieldChecks.h"
#include "PageContext.h"
#include "PageForm.h"
#include "UISnmpVar.h"
#include "VtSNMPRequest2Edits.h"

#include <functional>
#include <memory>
#include <vector>

#include <QDialog>
#include <QTreeWidget> // VtSNMPRequest2Edits.h needs it complete for its inline ListView()

class QHBoxLayout;
class QLabel;
class QStatusBar;
class QVBoxLayout;

class TFM_Page : public QDialog
{
    Q_OBJECT

public:
    TFM_Page(QWidget *owner, const QString &caption, const PageContext &context);
    ~TFM_Page() override;

    /// Builds the page's requests and reads what it shows; runs once, as the page is first shown
    /// (by show() or exec()), so the page appears with what it read.
    virtual void FormCreate() { }

    /// Shows the page without waiting (tests and measurements).
    void showPage();
    /// The menu's way: a modal page, shown until the operator closes it.
    int openModal();

    /// True while none of the page's requests is reading or writing and none has an exchange
    /// outstanding: what the page shows is what it read.
    bool requestsIdle() const;

    QStatusBar *statusBar() const { return m_statusBar; }

    /// The page's status text: panel 0 when the page uses panels, else the simple text.
    QString statusText() const;

    const PageContext &context() const { return m_context; }

protected:
    /// Centres the page on its owner and runs FormCreate the first time.
    void showEvent(QShowEvent *event) override;

    PageForm &form() { return m_form; }

    /// A synchronous request over a static table (ending in {nullptr}), owned by the page; the
    /// time-out is in hundredths of a second, before the module's scale.
    VtSNMPRequest2Edits *makeRequest(
        const UISnmpVar *table, unsigned char itemType, int timeout, bool async = false);

    /// Get() that leaves the request's edits and labels as they were when the read fails.
    bool getKeepingFields(VtSNMPRequest2Edits *request);

    /// Runs `block`; a library exception from it ends the block and its message goes to the
    /// status bar. False when that happened.
    bool guarded(const std::function<void()> &block);

    /// Results go to panel 0 of the status bar instead of its simple text.
    void usePanelStatus();
    /// Where requests that report to the status bar write their result lines.
    QWidget *statusTarget() const;
    void setStatus(const QString &text);
    /// "Set OK!" / "Set Error!".
    void reportSet(bool ok);

    template <std::size_t N>
    bool runChecks(const FieldCheck (&checks)[N], const char *caption)
    {
        return runFieldChecks(this, checks, N, caption);
    }

private:
    void centreOnOwner();

    PageContext m_context;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_panel = nullptr;
    QVBoxLayout *m_body; // before m_form, which builds into them
    QHBoxLayout *m_buttons;
    PageForm m_form;
    std::vector<std::unique_ptr<VtSNMPRequest2Edits>> m_requests;
    bool m_created = false;
};
