// A VtUi for tests: records every message box, answers from a script, counts beeps and hands out
// the file names the test chose. Nothing in it ever blocks.
#pragma once

#include "VtUi.h"

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

namespace kvatest {

class RecordingUi : public VtUi
{
public:
    struct Message
    {
        QString caption;
        QString text;
        bool withCancel = false;
    };

    /// Installs itself as the current VtUi; the destructor puts the previous one back.
    RecordingUi();
    ~RecordingUi() override;
    RecordingUi(const RecordingUi &) = delete;
    RecordingUi &operator=(const RecordingUi &) = delete;

    void messageOk(QWidget *owner, const QString &caption, const QString &text) override;
    bool messageOkCancel(QWidget *owner, const QString &caption, const QString &text) override;
    void beep() override;
    QString openFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) override;
    void processEvents() override;

    /// Answers for the next OK/Cancel boxes, in order (true = OK); OK once the script runs out.
    QList<bool> answers;
    /// File names for the next open/save dialogs, in order; "" (cancelled) once it runs out.
    QStringList fileNames;
    /// Runs inside every message box, as a modal box would let other events run meanwhile.
    std::function<void(const Message &)> onMessage;
    /// Runs inside every processEvents() call, after the pending events.
    std::function<void()> onProcessEvents;

    QList<Message> messages;
    int beeps = 0;
    int processEventsCalls = 0;

    Message lastMessage() const { return messages.isEmpty() ? Message{} : messages.last(); }

    void clear();

private:
    VtUi *m_previous;
};

} // namespace kvatest
