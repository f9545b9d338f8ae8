// Case tables name each case after the `name` field of its row, so test lists read as behaviours.
#pragma once

#include <string>

#include <gtest/gtest.h>

namespace kvatest {

/// INSTANTIATE_TEST_SUITE_P(Cases, Suite, testing::ValuesIn(kCases), kvatest::caseName);
struct CaseName
{
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row> &info) const
    {
        return std::string(info.param.name);
    }
};

inline constexpr CaseName caseName{};

} // namespace kvatest
