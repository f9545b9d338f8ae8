// The status line paints a one-line message itself: the plain status bar lays the message out
// as a paragraph every time it is drawn, which after every poll is most of an idle module's
// drawing.
#include "StatusLine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOption>

StatusLine::StatusLine(QWidget *parent) : QStatusBar(parent)
{
    // Plain text is drawn without a shaping pass; text that needs one (joined scripts) still
    // gets it.
    QFont plain = font();
    plain.setStyleStrategy(QFont::PreferNoShaping);
    setFont(plain);
}

void StatusLine::showNow(const QString &text)
{
    if (setMessage(text)) {
        repaint();
    }
}

bool StatusLine::setMessage(const QString &text)
{
    if (text == currentMessage()) {
        return false;
    }
    // showMessage() would schedule a paint, and with it another pass of the event loop
    setAttribute(Qt::WA_UpdatesDisabled, true);
    showMessage(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    return true;
}

void StatusLine::paintEvent(QPaintEvent *event)
{
    const QString message = currentMessage();
    // The plain status bar draws widgets in the bar, right-to-left text or layout, and texts
    // with length variants (it picks the one that fits).
    if (message.isEmpty() || isRightToLeft() || message.isRightToLeft()
        || message.contains(QChar(0x9c))
        || findChild<QWidget *>(QString(), Qt::FindDirectChildrenOnly) != nullptr) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &p, this);
    // the plain status bar's message area: 6 pixels in from the left, 12 from the right
    const QRect area(6, 0, width() - 18, height());
    p.setClipRect(area);
    p.setPen(palette().windowText().color());
    QString line = message;
    for (QChar &c : line) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator || c == QLatin1Char('\t')) {
            c = QLatin1Char(' ');
        }
    }
    const QFontMetricsF metrics(font());
    const qreal baseline = area.top() + (area.height() - (metrics.ascent() + metrics.descent())) / 2
        + metrics.ascent();
    p.drawText(QPointF(area.left(), baseline), line);
}
