// The status line draws its message as the plain status bar does, a new message repaints only
// from its first change on, and a message shown with showNow() is painted before the call
// returns, leaving nothing to paint later.
#include "CaseName.h"
#include "StatusLine.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

struct MessageCase
{
    const char *name;
    QString text;
};

void PrintTo(const MessageCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusLineDraws : public testing::TestWithParam<MessageCase>
{ };

TEST_P(StatusLineDraws, AsThePlainStatusBarDoes)
{
    StatusLine line;
    QStatusBar plain;
    plain.setFont(line.font());
    plain.setSizeGripEnabled(false);
    line.setSizeGripEnabled(false);
    for (QStatusBar *bar : {static_cast<QStatusBar *>(&line), &plain}) {
        bar->resize(360, 22);
        bar->showMessage(GetParam().text);
    }
    const QImage drawn = line.grab().toImage();
    const QImage expected = plain.grab().toImage();
    ASSERT_EQ(drawn.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            differing += drawn.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Messages, StatusLineDraws,
    testing::Values(
        MessageCase{"PollLine", QStringLiteral("Get: Get OK!. Receive at 01:02:03 AM.")},
        MessageCase{"Newline", QStringLiteral("Request timed out\nNo answer")},
        MessageCase{"CarriageReturnAndTab", QStringLiteral("one\rtwo\tthree")},
        MessageCase{"LengthVariants", QStringLiteral("the long variant\x9cshort")},
        MessageCase{"LongerThanTheBar", QString(120, QLatin1Char('W'))},
        MessageCase{"RightToLeft", QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d 12")}),
    kvatest::caseName);

struct ChangeCase
{
    const char *name;
    QString before;
    QString after;
    bool partial; // only the end of the bar needs painting
};

void PrintTo(const ChangeCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusLineChange : public testing::TestWithParam<ChangeCase>
{ };

// Painting only the part setMessage() returns, over what the old text left, gives the same
// picture as painting the whole bar with the new text.
TEST_P(StatusLineChange, PaintsThePartThatChanged)
{
    const ChangeCase &c = GetParam();
    StatusLine line;
    line.setSizeGripEnabled(false);
    line.resize(360, 22);
    QImage image(line.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    line.showMessage(c.before);
    line.render(&image);
    const QRect changed = line.setMessage(c.after);
    EXPECT_EQ(changed.left() > 0, c.partial) << changed.left();
    EXPECT_EQ(changed.right(), line.rect().right());
    line.render(&image, changed.topLeft(), QRegion(changed));
    QImage whole(line.size(), QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::white);
    line.render(&whole);
    EXPECT_EQ(image, whole);
    EXPECT_TRUE(line.setMessage(c.after).isEmpty()) << "the same text again";
}

INSTANTIATE_TEST_SUITE_P(Changes, StatusLineChange,
    testing::Values(ChangeCase{"Seconds", QStringLiteral("Get: Get OK!. Receive at 01:02:03 AM."),
                        QStringLiteral("Get: Get OK!. Receive at 01:02:05 AM."), true},
        ChangeCase{"Minutes", QStringLiteral("Get: Get OK!. Receive at 01:02:59 AM."),
            QStringLiteral("Get: Get OK!. Receive at 01:03:01 AM."), true},
        ChangeCase{"Shorter", QStringLiteral("Get: Get OK!. Receive at 11:59:59 AM."),
            QStringLiteral("Get: Get OK!"), true},
        ChangeCase{"Longer", QStringLiteral("Get: Get OK!"),
            QStringLiteral("Get: Get OK!. Receive at 12:00:01 PM."), true},
        ChangeCase{"Other", QStringLiteral("Get: Get OK!. Receive at 12:00:01 PM."),
            QStringLiteral("Request timed out"), false},
        ChangeCase{"CombiningMark", QStringLiteral("Receive at 01:02:03 e"),
            QString::fromUtf8("Receive at 01:02:03 e\xcc\x81"), false},
        ChangeCase{"FromRightToLeft", QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d 12"),
            QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d 13"), false}),
    kvatest::caseName);

class PaintCounter : public QObject
{
public:
    int paints = 0;
    int updateRequests = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        updateRequests += event->type() == QEvent::UpdateRequest ? 1 : 0;
        return false;
    }
};

TEST(StatusLine, ShowNowPaintsBeforeReturningAndLeavesNothingForLater)
{
    QMainWindow window;
    auto *line = new StatusLine(&window);
    window.setStatusBar(line);
    window.resize(400, 200);
    window.show();
    ASSERT_TRUE(kvatest::waitUntil([&] { return window.windowHandle()->isExposed(); }));
    QCoreApplication::processEvents();

    PaintCounter lineEvents;
    PaintCounter windowEvents;
    line->installEventFilter(&lineEvents);
    window.installEventFilter(&windowEvents);
    line->showNow(QStringLiteral("Get: Get OK!. Receive at 01:02:03 AM."));
    EXPECT_EQ(line->currentMessage(), QStringLiteral("Get: Get OK!. Receive at 01:02:03 AM."));
    EXPECT_EQ(lineEvents.paints, 1) << "not painted before returning";
    const int requests = windowEvents.updateRequests;
    QCoreApplication::processEvents();
    EXPECT_EQ(lineEvents.paints, 1) << "painted again later";
    EXPECT_EQ(windowEvents.updateRequests, requests) << "a paint was left for the event loop";

    // the same text again paints nothing
    line->showNow(line->currentMessage());
    QCoreApplication::processEvents();
    EXPECT_EQ(lineEvents.paints, 1);
}

} // namespace
