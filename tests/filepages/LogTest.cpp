// The log view against the simulated device, and how a log line becomes a row.
#include "CaseName.h"
#include "PageHarness.h"
#include "TLogForm.h"

#include <QDir>
#include <QPushButton>
#include <QTreeWidget>
#include <QUdpSocket>

using kvatest::PageHarness;

namespace {

struct LineCase
{
    const char *name;
    const char *line;
    LogRow row;
};

class LogLine : public testing::TestWithParam<LineCase>
{ };

TEST_P(LogLine, BecomesItsRow)
{
    const LogRow row = parseLogLine(QString::fromUtf8(GetParam().line));
    EXPECT_EQ(row.time, GetParam().row.time);
    EXPECT_EQ(row.type, GetParam().row.type);
    EXPECT_EQ(row.message, GetParam().row.message);
}

INSTANTIATE_TEST_SUITE_P(Shapes, LogLine,
    testing::Values(LineCase{"Usual", "12:00:01 | x[SYS]started", {"12:00:01", "SYS", "started"}},
        LineCase{"MessageKeepsItsBlanks", " 1 Jan |[WLAN] up ] again ",
            {"1 Jan", "WLAN", " up ] again "}},
        LineCase{"NoBar", "12:00 [SYS] started", {"", "", "12:00 [SYS] started"}},
        LineCase{"NoBrackets", "12:00 | started", {"", "", "12:00 | started"}},
        LineCase{"BracketBeforeBar", "x] 12:00 | [SYS", {"", "", "x] 12:00 | [SYS"}},
        LineCase{"Plain", "kernel panic", {"", "", "kernel panic"}}),
    kvatest::caseName);

QStringList rows(QTreeWidget *view)
{
    QStringList out;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = view->topLevelItem(i);
        out += item->text(0) + QLatin1Char('/') + item->text(1) + QLatin1Char('/') + item->text(2);
    }
    return out;
}

TEST(LogView, ShowsTheDevicesLogAndClearEmptiesIt)
{
    PageHarness<TLogForm> h(kvatest::filePage());
    h.open();
    const QStringList shown = rows(h.page->ViewListView);
    const auto devlog = h.device.command(QStringLiteral("devlog"));
    ASSERT_TRUE(devlog.ok);
    ASSERT_FALSE(devlog.lines.isEmpty());
    // the device notes the transfer itself after sending the log
    ASSERT_LE(shown.size(), devlog.lines.size());
    ASSERT_FALSE(shown.isEmpty());
    for (int i = 0; i < shown.size(); ++i) {
        const LogRow r = parseLogLine(devlog.lines[i]);
        EXPECT_EQ(shown[i], r.time + QLatin1Char('/') + r.type + QLatin1Char('/') + r.message);
    }
    EXPECT_TRUE(shown.first().contains(QStringLiteral("/SYS/System started")))
        << shown.first().toStdString();
    EXPECT_EQ(h.page->statusText(), QStringLiteral("Get OK."));
    EXPECT_TRUE(h.page->GetBtn->isEnabled());

    h.click("Clear_Btn");
    EXPECT_EQ(h.page->ViewListView->topLevelItemCount(), 0);
    EXPECT_EQ(h.device.command(QStringLiteral("devlog")).lines.size(), 0);
}

TEST(LogView, ARefusedFetchNeverShowsAnEarlierCopyAndThePageStaysUsable)
{
    PageHarness<TLogForm> h(kvatest::filePage());
    ASSERT_TRUE(QDir().mkpath(h.logDirectory()));
    QFile stale(QDir(h.logDirectory()).filePath(QStringLiteral("LogFile.RD")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("01:00 | 0[OLD]stale line\n");
    stale.close();
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror systemLogGetLog genErr")));
    h.open();
    EXPECT_FALSE(
        rows(h.page->ViewListView).join(QLatin1Char(' ')).contains(QStringLiteral("stale")));
    EXPECT_NE(h.page->statusText(), QStringLiteral("Get OK."));
    EXPECT_TRUE(h.page->closeAllowed());
    EXPECT_TRUE(h.page->GetBtn->isEnabled());
    EXPECT_TRUE(h.page->Clear_Btn->isEnabled());

    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));
    h.click("GetBtn"); // the next fetch goes through
    EXPECT_EQ(h.page->statusText(), QStringLiteral("Get OK."));
    EXPECT_GT(h.page->ViewListView->topLevelItemCount(), 0);
    EXPECT_TRUE(h.page->close());
}

TEST(LogView, NoLocalAddressOnTheDevicesNetworkLeavesThePageClosable)
{
    PageHarness<TLogForm> h(kvatest::filePage());
    h.state.setSysIpAddress(QStringLiteral("198.51.100.10"));
    h.state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("198.51.100.1"));
    h.open();
    EXPECT_EQ(h.page->statusText(), QStringLiteral("Get PC's IP Address fail!"));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
    EXPECT_TRUE(h.page->close());
}

TEST(LogView, APortInUseGivesTheInitErrorAndThePageCloses)
{
    PageHarness<TLogForm> h(kvatest::filePage());
    QUdpSocket taken; // the port the page is told to listen on is someone else's
    ASSERT_TRUE(taken.bind(QHostAddress::AnyIPv4, 0));
    qputenv("KVA7310_TFTP_PORT", QByteArray::number(taken.localPort()));
    h.open();
    ASSERT_FALSE(h.ui.messages.isEmpty());
    EXPECT_TRUE(h.ui.messages.first().text.startsWith(QStringLiteral("TFTP Service Init Error:")));
    EXPECT_FALSE(h.page->GetBtn->isEnabled());
    EXPECT_TRUE(h.page->close());
}

} // namespace
