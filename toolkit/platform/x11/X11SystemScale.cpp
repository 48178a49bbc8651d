#include "platform/SystemScale.h"

#include <X11/Xlib.h>

double systemScaleFactor()
{
    // Desktops publish their text scaling as Xft.dpi; it is read once, as toolkits do.
    static const double factor = []
    {
        Display* display = XOpenDisplay(nullptr);
        if (!display) return 1.0;
        const double f = scaleFromXResources(XResourceManagerString(display));
        XCloseDisplay(display);
        return f;
    }();
    return factor;
}

// Xft.dpi is one setting for the whole display.
double windowScaleFactor(void*)
{
    return systemScaleFactor();
}
