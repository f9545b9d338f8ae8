// A change of a list entry the device knows only by add and delete commands: the delete of the old
// entry goes first; once the device took it the new entry is added, and when the device refuses
// the add the old entry is put back, so a refused change loses nothing. The page sends the
// commands; this object keeps the step and says what follows each completion.
#pragma once

class ReplaceCommand
{
public:
    enum class Step {
        Idle,        // no change under way: a completion is the page's own add or delete
        DeletingOld, // the delete of the old entry is out
        AddingNew,   // the add of the new entry is out
        RestoringOld // the add of the old entry is out
    };

    /// What the page does after a completion.
    enum class Then {
        Plain,         // a command of its own (no change under way): report it
        DeleteRefused, // the old entry stays, nothing was changed: report the failure
        SendNew,       // the old entry is gone: send the add of the new one
        Replaced,      // the change is complete
        RestoreOld,    // the new entry was refused: send the add of the old one
        Restored,      // the old entry's add ended (either way): read the list again
    };

    /// The delete of the old entry is about to be sent.
    void begin() { m_step = Step::DeletingOld; }

    /// The command now out ended, taken by the device (`ok`) or not.
    Then completed(bool ok);

    /// The new entry cannot be sent after all: the old one is put back instead.
    void newRefused() { m_step = Step::RestoringOld; }

    /// A command of the change could not be sent at all (a library exception): nothing is pending.
    void reset() { m_step = Step::Idle; }

    Step step() const { return m_step; }

    bool pending() const { return m_step != Step::Idle; }

private:
    Step m_step = Step::Idle;
};
