// Pages under test: a simulated device on a free port seeded with the test's values, the agent
// description pointing at it, the recording operator seam, a device state as the main window keeps
// it, short time-outs, and helpers to open the page, act on its controls as the operator does and
// read them by their names. File pages get the simulator's TFTP client aimed at a free port where
// the page's own server listens, and a directory for files (PageOptions::files).
//
//     PageHarness<TFM_Information> h({{"sysName", "ap-rack4"}});     // seeds, then opens
//     h.type("Ed_SN", "ap-rack5");                                   // textEdited, as typed
//     h.click("Bt_Save");                                            // waits until idle
//     EXPECT_EQ(h.device.get("sysName"), "ap-rack5");
//
//     PageHarness<TFM_Firmware> f(kvatest::filePage());              // opened by f.open()
#pragma once

#include "DeviceState.h"
#include "ErrorMapping.h"
#include "PageContext.h"
#include "PageState.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "ReportListView.h"
#include "SimulatorProcess.h"
#include "SnmpInit.h"
#include "TFM_Page.h"
#include "VtRadioGroup.h"
#include "VtSNMPDevice.h"
#include "WaitUntil.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kvatest {

struct PageOptions
{
    /// Applied to every page time-out: 0.01 turns the pages' 10 s into 0.1 s.
    double timeoutScale = 0.01;
    /// The wait after refreshing WLAN counters.
    int wlanStatisticsWaitMs = 0;
    /// A file page: the simulator's TFTP client aimed at the port the page's server listens on,
    /// waiting-dialog steps of 1 ms, the TFTP service every 5 ms, the log directory in the test's.
    bool files = false;
    /// Open the page at once; false: the test calls open() (after seeding by hand, say).
    bool openNow = true;
};

/// The options of a file page: opened by open(), time-outs scaled to 0.02.
inline PageOptions filePage()
{
    PageOptions o;
    o.timeoutScale = 0.02;
    o.files = true;
    o.openNow = false;
    return o;
}

/// The message of a request the device never answered, as pages show it.
/// `prepare`, then the fault switched on ("wrongtype dot11VlanId", "seterror ... genErr").
inline std::function<void(SimulatorProcess &)> faulty(
    std::function<void(SimulatorProcess &)> prepare, const char *fault)
{
    return [prepare = std::move(prepare), fault](SimulatorProcess &d) {
        prepare(d);
        EXPECT_TRUE(d.fault(QLatin1String(fault))) << fault;
    };
}

/// Every cell of row `r` of a list view, left to right.
inline QStringList rowCells(const ReportListView *list, int r)
{
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column) {
        cells.append(list->cell(r, column));
    }
    return cells;
}

inline QString timeoutText()
{
    return ErrorFromStatus(snmpstatus::kTimeout).Message;
}

inline QString crcText(const QByteArray &data)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (char ch : data) {
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFFU] ^ (crc >> 8);
    }
    return QStringLiteral("%1").arg(crc ^ 0xFFFFFFFFU, 8, 16, QLatin1Char('0')).toUpper();
}

/// For a file page: KVA7310_TFTP_PORT 0 for the test's lifetime, so the page's server binds a free
/// port, which the harness then tells the device.
class TftpPortEnv
{
public:
    explicit TftpPortEnv(bool on) : m_on(on)
    {
        if (m_on) {
            qputenv("KVA7310_TFTP_PORT", "0");
        }
    }

    ~TftpPortEnv()
    {
        if (m_on) {
            qunsetenv("KVA7310_TFTP_PORT");
        }
    }

    TftpPortEnv(const TftpPortEnv &) = delete;
    TftpPortEnv &operator=(const TftpPortEnv &) = delete;

private:
    bool m_on;
};

template <class Page>
class PageHarness
{
public:
    using Seeds = std::initializer_list<std::pair<const char *, const char *>>;

    /// Starts the device, seeds it, switches the faults on ("silent 60", "wrongtype ifMacAddress")
    /// and opens the page (unless the options say otherwise).
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

    explicit PageHarness(PageOptions options) : PageHarness([](SimulatorProcess &) {}, options) { }

    /// The same with the device prepared by `prepare` before the page opens.
    PageHarness(const std::function<void(SimulatorProcess &)> &prepare, PageOptions options)
        : env(options.files)
    {
        if (!device.isRunning()) {
            ADD_FAILURE() << device.errorText().toStdString();
            return;
        }
        prepare(device);
        SnmpInit(m_state.path());
        if (options.files) {
            qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit()); // the log directory
        }
        SnmpDevice().Host = QStringLiteral("127.0.0.1");
        SnmpDevice().Port = device.port();
        context.settings.timeoutScale = options.timeoutScale;
        context.settings.wlanStatisticsWaitMs = options.wlanStatisticsWaitMs;
        context.settings.waitingTickMs = 1;
        context.settings.tftpServiceMs = 5;
        context.device = &state;
        context.pages = &pages;
        // as the main window's polls keep it: the device on this computer's loopback network,
        // reachable, its lights steady
        state.setSysIpAddress(QStringLiteral("127.0.0.1"));
        state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("127.0.0.1"));
        state.markReachable();
        state.setWlanBlinking(false, false);
        if (options.openNow) {
            open();
        }
    }

    ~PageHarness() { close(); }

    /// Builds and shows the page (its creation handler runs) and waits until it is idle.
    void open()
    {
        device.clearLog();
        page = std::make_unique<Page>(nullptr, context);
        page->showPage();
        // the page's server listens on a port of its own choosing: the device is told it before
        // the page's first transfer command leaves the event loop
        if constexpr (requires { page->flow().server(); }) {
            if (const auto *server = page->flow().server()) {
                EXPECT_TRUE(device.setTftpPort(static_cast<quint16>(server->port())));
            }
        }
        waitIdle();
    }

    /// Closes and destroys the page, as the menu does when the operator closes it.
    void close()
    {
        if (page) {
            page->close();
            page.reset();
        }
    }

    /// Idle: no request outstanding, no progress notice, the page enabled.
    bool waitIdle(int deadlineMs = 20000)
    {
        return waitUntil(
            [&] {
                return !page
                    || (page->requestsIdle() && !page->progressShown() && page->isEnabled());
            },
            deadlineMs);
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

    ReportListView *list(const char *name) const { return find<ReportListView>(name); }

    /// The text an edit or a label shows; a combo box's or radio group's chosen item; the
    /// message a status bar shows.
    QString text(const char *name) const
    {
        QWidget *w = find<QWidget>(name);
        if (auto *s = qobject_cast<QStatusBar *>(w)) {
            return s->currentMessage();
        }
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            return e->text();
        }
        if (auto *l = qobject_cast<QLabel *>(w)) {
            return l->text();
        }
        if (auto *c = qobject_cast<QComboBox *>(w)) {
            return c->currentText();
        }
        if (auto *g = qobject_cast<VtRadioGroup *>(w)) {
            return g->itemText(g->itemIndex());
        }
        return QStringLiteral("<not a text control>");
    }

    /// Picks the item `item` of a combo box or radio group as the operator does (activated,
    /// itemClicked), then waits until the page is idle. Fails the test when there is no such item
    /// or the control is disabled.
    void choose(const char *name, const char *item)
    {
        QWidget *w = find<QWidget>(name);
        const QString wanted = QString::fromUtf8(item);
        if (auto *c = qobject_cast<QComboBox *>(w)) {
            const int i = c->findText(wanted, Qt::MatchExactly);
            ASSERT_GE(i, 0) << name << " has no item " << item;
            ASSERT_TRUE(c->isEnabled()) << name << " is disabled";
            c->setCurrentIndex(i);
            emit c->activated(i);
        } else if (auto *g = qobject_cast<VtRadioGroup *>(w)) {
            const int i = static_cast<int>(g->items().indexOf(wanted));
            ASSERT_GE(i, 0) << name << " has no item " << item;
            ASSERT_TRUE(g->isEnabled()) << name << " is disabled";
            g->button(i)->click();
        } else {
            ADD_FAILURE() << name << " is neither a combo box nor a radio group";
        }
        waitIdle();
    }

    /// Replaces an edit's text by typing (every keystroke emits textEdited and meets the edit's
    /// limits and constraints; letters beyond ASCII too), then waits until the page is idle.
    void type(const char *name, const char *text)
    {
        QLineEdit *e = edit(name);
        if (e == nullptr) {
            return;
        }
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        for (const QChar c : QString::fromUtf8(text)) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(e, c.toLatin1());
            } else {
                // a key the keyboard map of QTest does not know: the character alone
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
        waitIdle();
    }

    /// Turns to tab `index` of a tab widget as the operator does, then waits until idle.
    void chooseTab(const char *name, int index)
    {
        auto *tabs = find<QTabWidget>(name);
        if (tabs == nullptr) {
            return;
        }
        ASSERT_LT(index, tabs->count()) << name << " has no tab " << index;
        tabs->tabBar()->setCurrentIndex(index);
        waitIdle();
    }

    /// Clicks a check box (or any button) as the operator does, then waits until idle.
    void check(const char *name) { click(name); }

    /// Presses a button and waits until the page's requests are idle again.
    void click(const char *name)
    {
        if (auto *b = find<QAbstractButton>(name)) {
            EXPECT_TRUE(b->isEnabled()) << name << " is disabled";
            b->click();
        }
        waitIdle();
    }

    /// Clicks row `row` of a list view (-1: the empty space below the rows), as the mouse does
    /// where the list is shown, then waits until idle.
    void clickRow(const char *name, int row)
    {
        ReportListView *l = list(name);
        if (l == nullptr) {
            return;
        }
        QTreeWidgetItem *item = row >= 0 ? l->topLevelItem(row) : nullptr;
        if (row >= 0) {
            ASSERT_NE(item, nullptr) << name << " has no row " << row;
        }
        if (l->isVisible()) {
            QPoint at;
            if (item != nullptr) {
                // inside the first column and the viewport: a wide row's middle may lie beyond
                // what the list shows
                const QRect r = l->visualItemRect(item);
                const int x = r.left() + l->columnWidth(0) / 2;
                at = QPoint(qMin(x, l->viewport()->width() - 2), r.center().y());
            } else {
                at = QPoint(4, l->viewport()->height() - 2); // below the rows
            }
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        } else {
            l->operatorClick(row);
        }
        waitIdle();
    }

    QString statusText() const { return page->statusText(); }

    /// Whether a message box with this text was shown.
    bool sawMessage(const QString &text) const
    {
        for (const auto &m : ui.messages) {
            if (m.text == text) {
                return true;
            }
        }
        return false;
    }

    /// Writes a file into the test's directory and returns its path.
    QString file(const QString &name, const QByteArray &content)
    {
        QString path = files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }

    /// The module's log directory under the test's state directory.
    QString logDirectory() const { return m_state.filePath(QStringLiteral("KVA-7310")); }

    TftpPortEnv env;
    RecordingUi ui;
    SimulatorProcess device;
    DeviceState state;
    PageState pages;
    PageContext context;
    QTemporaryDir files;
    std::unique_ptr<Page> page;

private:
    QTemporaryDir m_state;
};

} // namespace kvatest
