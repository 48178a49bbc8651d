#pragma once

// What the plug-in library exports; everything else is hidden (the version script agrees).
#define OFC_EXPORT extern "C" __attribute__((visibility("default")))
