#include "PluginInstance.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace ofchost;

// Another vendor's plug-in, when the machine has one installed.
TEST(ForeignPlugin, LspCompressorLoadsAndAnswers)
{
    const char* path = "/usr/lib/vst/lsp-plugins/compressor-stereo.so";
    if (!std::ifstream(path).good())
    {
        const char* ci = std::getenv("CI");
        if (ci && *ci) FAIL() << path << " is not installed, and CI is set";
        GTEST_SKIP() << path << " not installed (CI is not set)";
    }
    PluginModule module;
    ASSERT_TRUE(module.load(path)) << module.error();
    std::string error;
    auto plugin = PluginInstance::create(module, error);
    ASSERT_NE(plugin, nullptr) << error;
    plugin->open(44100.0, 512);
    EXPECT_EQ(plugin->effect()->numInputs, 2);
    EXPECT_GT(plugin->effect()->numParams, 0);
    EXPECT_FALSE(plugin->effectName().empty());
    EXPECT_FALSE(plugin->parameterName(0).empty());
    plugin->resume();
    plugin->suspend();
}
