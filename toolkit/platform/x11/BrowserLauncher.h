#pragma once

// Opens a web address in the user's browser through the desktop's opener (xdg-open), without
// a shell and without waiting for it. Only http and https addresses are passed on.
bool launchBrowser(const char* url);
