#pragma once

#include <gtest/gtest.h> // before the X headers, whose None and Bool macros clash

#include "PluginHost.h"
#include "X11TestFixture.h"

#include <vector>

// The built plug-in loaded as a host loads it, with its editor opened in the fixture's parent
// window on the private X server.
class EditorTestFixture : public X11TestFixture
{
  protected:
    static constexpr int kEditorWidth = 690;
    static constexpr int kEditorHeight = 270;

    static PluginLibrary& library()
    {
        static PluginLibrary loaded(OFC_PLUGIN_PATH);
        return loaded;
    }

    void SetUp() override
    {
        X11TestFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(library().isLoaded()) << library().error();
        HostCallLog::instance().clear();
    }

    void TearDown() override
    {
        for (AEffect* effect : effects)
            closeEffect(effect);
        effects.clear();
        X11TestFixture::TearDown();
    }

    // A new effect, closed again at the end of the test.
    AEffect* newEffect()
    {
        AEffect* effect = library().createEffect();
        if (effect) effects.push_back(effect);
        return effect;
    }

    // The closing was the test's own business.
    void forgetEffect(AEffect* effect)
    {
        effects.erase(std::remove(effects.begin(), effects.end(), effect), effects.end());
    }

    static float parameter(AEffect* effect, int index)
    {
        return effect->getParameter(effect, index);
    }

    // The host's idle timer for `ms` milliseconds.
    static void idleFor(AEffect* effect, int ms = 80)
    {
        pumpIdle([effect] { idleEditor(effect); }, ms);
    }

    // The editor's window: the last child of `window` (null if there is none).
    Window editorWindowIn(Window window) const
    {
        const std::vector<Window> children = host->children(window);
        return children.empty() ? 0 : children.back();
    }

    std::vector<AEffect*> effects;
};
