// Members switched for one write, and write sequences.
#include "MemberSwitch.h"

#include "TFM_Page.h"
#include "VtSNMPRequest2Edits.h"

MemberSwitch::MemberSwitch(VtSNMPRequest2Edits *request) : m_request(request)
{
    const VtSNMPVarList &vars = m_request->Request.Vars;
    for (int i = 0; i < vars.Count(); ++i) {
        m_flags.push_back(vars.Var(i).Flags);
    }
}

MemberSwitch::~MemberSwitch()
{
    VtSNMPVarList &vars = m_request->Request.Vars;
    for (int i = 0; i < vars.Count() && i < static_cast<int>(m_flags.size()); ++i) {
        vars.Var(i).Flags = m_flags[static_cast<std::size_t>(i)];
    }
}

MemberSwitch &MemberSwitch::out(std::initializer_list<int> members)
{
    for (const int i : members) {
        m_request->Request.Vars.Var(i).Flags = vfSkip;
    }
    return *this;
}

MemberSwitch &MemberSwitch::in(std::initializer_list<int> members)
{
    for (const int i : members) {
        VtSNMPVar &v = m_request->Request.Vars.Var(i);
        v.Flags = (v.Flags & ~vfSkip) | vfRead | vfWrite;
    }
    return *this;
}

MemberSwitch &MemberSwitch::readOnly(std::initializer_list<int> members)
{
    for (const int i : members) {
        VtSNMPVar &v = m_request->Request.Vars.Var(i);
        v.Flags = (v.Flags & ~(vfSkip | vfWrite)) | vfRead;
    }
    return *this;
}

MemberSwitch &MemberSwitch::allOut()
{
    for (int i = 0; i < m_request->Request.Vars.Count(); ++i) {
        out(i);
    }
    return *this;
}

MemberSwitch &MemberSwitch::allIn()
{
    for (int i = 0; i < m_request->Request.Vars.Count(); ++i) {
        in(i);
    }
    return *this;
}

MemberSwitch &MemberSwitch::include(int member, bool written)
{
    return written ? in(member) : out(member);
}

bool MemberSwitch::set()
{
    return m_request->Set();
}

bool MemberSwitch::set(const QString &indexList, const QStringList *values)
{
    return m_request->Set(true, true, indexList, values);
}

bool WriteSequence::write(VtSNMPRequest2Edits *request)
{
    return step([request] { return request->Set(); });
}

void WriteSequence::run(const std::function<void()> &block)
{
    m_page.guarded(block);
}

bool WriteSequence::note(bool done)
{
    if (!done) {
        m_ok = false;
        ++m_failures;
    }
    return done;
}
