// The waiting dialog: a countdown while the device restarts, ended when the device answers
// again; also a plain progress notice that the operator cannot close.
#pragma once

#include <functional>

#include <QDialog>

class DeviceState;
class QLabel;
class QLineEdit;
class QTimer;
struct ModuleSettings;

class TFM_Waiting : public QDialog
{
    Q_OBJECT

public:
    /// The device's light and reachability come from `state`; the step period from `settings`.
    TFM_Waiting(QWidget *owner, const DeviceState &state, const ModuleSettings &settings);
    ~TFM_Waiting() override;

    QLabel *Label1;      ///< "Please wait for"
    QLabel *Label2;      ///< first line, set by the caller
    QLabel *Label3;      ///< second line, set by the caller
    QLabel *La_Time;     ///< the countdown, shown from the first step on
    QLabel *seconds;     ///< "seconds."
    QLineEdit *Ed_FwVer; ///< hidden: the firmware version read when the dialog opens
    QTimer *Timer1;

    int Countdown = 25;  ///< remaining steps; the caller sets it after creating the dialog
    bool Restart = true; ///< the dialog itself sends the restart command on the second step
    bool RestartPending = true;
    int Delay = 2;      ///< steps until the restart command goes out
    int StallCount = 0; ///< steps spent at the end of the countdown without the device

    /// Reads the firmware version into Ed_FwVer (a synchronous read); unset, nothing is read.
    std::function<void(TFM_Waiting &)> readFirmwareVersion;
    /// Writes the restart command; unset, none is sent.
    std::function<void()> sendRestart;

    /// Runs the creation read; callers call it once, after installing the device operations.
    void FormCreate();
    /// One countdown step.
    void Timer1Timer();
    /// Turns the dialog into a progress notice: no restart, the two lines, no countdown line, no
    /// timer. The caller shows it non-modally, disables its own page meanwhile, and closes it with
    /// finish() when its operation ends.
    void useAsProgressNotice(const QString &firstLine, const QString &secondLine);
    /// Closes the dialog whatever the countdown says (the progress notice's end).
    void finish();

    /// The close rule: from the third stalled step on the countdown is dropped to 0; the dialog
    /// closes only once the countdown is not above 0.
    bool FormCloseQuery();

    /// Escape takes the same road as the close button.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool deviceBack() const;

    const DeviceState &m_state;
};
