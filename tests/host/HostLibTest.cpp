#include "PluginInstance.h"

#include <gtest/gtest.h>

using namespace ofchost;

TEST(PluginModule, ReportsWhyALibraryCannotBeUsed)
{
    PluginModule missing;
    EXPECT_FALSE(missing.load("/nonexistent/plugin.so"));
    EXPECT_FALSE(missing.error().empty());
    EXPECT_FALSE(missing.isLoaded());

    PluginModule notAPlugin;
    EXPECT_FALSE(notAPlugin.load(OFC_NOT_A_PLUGIN));
    EXPECT_NE(notAPlugin.error().find("neither VSTPluginMain nor main"), std::string::npos);
}

TEST(PluginInstance, NoEffectForAHostWithoutAVersion)
{
    PluginModule module;
    ASSERT_TRUE(module.load(OFC_PLUGIN_PATH)) << module.error();
    EXPECT_EQ(module.entryName(), "VSTPluginMain");
    std::string error;
    hostSettings().versionAnswer = 0;
    EXPECT_EQ(PluginInstance::create(module, error), nullptr);
    hostSettings().versionAnswer = 2400;
    EXPECT_FALSE(error.empty());
}

TEST(PluginInstance, ReadsOurPluginsTexts)
{
    PluginModule module;
    ASSERT_TRUE(module.load(OFC_PLUGIN_PATH)) << module.error();
    std::string error;
    auto plugin = PluginInstance::create(module, error);
    ASSERT_NE(plugin, nullptr) << error;
    plugin->open(48000.0, 256);
    EXPECT_EQ(plugin->effectName(), "Orvane Feedback Compressor");
    EXPECT_EQ(plugin->parameterName(13), "HF Harmonics Amount");
    EXPECT_EQ(plugin->parameterDisplay(6), "15.0ms");
    EXPECT_EQ(plugin->parameterLabel(6), "");
    EXPECT_EQ(plugin->programName(6), "AGC");
    plugin->setParameter(3, 1.0f);
    EXPECT_EQ(plugin->parameter(3), 1.0f);
    EXPECT_EQ(plugin->parameterDisplay(3), "-50.0");
}

TEST(HostCallback, AnswersTheVersionAndRecordsParameterReports)
{
    clearRecordedCalls();
    EXPECT_EQ(hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    AEffect dummy{};
    hostCallback(&dummy, audioMasterBeginEdit, 4, 0, nullptr, 0.0f);
    hostCallback(&dummy, audioMasterAutomate, 4, 0, nullptr, 0.25f);
    hostCallback(&dummy, audioMasterEndEdit, 4, 0, nullptr, 0.0f);
    EXPECT_EQ(hostCallback(&dummy, audioMasterGetTime, 0, 0, nullptr, 0.0f), 0);
    const auto calls = recordedCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[1].value, 0.25f);
    EXPECT_EQ(calls[2].index, 4);
    EXPECT_EQ(calls[2].effect, &dummy);
    char vendor[64];
    hostCallback(&dummy, audioMasterGetVendorString, 0, 0, vendor, 0.0f);
    EXPECT_STREQ(vendor, "Quenmoor");
}

TEST(Names, FourCharCodesCategoriesAndFlags)
{
    EXPECT_EQ(fourCharCode(0x734B6264), "sKbd");
    EXPECT_EQ(fourCharCode(0x00410A42), ".A.B");
    EXPECT_STREQ(categoryName(4), "Mastering");
    EXPECT_STREQ(categoryName(42), "?");
    EXPECT_STREQ(categoryName(-1), "?");
    EXPECT_EQ(flagNames(0x1011), "HasEditor CanReplacing CanDoubleReplacing");
    EXPECT_EQ(flagNames(0x40000000), "(unknown bits)");
}
