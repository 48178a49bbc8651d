#include "Win32Window.h"

#include "Win32Input.h"
#include "platform/PlatformEventSink.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace
{
// Hosts' double-click settings can be very short; a knob's reset gesture needs time.
constexpr uint32_t kMinDoubleClickMs = 250;
constexpr WPARAM kMouseButtonsHeld = MK_LBUTTON | MK_MBUTTON | MK_RBUTTON;

bool altHeld()
{
    return GetKeyState(VK_MENU) < 0;
}

uint8_t heldKeyModifiers()
{
    return win32KeyModifiers(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, altHeld());
}

// Client coordinates of a mouse message; signed, since with the capture the pointer may be
// left of or above the window.
CPoint clientPoint(LPARAM lParam)
{
    return CPoint(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
}

// The key's scan code with the extended-key flag as bit 8: one number per physical key.
int32_t scanOf(LPARAM lParam)
{
    return static_cast<int32_t>((static_cast<uint32_t>(lParam) >> 16) & 0x1ff);
}

bool startsWithIgnoringCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (std::tolower(static_cast<unsigned char>(*text)) != *prefix) return false;
    return true;
}

// An http or https address with something after the scheme and no control characters: the
// shell would start whatever program a file path or another scheme names.
bool isWebAddress(const char* url)
{
    std::size_t schemeLength = 0;
    if (startsWithIgnoringCase(url, "https://"))
        schemeLength = 8;
    else if (startsWithIgnoringCase(url, "http://"))
        schemeLength = 7;
    else
        return false;
    const std::size_t length = std::strlen(url);
    if (length <= schemeLength) return false;
    for (std::size_t i = 0; i < length; ++i)
    {
        const auto c = static_cast<unsigned char>(url[i]);
        if (c < 0x20 || c == 0x7f) return false;
    }
    return true;
}
} // namespace

std::unique_ptr<Win32Window> Win32Window::create(HWND parent, const CRect& size,
                                                 PlatformEventSink& sink)
{
    // A destroyed or made-up handle fails here rather than inside CreateWindowEx.
    if (!parent || !IsWindow(parent) || size.isEmpty()) return nullptr;
    std::unique_ptr<Win32Window> made(new Win32Window(sink, size.width(), size.height()));
    if (!made->windowClass.valid()) return nullptr;
    const HWND child = CreateWindowExW(
        0, made->windowClass.name(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        0, 0, made->width, made->height, parent, nullptr, Win32WindowClass::module(), made.get());
    if (!child) return nullptr; // a half-made window was destroyed and forgotten already
    return made;
}

Win32Window::Win32Window(PlatformEventSink& sink, int32_t width, int32_t height)
    : sink(sink), width(width), height(height), windowClass(&Win32Window::windowProc)
{
}

Win32Window::~Win32Window()
{
    if (!window) return; // destroyed with the host's window already
    const HWND dying = window;
    // First cut the window off from this object: whatever messages destroying it sends
    // (capture change, focus change, WM_DESTROY) go to the default procedure.
    forgetWindow();
    if (GetCapture() == dying) ReleaseCapture();
    // Only the thread that made a window can destroy it; closed from another thread, the
    // window is asked to destroy itself on its own thread.
    if (!DestroyWindow(dying) && IsWindow(dying)) PostMessageW(dying, WM_CLOSE, 0, 0);
}

void Win32Window::forgetWindow()
{
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window = nullptr;
    pressing = false;
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* creating =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        creating->window = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Messages that still reach the window after its object has gone fall through here.
    if (!self || self->window != hwnd)
    {
        if (message == WM_ERASEBKGND) return 1;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // The handlers call the frame last: the frame may close the editor, deleting `self`.
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = window;
    switch (message)
    {
    case WM_ERASEBKGND:
        return 1; // the back buffer covers every pixel: erasing would only flicker
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONDOWN:
        return buttonDown(kLButton, wParam, lParam);
    case WM_MBUTTONDOWN:
        return buttonDown(kMButton, wParam, lParam);
    case WM_RBUTTONDOWN:
        return buttonDown(kRButton, wParam, lParam);
    case WM_LBUTTONUP:
        return buttonUp(kLButton, wParam, lParam);
    case WM_MBUTTONUP:
        return buttonUp(kMButton, wParam, lParam);
    case WM_RBUTTONUP:
        return buttonUp(kRButton, wParam, lParam);
    case WM_MOUSEMOVE:
        return mouseMoved(wParam, lParam);
    case WM_MOUSEWHEEL:
        return wheel(wParam, lParam);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) return captureLost();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        return key(message, wParam, lParam);
    case WM_CHAR:
        return character(wParam, lParam);
    case WM_GETDLGCODE:
        // Hosts that run dialog navigation would otherwise keep arrows and characters.
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_NCDESTROY:
        // The host destroyed its window with ours in it; the editor is closed later.
        forgetWindow();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void Win32Window::paint()
{
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    const bool painted = backBuffer.pixels != nullptr;
    if (painted) copyToScreen(dc, ps.rcPaint);
    const RECT area = ps.rcPaint;
    EndPaint(window, &ps);
    // Nothing drawn yet: the frame's next idle pass paints the area and presents it.
    if (!painted) sink.platformExpose(CRect(area.left, area.top, area.right, area.bottom));
}

void Win32Window::present(const PixelView& view, const CRect& rect)
{
    if (!window || !view.pixels || view.stride < view.width) return;
    backBuffer = view;
    const HDC dc = GetDC(window);
    if (!dc) return;
    copyToScreen(dc, RECT{rect.left, rect.top, rect.right, rect.bottom});
    ReleaseDC(window, dc);
}

void Win32Window::resize(const CRect& size)
{
    if (!window || size.isEmpty()) return;
    // The frame has let go of the buffer last presented; nothing is copied until the next one.
    backBuffer = PixelView{};
    width = size.width();
    height = size.height();
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::copyToScreen(HDC dc, const RECT& area) const
{
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG top = std::max<LONG>(area.top, 0);
    const LONG right = std::min<LONG>({area.right, width, backBuffer.width});
    const LONG bottom = std::min<LONG>({area.bottom, height, backBuffer.height});
    if (right <= left || bottom <= top) return;
    // A top-down image of exactly the rows wanted, so that the source rectangle starts at its
    // first row however the system counts rows. The back buffer's premultiplied pixels are
    // the blue, green, red, unused bytes of a 32-bit device-independent bitmap: the window
    // shows them as opaque colours, which they are over the frame's black ground.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = backBuffer.stride;
    info.bmiHeader.biHeight = -(bottom - top);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const uint32_t* firstRow =
        backBuffer.pixels + static_cast<std::size_t>(top) * backBuffer.stride;
    SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(right - left),
                      static_cast<DWORD>(bottom - top), left, 0, 0, static_cast<UINT>(bottom - top),
                      firstRow, &info, DIB_RGB_COLORS);
}

void Win32Window::dispatchPendingPaint()
{
    if (!window) return;
    MSG message;
    if (PeekMessageW(&message, window, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
}

LRESULT Win32Window::buttonDown(int32_t button, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = window;
    const CPoint where = clientPoint(lParam);
    const int32_t modifiers =
        win32MouseButtons(static_cast<uint32_t>(wParam & (MK_SHIFT | MK_CONTROL)), altHeld());
    const int32_t doubleClick = clicks.press(
        button, where.h, where.v, static_cast<uint32_t>(GetMessageTime()), getDoubleClickTime());
    // Keys and the wheel go to the window with the focus: the one last clicked.
    if (GetFocus() != hwnd) SetFocus(hwnd);
    // Moves and the release outside the window still come here, for the view that took the
    // press, until the last button is up.
    if (!pressing)
    {
        pressing = true;
        SetCapture(hwnd);
    }
    // Focus and capture changes send messages that may have ended this window.
    if (window != hwnd) return 0;
    lastPointer = POINT{where.h, where.v};
    lastButtons = button | modifiers;
    sink.platformMouseDown(where, button | modifiers | doubleClick);
    return 0;
}

LRESULT Win32Window::buttonUp(int32_t button, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = window;
    const CPoint where = clientPoint(lParam);
    const int32_t modifiers =
        win32MouseButtons(static_cast<uint32_t>(wParam & (MK_SHIFT | MK_CONTROL)), altHeld());
    if ((wParam & kMouseButtonsHeld) == 0)
    {
        // Cleared first: releasing the capture reports a capture change, which is no loss.
        pressing = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        if (window != hwnd) return 0;
    }
    sink.platformMouseUp(where, button | modifiers);
    return 0;
}

LRESULT Win32Window::mouseMoved(WPARAM wParam, LPARAM lParam)
{
    const CPoint where = clientPoint(lParam);
    const int32_t buttons = win32MouseButtons(static_cast<uint32_t>(wParam), altHeld());
    lastPointer = POINT{where.h, where.v};
    lastButtons = buttons;
    sink.platformMouseMoved(where, buttons);
    return 0;
}

LRESULT Win32Window::captureLost()
{
    // Another window took the mouse in the middle of a gesture (a host's dialog, a task
    // switch): the release will never come, so the gesture ends here.
    if (!pressing) return 0;
    pressing = false;
    sink.platformMouseUp(CPoint(lastPointer.x, lastPointer.y), lastButtons);
    return 0;
}

LRESULT Win32Window::wheel(WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = window;
    // The wheel message alone carries screen coordinates.
    POINT point{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
    ScreenToClient(hwnd, &point);
    const float distance =
        static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / static_cast<float>(WHEEL_DELTA);
    const int32_t buttons =
        win32MouseButtons(static_cast<uint32_t>(GET_KEYSTATE_WPARAM(wParam)), altHeld());
    if (sink.platformWheel(CPoint(point.x, point.y), distance, buttons)) return 0;
    // Not ours to use: the default procedure hands it on to the host's window. The frame
    // may have closed the window meanwhile.
    if (IsWindow(hwnd)) return DefWindowProcW(hwnd, WM_MOUSEWHEEL, wParam, lParam);
    return 0;
}

LRESULT Win32Window::key(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int32_t scan = scanOf(lParam);
    const bool extended = (static_cast<uint32_t>(lParam) & (1u << 24)) != 0;
    CKeyCode code;
    code.modifier = heldKeyModifiers();
    code.virt = win32VirtualKey(static_cast<uint32_t>(wParam), extended);
    if (message == WM_KEYDOWN)
    {
        // Characters come with WM_CHAR; a virtual key's own character (space, Enter, the
        // keypad's digits) is not a second key press.
        virtualKeyScan = code.virt != 0 ? scan : -1;
        if (code.virt == 0) return 0;
        sink.platformKeyDown(code);
        return 0;
    }
    if (code.virt == 0)
    {
        code.character = characterOfScan[scan];
        characterOfScan[scan] = 0;
        if (code.character == 0) return 0;
    }
    sink.platformKeyUp(code);
    return 0;
}

LRESULT Win32Window::character(WPARAM wParam, LPARAM lParam)
{
    const int32_t scan = scanOf(lParam);
    if (scan == virtualKeyScan) return 0;
    auto c = static_cast<int32_t>(wParam);
    CKeyCode code;
    code.modifier = heldKeyModifiers();
    // With Control held a letter arrives as a control character; the toolkit wants the letter.
    if (c < 0x20 && (code.modifier & kKeyModControl))
    {
        const UINT windowsKey = MapVirtualKeyW(static_cast<UINT>(scan & 0xff), MAPVK_VSC_TO_VK);
        if (windowsKey >= 'A' && windowsKey <= 'Z')
            c = static_cast<int32_t>((code.modifier & kKeyModShift) ? windowsKey
                                                                    : windowsKey + ('a' - 'A'));
    }
    // Control characters and halves of surrogate pairs are no keys of the toolkit.
    if (c < 0x20 || c == 0x7f || (c >= 0xd800 && c <= 0xdfff)) return 0;
    code.character = c;
    characterOfScan[scan] = c;
    sink.platformKeyDown(code);
    return 0;
}

uint32_t Win32Window::getDoubleClickTime() const
{
    return std::max<uint32_t>(kMinDoubleClickMs, static_cast<uint32_t>(GetDoubleClickTime()));
}

bool Win32Window::openUrl(const char* url)
{
    if (!url || !isWebAddress(url)) return false;
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, url, -1, nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, url, -1, &wide[0], length) != length)
        return false;
    // What the shell answers is of no use to the user here: a browser either opens or not.
    ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}

std::unique_ptr<PlatformWindow> createSystemWindow(void* parent, const CRect& size,
                                                   PlatformEventSink& sink)
{
    return Win32Window::create(static_cast<HWND>(parent), size, sink);
}
