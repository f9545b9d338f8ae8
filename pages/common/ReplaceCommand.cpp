// The steps of a change made of a delete and an add.
#include "ReplaceCommand.h"

ReplaceCommand::Then ReplaceCommand::completed(bool ok)
{
    switch (m_step) {
    case Step::Idle:
        return Then::Plain;
    case Step::DeletingOld:
        // a refused delete leaves nothing pending: the next command is a command of its own
        m_step = ok ? Step::AddingNew : Step::Idle;
        return ok ? Then::SendNew : Then::DeleteRefused;
    case Step::AddingNew:
        m_step = ok ? Step::Idle : Step::RestoringOld;
        return ok ? Then::Replaced : Then::RestoreOld;
    case Step::RestoringOld:
        m_step = Step::Idle;
        return Then::Restored;
    }
    return Then::Plain;
}
