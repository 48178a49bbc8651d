#pragma once

// The factor the system asks windows to be drawn at (1 to 2): on X11 the Xft.dpi resource
// over 96, on other platforms and without a display 1. Read once per process.
double systemScaleFactor();
// The factor for a window inside `parent` (a host's window handle): on Windows the window's own
// DPI over 96 where the system can say (GetDpiForWindow), else the system's factor.
double windowScaleFactor(void* parent);

// The factor an X resource string (the contents of RESOURCE_MANAGER) gives: Xft.dpi / 96,
// limited to 1 to 2; 1 where the resource is missing or not a number.
double scaleFromXResources(const char* resources);
