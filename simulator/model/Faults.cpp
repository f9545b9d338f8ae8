// Faults: how a faulty device distorts an answer.
#include "Faults.h"

namespace sim {

Value Faults::distort(const Oid &oid, const Value &value) const
{
    if (wrongType.count(oid)) {
        if (value.type == ValueType::OctetString || value.type == ValueType::IpAddress) {
            return Value::integer(1);
        }
        return Value::text("wrong");
    }
    if (shortValue.count(oid)) {
        Value v = value;
        if (v.type == ValueType::OctetString || v.type == ValueType::IpAddress) {
            v.octets.resize(v.octets.size() / 2);
        } else if (v.type == ValueType::ObjectId) {
            v.oid.resize(1);
        } else {
            v = Value::text("");
        }
        return v;
    }
    return value;
}

} // namespace sim
