// Temporary file names private to the running test: ctest runs the tests of one binary as
// parallel processes, so a fixed name would be written by two of them at once.
#pragma once

#include <gtest/gtest.h>

#include <string>

inline std::string testTempPath(const std::string& name) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = info ? std::string(info->test_suite_name()) + "." + info->name() + "_" : std::string();
    return ::testing::TempDir() + prefix + name;
}
