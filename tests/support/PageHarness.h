// Pages under test: a simulated device on a free port seeded with the test's values, the agent
// description pointing at it, the recording operator seam, short time-outs, and helpers to open
// the page, press its buttons and read its controls by their names.
#pragma once

#include "PageContext.h"
#include "RecordingUi.h"
#include "SimulatorProcess.h"
#include "SnmpInit.h"
#include "TFM_Page.h"
#include "VtSNMPDevice.h"
#include "WaitUntil.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvatest {

struct PageOptions
{
    /// Applied to every page time-out: 0.01 turns the pages' 10 s into 0.1 s.
    double timeoutScale = 0.01;
    /// The wait after refreshing WLAN counters.
    int wlanStatisticsWaitMs = 0;
};

template <class Page>
class PageHarness
{
public:
    using Seeds = std::initializer_list<std::pair<const char *, const char *>>;

    /// Starts the device, seeds it, switches the faults on ("silent 60", "wrongtype ifMacAddress")
    /// and opens the page.
    explicit PageHarness(
        Seeds seeds = {}, std::initializer_list<const char *> faults = {}, PageOptions options = {})
        : PageHarness(
            [&](SimulatorProcess &d) {
                for (const auto &[name, value] : seeds) {
                    EXPECT_TRUE(d.set(QLatin1String(name), QString::fromUtf8(value))) << name;
                }
                for (const char *f : faults) {
                    EXPECT_TRUE(d.fault(QLatin1String(f))) << f;
                }
            },
            options)
    { }

    /// The same with the device prepared by `prepare` before the page opens.
    PageHarness(const std::function<void(SimulatorProcess &)> &prepare, PageOptions options)
    {
        if (!device.isRunning()) {
            ADD_FAILURE() << device.errorText().toStdString();
            return;
        }
        prepare(device);
        device.clearLog();
        SnmpInit(m_state.path());
        SnmpDevice().Host = QStringLiteral("127.0.0.1");
        SnmpDevice().Port = device.port();
        context.settings.timeoutScale = options.timeoutScale;
        context.settings.wlanStatisticsWaitMs = options.wlanStatisticsWaitMs;
        page = std::make_unique<Page>(nullptr, context);
        page->showPage();
        waitIdle();
    }

    ~PageHarness() { close(); }

    /// Closes and destroys the page, as the menu does when the operator closes it.
    void close()
    {
        if (page) {
            page->close();
            page.reset();
        }
    }

    bool waitIdle(int deadlineMs = 20000)
    {
        return waitUntil([&] { return !page || page->requestsIdle(); }, deadlineMs);
    }

    /// Pumps events until `condition` holds; false when the deadline passed first.
    bool waitFor(const std::function<bool()> &condition, int deadlineMs = 20000)
    {
        return waitUntil(condition, deadlineMs);
    }

    template <class W>
    W *find(const char *name) const
    {
        W *w = page->template findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no control " << name;
        return w;
    }

    QLineEdit *edit(const char *name) const { return find<QLineEdit>(name); }

    QComboBox *combo(const char *name) const { return find<QComboBox>(name); }

    /// The text an edit or a label shows.
    QString text(const char *name) const
    {
        QWidget *w = find<QWidget>(name);
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            return e->text();
        }
        if (auto *l = qobject_cast<QLabel *>(w)) {
            return l->text();
        }
        return QStringLiteral("<not a text control>");
    }

    /// Presses a button and waits until the page's requests are idle again.
    void click(const char *name)
    {
        if (auto *b = find<QAbstractButton>(name)) {
            b->click();
        }
        waitIdle();
    }

    QString statusText() const { return page->statusText(); }

    RecordingUi ui;
    SimulatorProcess device;
    PageContext context;
    std::unique_ptr<Page> page;

private:
    QTemporaryDir m_state;
};

} // namespace kvatest
