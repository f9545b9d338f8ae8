// A VtUi for tests: records, answers from a script, never blocks.
#include "RecordingUi.h"

#include <QCoreApplication>

namespace kvatest {

RecordingUi::RecordingUi() : m_previous(&VtUi::current())
{
    VtUi::setCurrent(this);
}

RecordingUi::~RecordingUi()
{
    VtUi::setCurrent(m_previous);
}

void RecordingUi::messageOk(QWidget *, const QString &caption, const QString &text)
{
    messages.append({caption, text, false});
    if (onMessage) {
        onMessage(messages.last());
    }
}

bool RecordingUi::messageOkCancel(QWidget *, const QString &caption, const QString &text)
{
    messages.append({caption, text, true});
    if (onMessage) {
        onMessage(messages.last());
    }
    return answers.isEmpty() ? true : answers.takeFirst();
}

void RecordingUi::beep()
{
    ++beeps;
}

QString RecordingUi::openFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString RecordingUi::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

void RecordingUi::processEvents()
{
    ++processEventsCalls;
    QCoreApplication::processEvents();
    if (onProcessEvents) {
        onProcessEvents();
    }
}

void RecordingUi::clear()
{
    messages.clear();
    beeps = 0;
    processEventsCalls = 0;
}

} // namespace kvatest
