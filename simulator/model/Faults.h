// Faults the test or the operator switches on through the control channel.
#pragma once

#include "MibStore.h"

#include <map>
#include <random>

namespace sim {

class Faults
{
public:
    long long silentUntilMs = 0;         // no answer to anything before this time
    int dropPercent = 0;                 // requests dropped at random
    int delayMs = 0;                     // every answer leaves this much later
    bool failNextTransfer = false;       // the next TFTP transfer breaks off after its first block
                                         // (a store of one block: before it)
    int restartAfterGetNext = -1;        // restart when this many more GET-NEXT requests have come
    std::map<Oid, bool> wrongType;       // answer with a wrong type
    std::map<Oid, bool> shortValue;      // answer with a too-short value
    std::map<Oid, ErrorStatus> setError; // a SET of this object fails with the status
    std::map<Oid, bool> noSuchName;      // the object is not there

    bool silent(long long nowMs) const { return nowMs < silentUntilMs; }

    bool dropThis() { return dropPercent > 0 && static_cast<int>(m_rng() % 100) < dropPercent; }

    /// The value as a faulty device would answer it.
    Value distort(const Oid &oid, const Value &value) const;

    void clear() { *this = Faults(); }

private:
    std::mt19937 m_rng{7310};
};

} // namespace sim
