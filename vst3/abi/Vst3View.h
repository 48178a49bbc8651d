#pragma once

// The editor: the plug-in's IPlugView, embedded by the host into a window of its own through
// IPlugFrame, scaled on request, and on Linux driven by the host's run loop, as there is no
// process-wide event loop there for the plug-in to use.

#include "Vst3Base.h"

namespace vst3
{

// The platform types attached() and isPlatformTypeSupported() name.
constexpr const char8* kPlatformTypeHWND = "HWND";
constexpr const char8* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

#if defined(_WIN32)
#pragma pack(push, 8)
#endif

struct ViewRect
{
    int32 left;
    int32 top;
    int32 right;
    int32 bottom;

    int32 getWidth() const { return right - left; }
    int32 getHeight() const { return bottom - top; }
};

class IPlugFrame;

class IPlugView : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);

    virtual tresult VST3_CALL isPlatformTypeSupported(FIDString type) = 0;
    // parent is an HWND on Windows and an X11 window id (as a pointer-sized value) on Linux.
    virtual tresult VST3_CALL attached(void* parent, FIDString type) = 0;
    virtual tresult VST3_CALL removed() = 0;
    virtual tresult VST3_CALL onWheel(float distance) = 0;
    virtual tresult VST3_CALL onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult VST3_CALL onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult VST3_CALL getSize(ViewRect* size) = 0;
    virtual tresult VST3_CALL onSize(ViewRect* newSize) = 0;
    virtual tresult VST3_CALL onFocus(TBool state) = 0;
    virtual tresult VST3_CALL setFrame(IPlugFrame* frame) = 0;
    virtual tresult VST3_CALL canResize() = 0;
    virtual tresult VST3_CALL checkSizeConstraint(ViewRect* rect) = 0;

  protected:
    ~IPlugView() = default;
};

class IPlugFrame : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);

    virtual tresult VST3_CALL resizeView(IPlugView* view, ViewRect* newSize) = 0;

  protected:
    ~IPlugFrame() = default;
};

class IPlugViewContentScaleSupport : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);

    using ScaleFactor = float;

    virtual tresult VST3_CALL setContentScaleFactor(ScaleFactor factor) = 0;

  protected:
    ~IPlugViewContentScaleSupport() = default;
};

namespace Linux
{

using TimerInterval = uint64;
using FileDescriptor = int;

class IEventHandler : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);

    virtual void VST3_CALL onFDIsSet(FileDescriptor fd) = 0;

  protected:
    ~IEventHandler() = default;
};

class ITimerHandler : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);

    virtual void VST3_CALL onTimer() = 0;

  protected:
    ~ITimerHandler() = default;
};

// The host's; found by querying the IPlugFrame or the factory's host context.
class IRunLoop : public FUnknown
{
  public:
    static constexpr InterfaceId iid =
        makeInterfaceId(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);

    virtual tresult VST3_CALL registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult VST3_CALL unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult VST3_CALL registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
    virtual tresult VST3_CALL unregisterTimer(ITimerHandler* handler) = 0;

  protected:
    ~IRunLoop() = default;
};

} // namespace Linux

#if defined(_WIN32)
#pragma pack(pop)
#endif

} // namespace vst3
