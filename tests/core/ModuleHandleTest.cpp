#include "ModuleHandle.h"

#include <gtest/gtest.h>

#include <string>

// Without a load hook (the core linked into this test program) the module is looked up on
// first use: it is this executable.
TEST(ModuleHandle, FallsBackToTheModuleContainingTheCore)
{
    EXPECT_NE(ModuleHandle::handle(), nullptr);
    const std::string path = ModuleHandle::path();
    EXPECT_NE(path.find("ofc_core_tests"), std::string::npos) << path;
}

TEST(ModuleHandle, RecordedValuesWin)
{
    int marker = 0;
    ModuleHandle::record(&marker, "/somewhere/OrvaneFeedbackCompressor.so");
    EXPECT_EQ(ModuleHandle::handle(), &marker);
    EXPECT_STREQ(ModuleHandle::path(), "/somewhere/OrvaneFeedbackCompressor.so");
    ModuleHandle::record(nullptr, nullptr);
    EXPECT_STREQ(ModuleHandle::path(), "");
}
