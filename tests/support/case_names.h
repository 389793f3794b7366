#pragma once
// Case names for ctest's list and for failure messages. A suite's parameter type has a
// CaseName(param) overload beside it, made only of [A-Za-z0-9_] and unique within the suite;
// CaseNames is the suite's name generator and the type's PrintTo prints the same name.
#include <gtest/gtest.h>

#include <string>

namespace pxm::test {

struct CaseNames {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return CaseName(info.param);
    }
};

}  // namespace pxm::test
