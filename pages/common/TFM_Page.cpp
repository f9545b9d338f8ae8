// The shared page frame.
#include "TFM_Page.h"

#include "VtSNMPError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPair>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
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
      m_form(this, m_body, m_buttons)
{
    setWindowTitle(caption);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    outerLayout(this)->addWidget(m_statusBar);
}

// The requests go first: their bindings hold the page's controls.
TFM_Page::~TFM_Page()
{
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
    if (!m_created) {
        m_created = true;
        centreOnOwner();
        FormCreate();
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

VtSNMPRequest2Edits *TFM_Page::makeRequest(
    const UISnmpVar *table, unsigned char itemType, int timeout, bool async)
{
    auto request = std::make_unique<VtSNMPRequest2Edits>(this);
    request->Async = async;
    request->Request.Vars = VtSNMPVarList(table, itemType);
    request->Request.Timeout = m_context.settings.scaledTimeout(timeout);
    m_requests.push_back(std::move(request));
    return m_requests.back().get();
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
        setStatus(e.Message());
        return false;
    }
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

void TFM_Page::reportSet(bool ok)
{
    setStatus(ok ? QStringLiteral("Set OK!") : QStringLiteral("Set Error!"));
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
