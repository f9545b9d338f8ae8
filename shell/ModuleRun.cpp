// The program around the main window: settings from the environment, the non-interactive message
// seam, the headless screenshot run and the event loop.
#include "ModuleRun.h"

#include "DeferredIconStyle.h"
#include "DeviceState.h"
#include "ModulePages.h"
#include "ModuleTrace.h"
#include "PageRegistry.h"
#include "TFM_Page.h"
#include "TMainForm.h"
#include "VtSNMPError.h"
#include "VtUi.h"

#include <cstdio>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPixmap>
#include <QPointer>

namespace {

/// Message boxes as lines on standard error, answered with OK; for runs nobody watches.
class StreamUi : public VtQtUi
{
public:
    void messageOk(QWidget *, const QString &caption, const QString &text) override
    {
        print(caption, text);
    }

    bool messageOkCancel(QWidget *, const QString &caption, const QString &text) override
    {
        print(caption, text);
        return true;
    }

private:
    void print(const QString &caption, const QString &text)
    {
        std::fprintf(stderr, "kva7310-module message [%s] %s\n", qPrintable(caption),
            qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
        std::fflush(stderr);
    }
};

/// While a page settles: passes every call on to the interface it replaced and counts the message
/// boxes that belong to the page (owned by it, by one of its widgets, or by nobody). Polls of the
/// main window that fail meanwhile are the window's business, not the page's.
class PageMessages : public VtUi
{
public:
    explicit PageMessages(QWidget *page) : m_page(page), m_next(VtUi::current())
    {
        VtUi::setCurrent(this);
    }

    ~PageMessages() override { VtUi::setCurrent(&m_next); }

    PageMessages(const PageMessages &) = delete;
    PageMessages &operator=(const PageMessages &) = delete;

    int count() const { return m_count; }

    void messageOk(QWidget *owner, const QString &caption, const QString &text) override
    {
        note(owner);
        m_next.messageOk(owner, caption, text);
    }

    bool messageOkCancel(QWidget *owner, const QString &caption, const QString &text) override
    {
        note(owner);
        return m_next.messageOkCancel(owner, caption, text);
    }

    void beep() override { m_next.beep(); }

    QString openFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) override
    {
        return m_next.openFileName(owner, caption, directory, filter);
    }

    QString saveFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) override
    {
        return m_next.saveFileName(owner, caption, directory, filter);
    }

    void processEvents() override { m_next.processEvents(); }

private:
    void note(QWidget *owner)
    {
        if (owner == nullptr || m_page.isNull() || owner == m_page || m_page->isAncestorOf(owner)) {
            ++m_count;
        }
    }

    QPointer<QWidget> m_page;
    VtUi &m_next;
    int m_count = 0;
};

void environmentInt(const char *name, int &target)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    if (ok && value > 0) {
        target = value;
    }
}

bool deviceShown(const DeviceState &state)
{
    using L = DeviceState::Light;
    return state.reachable() && state.look(L::Power).colour == DeviceState::Colour::Green
        && state.look(L::ApStatus).colour == DeviceState::Colour::Green
        && state.look(L::Wlan24G).visible && state.look(L::Wlan5G).visible
        && state.look(L::Wlan24G).colour == DeviceState::Colour::Green;
}

void pumpUntil(const std::function<bool()> &done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
}

} // namespace

ModuleSettings moduleSettingsFromEnvironment()
{
    ModuleSettings settings;
    bool ok = false;
    const double scale = qEnvironmentVariable("KVA7310_TIMEOUT_SCALE").toDouble(&ok);
    if (ok && scale > 0) {
        settings.timeoutScale = scale;
    }
    environmentInt("KVA7310_POLL_MS", settings.pollMs);
    environmentInt("KVA7310_BLINK_MS", settings.blinkMs);
    environmentInt("KVA7310_ADDRESS_POLL_MS", settings.addressPollMs);
    environmentInt("KVA7310_WAITING_TICK_MS", settings.waitingTickMs);
    return settings;
}

int takeScreenshot(TMainForm &form, const QString &file, const QString &pageClass, int waitMs)
{
    pumpUntil([&form] { return deviceShown(form.state()); }, waitMs);
    if (!deviceShown(form.state())) {
        std::fprintf(stderr,
            "kva7310-module: the device did not become reachable within %d s; no screenshot\n",
            waitMs / 1000);
        return 2;
    }
    QWidget *target = &form;
    QPointer<QDialog> page;
    if (!pageClass.isEmpty()) {
        page = form.createPage(pageClass);
        if (!page) {
            std::fprintf(stderr, "kva7310-module: no page of class %s\n", qPrintable(pageClass));
            return 2;
        }
        const PageMessages messages(page);
        page->show(); // its reads start in its creation handler
        target = page;
        // Wait until every read the page started, asynchronous ones included, has ended.
        const auto settled = [&page] {
            const auto *frame = qobject_cast<const TFM_Page *>(page.data());
            return !page || frame == nullptr || frame->requestsIdle();
        };
        pumpUntil(settled, waitMs);
        if (!settled()) {
            std::fprintf(stderr, "kva7310-module: the page %s did not finish reading within %d s\n",
                qPrintable(pageClass), waitMs / 1000);
            delete page;
            return 3;
        }
        QCoreApplication::processEvents(); // what the last completion queued (repaints)
        if (!page || messages.count() > 0) {
            std::fprintf(
                stderr, "kva7310-module: the page %s reported an error\n", qPrintable(pageClass));
            delete page;
            return 3;
        }
    } else {
        // Let the window settle on a frame where the WLAN lights are lit.
        pumpUntil([&form] { return deviceShown(form.state()); }, waitMs);
    }
    const QPixmap picture = target->grab();
    if (!picture.save(file, "PNG")) {
        std::fprintf(stderr, "kva7310-module: cannot write %s\n", qPrintable(file));
        return 2;
    }
    delete page;
    return 0;
}

int runModule(const QStringList &arguments)
{
    const QString screenshot = qEnvironmentVariable("KVA7310_SCREENSHOT");
    StreamUi streamUi;
    if (!screenshot.isEmpty() || !qEnvironmentVariableIsEmpty("KVA7310_NONINTERACTIVE")) {
        VtUi::setCurrent(&streamUi);
    }
    const auto restore = [] { VtUi::setCurrent(nullptr); };
    // before the first widget: the menu bar's extension icons are read only if it is ever drawn
    QApplication::setStyle(new DeferredIconStyle);
    int rc = 0;
    try {
        TMainForm form(moduleSettingsFromEnvironment());
        moduleTrace("window");
        registerModulePages(PageRegistry::instance());
        registerPagesWith(form);
        moduleTrace("pages");
        rc = form.FormCreate(arguments);
        if (rc < 0) {
            form.show();
            moduleTrace("shown");
            if (!screenshot.isEmpty()) {
                rc = takeScreenshot(
                    form, screenshot, qEnvironmentVariable("KVA7310_SCREENSHOT_PAGE"), 20000);
            } else {
                rc = QApplication::exec();
            }
        }
    } catch (const VtException &e) {
        VtUi::current().messageOk(nullptr, QCoreApplication::applicationName(), e.Message());
        rc = 1;
    } catch (const std::exception &e) {
        VtUi::current().messageOk(
            nullptr, QCoreApplication::applicationName(), QString::fromLocal8Bit(e.what()));
        rc = 1;
    }
    restore();
    return rc;
}
