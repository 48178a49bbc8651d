#pragma once

// The module-definition file (exports.def) names what the DLL exports, undecorated.
#define OFC_EXPORT extern "C"
