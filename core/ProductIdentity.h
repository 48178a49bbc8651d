#pragma once

// Who the plug-in is, for every format and every file that names it: the one place these facts
// are stated. The build reads the version and the names from this file too (cmake/Identity.cmake),
// so the Windows version resource, the Debian package and the LV2 Turtle cannot drift from it.
// Keep each value on one line of the form `constexpr ... kName = value;`: that is what the
// build's reader expects.

#include <cstdint>

namespace identity
{
constexpr const char* kProductName = "Orvane Feedback Compressor";
constexpr const char* kVendorName = "Quenmoor";
constexpr const char* kVendorHost = "www.quenmoor.com";
constexpr const char* kProductUrl = "http://www.quenmoor.com/orvane-feedback-compressor";

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 0;
constexpr int kVersionPatch = 0;
constexpr const char* kVersionText = "1.0.0";
// VST 2.4's vendor version: major * 1000 + minor * 100 + patch * 10.
constexpr std::int32_t kVendorVersion =
    kVersionMajor * 1000 + kVersionMinor * 100 + kVersionPatch * 10;

// VST 2.4: 'sKbd', read most-significant byte first.
constexpr std::int32_t kVst2UniqueId = 0x734B6264;
// LV2: the plug-in and its user interface; presets hang below the plug-in's URI.
constexpr const char* kLv2Uri = "http://www.quenmoor.com/orvane-feedback-compressor";
constexpr const char* kLv2UiUri = "http://www.quenmoor.com/orvane-feedback-compressor/ui";
// VST3: the audio effect's class id, 16 bytes in the order they are compared.
constexpr std::uint8_t kVst3ClassId[16] = {0x89, 0xb1, 0x49, 0x35, 0x28, 0xf4, 0x48, 0xc1,
                                           0x86, 0x96, 0xc8, 0xc6, 0x97, 0x86, 0x51, 0x74};
// The same id as the bundle's module information writes it, read by the build.
constexpr const char* kVst3ClassIdText = "89B1493528F448C18696C8C697865174";
// CLAP: the descriptor's reverse-domain id.
constexpr const char* kClapId = "com.quenmoor.orvane-feedback-compressor";

namespace detail
{
constexpr int hexDigit(char c)
{
    return c <= '9' ? c - '0' : c - 'A' + 10;
}
constexpr bool classIdTextMatches()
{
    for (int i = 0; i < 16; ++i)
        if (hexDigit(kVst3ClassIdText[2 * i]) * 16 + hexDigit(kVst3ClassIdText[2 * i + 1]) !=
            kVst3ClassId[i])
            return false;
    return kVst3ClassIdText[32] == '\0';
}
static_assert(classIdTextMatches(), "the VST3 class id is written the same both ways");
} // namespace detail
} // namespace identity
