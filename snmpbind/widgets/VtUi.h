// The one seam through which the library talks to the operator outside the page: message boxes,
// the beep, file dialogs and the processing of pending events.
#pragma once

#include <QString>

class QWidget;

class VtUi
{
public:
    virtual ~VtUi() = default;

    /// A message box with an OK button, owned by `owner` (may be null).
    virtual void messageOk(QWidget *owner, const QString &caption, const QString &text) = 0;
    /// A message box with OK and Cancel; true when the operator chose OK.
    virtual bool messageOkCancel(QWidget *owner, const QString &caption, const QString &text) = 0;
    /// The 1000 Hz, 200 ms warning beep.
    virtual void beep() = 0;
    /// File dialogs; an empty result means the operator cancelled.
    virtual QString openFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) = 0;
    virtual QString saveFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) = 0;
    /// Lets queued GUI events (repaints, input, deferred deletes excepted) run.
    virtual void processEvents() = 0;

    /// The instance every library call uses; the Qt implementation unless one was installed.
    static VtUi &current();
    /// Installs `ui` as the current instance (not owned); null restores the Qt implementation.
    static void setCurrent(VtUi *ui);
};

/// The production implementation: real Qt dialogs and QApplication::beep.
class VtQtUi : public VtUi
{
public:
    void messageOk(QWidget *owner, const QString &caption, const QString &text) override;
    bool messageOkCancel(QWidget *owner, const QString &caption, const QString &text) override;
    void beep() override;
    QString openFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &caption, const QString &directory,
        const QString &filter) override;
    void processEvents() override;
};

/// The caption of the library's own message boxes: the file name of the running executable.
QString executableCaption();
