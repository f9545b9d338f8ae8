// The status line paints a one-line message itself: the plain status bar lays the message out
// as a paragraph every time it is drawn, which after every poll is most of an idle module's
// drawing.
#include "StatusLine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOption>

namespace {

/// Whether every character of `text` is drawn as a glyph of its own, placed after the one
/// before whatever follows: Latin text up to the combining marks, and the CJK ranges. Other
/// scripts may join or reorder characters across a change.
bool placedGlyphByGlyph(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool alone = u < 0x0300 || (u >= 0x3000 && u <= 0x9FFF)
            || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xFF00 && u <= 0xFFEF);
        if (!alone) {
            return false;
        }
    }
    return true;
}

} // namespace

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
    const QRect changed = setMessage(text);
    if (!changed.isEmpty()) {
        repaint(changed);
    }
}

QRect StatusLine::setMessage(const QString &text)
{
    const QString before = currentMessage();
    if (text == before) {
        return {};
    }
    // showMessage() would schedule a paint of the whole message area, and with it another pass
    // of the event loop. Updates are held off for this call alone, on this bar alone (the
    // switch of setUpdatesEnabled() would schedule that paint itself); the caller paints the
    // part returned.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    showMessage(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    if (!drawsItself(before) || !drawsItself(text) || !placedGlyphByGlyph(before)
        || !placedGlyphByGlyph(text)) {
        return rect();
    }
    qsizetype same = 0;
    while (same < before.size() && same < text.size() && before[same] == text[same]) {
        ++same;
    }
    if (same == 0) {
        return rect();
    }
    // What precedes the first change keeps its place; two pixels more cover a glyph reaching
    // back over its left edge.
    const QRect area = messageArea();
    const int from =
        qMax(0, area.left() + int(QFontMetricsF(font()).horizontalAdvance(text.left(same))) - 2);
    return QRect(from, 0, width() - from, height());
}

bool StatusLine::drawsItself(const QString &message) const
{
    // The plain status bar draws widgets in the bar, right-to-left text or layout, and texts
    // with length variants (it picks the one that fits).
    return !message.isEmpty() && !isRightToLeft() && !message.isRightToLeft()
        && !message.contains(QChar(0x9c))
        && findChild<QWidget *>(QString(), Qt::FindDirectChildrenOnly) == nullptr;
}

void StatusLine::paintEvent(QPaintEvent *event)
{
    const QString message = currentMessage();
    if (!drawsItself(message)) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &p, this);
    const QRect area = messageArea();
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
