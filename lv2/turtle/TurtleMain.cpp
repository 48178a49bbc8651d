// ofc-lv2-turtle BUNDLE_DIR BINARY [UI_BINARY]: writes the LV2 bundle's Turtle files, read off a
// fresh effect, so the bundle restates nothing that the effect already says.

#include "BundleTurtle.h"
#include "CompressorEngine.h"
#include "OrvaneEffect.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <memory>

namespace
{
bool writeFile(const std::string& path, const std::function<void(std::ostream&)>& write)
{
    std::ofstream out(path, std::ios::binary);
    write(out);
    out.close();
    if (out) return true;
    std::cerr << "ofc-lv2-turtle: cannot write " << path << "\n";
    return false;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4)
    {
        std::cerr << "usage: ofc-lv2-turtle BUNDLE_DIR BINARY [UI_BINARY]\n";
        return 2;
    }
    const std::string dir = argv[1], binary = argv[2], uiBinary = argc == 4 ? argv[3] : "";
    OrvaneEffect effect(std::make_unique<CompressorEngine>());
    const bool ok = writeFile(dir + "/manifest.ttl",
                              [&](std::ostream& out) { writeManifest(out, effect, binary); }) &&
                    writeFile(dir + "/" + kPluginTurtle, [&](std::ostream& out)
                              { writePluginDescription(out, effect, uiBinary); }) &&
                    writeFile(dir + "/" + kPresetsTurtle,
                              [&](std::ostream& out) { writePresets(out, effect); });
    return ok ? 0 : 1;
}
