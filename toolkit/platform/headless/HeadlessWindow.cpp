#include "HeadlessWindow.h"

void HeadlessWindow::present(const PixelView&, const CRect& rect)
{
    ++presentCount;
    lastPresented = rect;
}

bool HeadlessWindow::openUrl(const char* url)
{
    if (!url) return false;
    openedUrls.emplace_back(url);
    return true;
}
