// The two commands that finish a series of changes (save and activate, discard), and the device
// operations of the waiting dialog: the firmware read when it opens and the restart command.
#pragma once

#include "VtSNMPError.h"

#include <memory>

#include <QString>

class DeviceState;
class QComboBox;
class QWidget;
class TFM_Waiting;
class VtSNMPRequest2Edits;
struct ModuleSettings;

class CommitWorkflow
{
public:
    struct Command
    {
        int apply;
        int discard;
        int restart;
        int countdown;
        const char *firstLine;
        const char *secondLine;
    };

    static const Command SaveAndActivate;
    static const Command DiscardChanges;

    /// What one command did.
    struct Outcome
    {
        VtSNMPError result;   ///< the commit write's result
        bool refused = false; ///< the device (or the library) refused the write: no waiting
        bool waited = false;  ///< the waiting dialog ran
        int countdown = 0;    ///< where the dialog ended
        int stallCount = 0;
    };

    /// The three commit selectors are hidden children of `owner` (the main window).
    CommitWorkflow(QWidget *owner, const DeviceState &state, const ModuleSettings &settings);
    ~CommitWorkflow();
    CommitWorkflow(const CommitWorkflow &) = delete;
    CommitWorkflow &operator=(const CommitWorkflow &) = delete;

    QComboBox *Cbox_SaveAct;
    QComboBox *Cbox_Discard;
    QComboBox *Cbox_Restart;

    /// The start-up read of the commit objects into the selectors (synchronous). The request is
    /// made here or at the first command, after start-up has set up the agent description.
    bool Get();

    /// Writes the commit objects, then waits in the modal dialog while the device restarts. A
    /// refusal (an error-status, a security or a local error) is shown with the caption "Error"
    /// and opens no dialog; a time-out does not stop the flow, since the device may restart
    /// before it answers.
    Outcome run(const Command &command);

    /// Gives a waiting dialog its device operations (every caller of the dialog uses these).
    static void installDeviceOperations(TFM_Waiting &dialog, const ModuleSettings &settings);

private:
    void ensureRequest();

    QWidget *m_owner;
    const DeviceState &m_state;
    const ModuleSettings &m_settings;
    std::unique_ptr<VtSNMPRequest2Edits> m_request;
};
