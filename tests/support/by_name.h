#pragma once
// Names the cases of a parameterised test suite after their `name` field.
#include <gtest/gtest.h>

#include <string>

namespace tarnwick {

struct ByName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

}  // namespace tarnwick
