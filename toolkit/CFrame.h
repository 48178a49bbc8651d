#pragma once

#include "CView.h"
#include "Canvas.h"
#include "ControlHost.h"
#include "platform/PlatformEventSink.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class COffscreenContext;
class CControl;
class PlatformWindow;
class VSTGUIEditorInterface;

// The root of an editor window: owns a flat list of views, paints them in the order they were
// added (later ones on top) into a back buffer, and routes mouse and key input to them.
// With a null system window the frame has no window at all (headless): it still paints into
// its back buffer, which writePng() saves, and takes input only from direct calls.
class CFrame : public CView, public ControlHost, private PlatformEventSink
{
  public:
    CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;
    CFrame(const CFrame&) = delete;

    // Appends a view and takes over the caller's reference; false for null or a view that
    // already belongs to a frame.
    bool addView(CView* view);
    // Takes a view out of the list; with `withForget` the frame drops its reference.
    bool removeView(CView* view, bool withForget = true);
    void removeAll(bool withForget = true);
    bool isChild(const CView* view) const;
    int32_t getNbViews() const { return static_cast<int32_t>(views.size()); }
    CView* getView(int32_t index) const;

    // While a modal view is set it is drawn above all views and receives all mouse input.
    // Refuses (false) when another modal view is set; null clears. The frame holds its own
    // reference to the modal view while it is set.
    bool setModalView(CView* view);
    CView* getModalView() const { return modalView; }

    // Repaints every dirty view and every invalidated rectangle, then shows the result.
    void idle();
    // Repaints the whole frame at once.
    void draw(CDrawContext* context = nullptr) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    // Schedules `rect` for repainting at the next idle pass.
    void invalidRect(const CRect& rect) override;
    void invalid() override { invalidRect(size); }

    // Input in frame coordinates.
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override;
    int32_t onKeyDown(CKeyCode& keyCode) override;
    int32_t onKeyUp(CKeyCode& keyCode) override;

    // Gestures of the controls, forwarded to the editor; nested calls for one tag reach the
    // editor once, and gestures still open when the frame goes are ended then.
    void beginEdit(int32_t tag) override;
    void endEdit(int32_t tag) override;
    void doIdleStuff() override;
    // Shows now what the system was waiting to repaint, from inside a control's gesture.
    void dispatchPendingPaint();
    int32_t getKnobMode() const override;
    VSTGUIEditorInterface* getEditor() const { return editor; }

    void setFocusView(CView* view) override { focusView = view; }
    CView* getFocusView() const { return focusView; }
    CView* getMouseCaptureView() const { return mouseCaptureView; }

    // Opens the address in the user's browser; a headless frame only records it.
    bool openUrl(const char* url);
    uint32_t getDoubleClickTime() const override;
    void* getSystemWindow() const { return systemWindow; }
    PlatformWindow* getPlatformWindow() const { return platformWindow.get(); }

    // Device pixels per logical pixel (1 to 2; other values are clamped). Views, hit-testing
    // and mouse positions stay logical; the back buffer and the window grow. A change repaints
    // everything and resizes the window.
    void setScale(double factor);
    double getScale() const { return scale; }
    // The window's size in device pixels.
    CRect getDeviceSize() const;

    // The picture of the window as last painted (device pixels); null until the first idle
    // pass (or draw) paints it. A scale change lets it go until the next paint.
    COffscreenContext* getBackBuffer() const { return backBuffer.get(); }
    // False, writing nothing, before the first paint.
    bool writePng(const char* path) const;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return nullptr; }

  private:
    CView* viewAt(const CPoint& where, int32_t buttons) const;
    void paintRegion(const CRect& region);
    std::vector<CRect> collectDirtyRegions();
    void dropView(CView* view, bool withForget);
    // Joins a view to this frame or parts it; a control also gets or loses its host.
    void attach(CView* view);
    void detach(CView* view);

    // PlatformEventSink
    int32_t platformMouseDown(CPoint where, int32_t buttons) override;
    int32_t platformMouseMoved(CPoint where, int32_t buttons) override;
    int32_t platformMouseUp(CPoint where, int32_t buttons) override;
    bool platformWheel(CPoint where, float distance, int32_t buttons) override;
    int32_t platformKeyDown(CKeyCode key) override;
    int32_t platformKeyUp(CKeyCode key) override;
    void platformExpose(const CRect& rect) override;

    CPoint toLogical(const CPoint& device) const;

    void* systemWindow;
    VSTGUIEditorInterface* editor;
    double scale = 1.0;
    std::vector<CView*> views;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    CView* mouseCaptureView = nullptr;
    std::vector<CRect> invalidRects;
    std::map<int32_t, int32_t> editDepth;
    // Declared before the back buffer so the drawing back end outlives every canvas.
    DrawingBackendLease drawingBackend;
    std::unique_ptr<COffscreenContext> backBuffer;
    std::unique_ptr<PlatformWindow> platformWindow;
    bool painting = false;
    bool pumpingEvents = false;
};
