// The main window's status bar: its message changes after every poll (the time in it).
#pragma once

#include <QStatusBar>

/// A status bar whose message is painted at once when set, as one line of text with no layout
/// or shaping pass where the text needs none. Everything else is the plain status bar's.
class StatusLine : public QStatusBar
{
    Q_OBJECT

public:
    explicit StatusLine(QWidget *parent = nullptr);

    /// Shows `text` as the message and paints it before returning; a message shown with
    /// showMessage() is painted at the next pass of the event loop instead.
    void showNow(const QString &text);

    /// Makes `text` the message without painting it and returns the part of the bar to paint:
    /// none for the same text, and from the first changed character on when the text begins as
    /// the old one did (a poll's text differs only in its time).
    QRect setMessage(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// Whether the bar draws `message` itself rather than leaving it to the plain status bar.
    bool drawsItself(const QString &message) const;

    /// The plain status bar's message area: 6 pixels in from the left, 12 from the right.
    QRect messageArea() const { return {6, 0, width() - 18, height()}; }
};
