#pragma once

#include <ostream>
#include <string>

class OrvaneEffect;

// The bundle's three Turtle files, read off a fresh effect: its identity, parameter names,
// defaults (program 0), host texts, latency and factory programs.
void writeManifest(std::ostream& out, const OrvaneEffect& effect, const std::string& binary);
// With a user interface binary, the description names the editor as the plug-in's X11 UI.
void writePluginDescription(std::ostream& out, const OrvaneEffect& effect,
                            const std::string& uiBinary);
void writePresets(std::ostream& out, OrvaneEffect& effect);

// The file names inside the bundle.
constexpr const char* kPluginTurtle = "orvane-feedback-compressor.ttl";
constexpr const char* kPresetsTurtle = "presets.ttl";
