// Members of a request switched for one write: out (left out of the write and of the read a
// table write is followed by), in (read and written), or read-only for this write. Every member
// gets its flags back when the object goes, whatever path the write took (a throw included).
//
//     MemberSwitch write(m_network);
//     write.out({kChannelList, kAutoScan});
//     if (band unchanged) write.readOnly({kBand});
//     ok = write.set();
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include <QString>

class VtSNMPRequest2Edits;

class MemberSwitch
{
public:
    explicit MemberSwitch(VtSNMPRequest2Edits *request);
    ~MemberSwitch();
    MemberSwitch(const MemberSwitch &) = delete;
    MemberSwitch &operator=(const MemberSwitch &) = delete;

    MemberSwitch &out(std::initializer_list<int> members);
    MemberSwitch &in(std::initializer_list<int> members);
    MemberSwitch &readOnly(std::initializer_list<int> members);

    MemberSwitch &out(int member) { return out({member}); }

    MemberSwitch &in(int member) { return in({member}); }

    MemberSwitch &readOnly(int member) { return readOnly({member}); }

    /// Every member out; the members named next are switched in.
    MemberSwitch &allOut();
    /// Every member in.
    MemberSwitch &allIn();
    /// One member in or out by a condition.
    MemberSwitch &include(int member, bool written);

    /// The write with the members as switched: Set() of the request.
    bool set();
    /// The same limited to the positions of `indexList` ("0,3"), their values from `values`.
    bool set(const QString &indexList, const QStringList *values = nullptr);

private:
    VtSNMPRequest2Edits *m_request;
    std::vector<int> m_flags;
};

class TFM_Page;

/// A save's writes, each attempted whatever became of the ones before (a refused write, a
/// library exception, which goes to the page's status); ok() only when every one succeeded.
class WriteSequence
{
public:
    explicit WriteSequence(TFM_Page &page) : m_page(page) { }

    /// Set() of the request; false when it failed or threw.
    bool write(VtSNMPRequest2Edits *request);

    /// A write of the page's own making (a switched write, a write of several steps).
    template <class F>
    bool step(F &&write)
    {
        bool done = false;
        run([&] { done = write(); });
        return note(done);
    }

    bool ok() const { return m_ok; }

    int failures() const { return m_failures; }

private:
    void run(const std::function<void()> &block);
    bool note(bool done);

    TFM_Page &m_page;
    bool m_ok = true;
    int m_failures = 0;
};
