// The program around the main window: settings from the environment, the non-interactive message
// seam, the headless screenshot run and the event loop.
#include "ModuleRun.h"

#include "AdminPages.h"
#include "DeviceState.h"
#include "ModuleTrace.h"
#include "PageRegistry.h"
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

    int messages = 0;

private:
    void print(const QString &caption, const QString &text)
    {
        ++messages;
        std::fprintf(stderr, "kva7310-module message [%s] %s\n", qPrintable(caption),
            qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
        std::fflush(stderr);
    }
};

StreamUi *g_streamUi = nullptr;

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
    const int before = g_streamUi ? g_streamUi->messages : 0;
    if (!pageClass.isEmpty()) {
        page = form.createPage(pageClass);
        if (!page) {
            std::fprintf(stderr, "kva7310-module: no page of class %s\n", qPrintable(pageClass));
            return 2;
        }
        page->show();
        target = page;
        // Its reads run in its creation handler; let the asynchronous ones land too.
        QDeadlineTimer settle(1000);
        pumpUntil([&settle] { return settle.hasExpired(); }, 1000);
        if (!page || (g_streamUi && g_streamUi->messages > before)) {
            std::fprintf(
                stderr, "kva7310-module: the page %s reported an error\n", qPrintable(pageClass));
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
        g_streamUi = &streamUi;
        VtUi::setCurrent(&streamUi);
    }
    const auto restore = [] {
        VtUi::setCurrent(nullptr);
        g_streamUi = nullptr;
    };
    int rc = 0;
    try {
        TMainForm form(moduleSettingsFromEnvironment());
        registerAdminPages(PageRegistry::instance());
        registerPagesWith(form);
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
