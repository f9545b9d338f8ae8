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

    /// Makes `text` the message without painting it; true when it changed. The caller paints
    /// the bar (with whatever else changed) before returning to the event loop.
    bool setMessage(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
};
