#pragma once

#include <gtest/gtest.h> // before the X headers, whose None and Bool macros clash

#include "HostDisplay.h"
#include "XvfbServer.h"

#include <cstdlib>
#include <memory>

// A private X server, the test host's connection and one parent window at (100, 100).
// Without Xvfb it skips, or fails when the environment variable CI is set (so the suite cannot
// shrink unnoticed there); with Xvfb that does not start it fails.
class X11TestFixture : public ::testing::Test
{
  protected:
    static constexpr int kParentX = 100;
    static constexpr int kParentY = 100;
    static constexpr int kParentWidth = 800;
    static constexpr int kParentHeight = 400;

    void SetUp() override
    {
        if (!XvfbServer::isInstalled())
        {
            const char* ci = std::getenv("CI");
            if (ci && *ci) FAIL() << "Xvfb is not installed, and CI is set";
            GTEST_SKIP() << "Xvfb is not installed (CI is not set)";
        }
        std::string why;
        ASSERT_NE(sharedXvfb(why), nullptr) << why;
        host = std::make_unique<HostDisplay>();
        ASSERT_TRUE(host->isOpen());
        ASSERT_TRUE(host->hasXTest());
        parent = host->createWindow(kParentX, kParentY, kParentWidth, kParentHeight);
    }

    void TearDown() override { host.reset(); }

    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }

    std::unique_ptr<HostDisplay> host;
    Window parent = 0;
};
