#pragma once

#include "AEffGUIEditor.h"
#include "CControlListener.h"
#include "CRect.h"
#include "EditorLayout.h"
#include "MeterBallistics.h"

#include <atomic>
#include <cstdint>
#include <thread>

class CAnimKnob;
class CBitmap;
class CCompMeter;
class CControl;
class CMovieBitmap;
class COnOffButton;
class CParamDisplay;
class CScala;
class CTextKnob;
class CTextSplash;
class CTransferFunction;
class CVerticalSwitch;
class LevelMeter;

// The plug-in's editor window. It lives as long as the effect; its frame and the 35 views on
// it exist only between open and close. Controls report to it and it sets the effect's
// parameters as automation; every parameter change inside the effect comes back through
// setParameter, so the controls always show what the effect holds. On idle it refreshes the
// meters from the effect's published values.
class VstTemplateGUI : public AEffGUIEditor, public CControlListener
{
  public:
    // Everything the editor reads or changes of the effect goes through `access`; the first
    // form borrows it, the second keeps it.
    explicit VstTemplateGUI(EditorAccess& access);
    explicit VstTemplateGUI(std::unique_ptr<EditorAccess> ownAccess);
    ~VstTemplateGUI() override;

    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    void restartRefreshClock() override;
    void setParameter(VstInt32 index, float value) override;

    // CControlListener
    void valueChanged(CControl* control) override;

    // Dims the value texts whose parameters have no effect in the current state.
    void refreshTextColours();

    const MeterBallistics& getBallistics() const { return ballistics; }

    // The editor's size when its background image is missing.
    static constexpr int kDefaultWidth = layout::kWidth;
    static constexpr int kDefaultHeight = layout::kHeight;

  private:
    struct Bitmaps;
    void sizeFromBackground();
    float parameter(VstInt32 index) const;
    float meterValue(MeterValueIndex which) const;
    void createViews(const Bitmaps& bitmaps);
    void createKnobsAndDisplays(const Bitmaps& bitmaps);
    void createTextKnobs(const Bitmaps& bitmaps);
    void createSwitches(const Bitmaps& bitmaps);
    void createDisplays();
    void addTextKnob(CTextKnob*& field, const CRect& rect, VstInt32 tag, const Bitmaps& bitmaps,
                     float defaultValue);
    void pushTransferSettings();
    void echo(VstInt32 index, float v);
    void echoNow(VstInt32 index);
    void adoptCallingThread();
    void applyPendingEchoes();
    void refreshMeters();
    void updateLamps(std::uint32_t dtMs);
    void forgetViews();

    CParamDisplay* versionDisplay = nullptr;
    CAnimKnob* thresholdKnob = nullptr;
    CParamDisplay* thresholdDisplay = nullptr;
    CAnimKnob* kneeKnob = nullptr;
    CParamDisplay* kneeDisplay = nullptr;
    CAnimKnob* ratioKnob = nullptr;
    CParamDisplay* ratioDisplay = nullptr;
    CTextKnob* detectionKnob = nullptr;
    CAnimKnob* attackKnob = nullptr;
    CParamDisplay* attackDisplay = nullptr;
    CAnimKnob* releaseKnob = nullptr;
    CParamDisplay* releaseDisplay = nullptr;
    CAnimKnob* releaseSlowKnob = nullptr;
    CParamDisplay* releaseSlowDisplay = nullptr;
    CVerticalSwitch* scFilterTypeSwitch = nullptr;
    CAnimKnob* scFilterFreqKnob = nullptr;
    CParamDisplay* scFilterFreqDisplay = nullptr;
    CAnimKnob* makeUpKnob = nullptr;
    CParamDisplay* makeUpDisplay = nullptr;
    CAnimKnob* dryMixKnob = nullptr;
    CParamDisplay* dryMixDisplay = nullptr;
    COnOffButton* hfHarmonicsButton = nullptr;
    CTextKnob* hfAmountKnob = nullptr;
    COnOffButton* lfHarmonicsButton = nullptr;
    CTextKnob* lfAmountKnob = nullptr;
    COnOffButton* bypassButton = nullptr;
    COnOffButton* deltaButton = nullptr;
    COnOffButton* scPreviewButton = nullptr;
    LevelMeter* levelMeter = nullptr;
    CCompMeter* compMeter = nullptr;
    CScala* scala = nullptr;
    CTransferFunction* transferFunction = nullptr;
    CMovieBitmap* fastReleaseLamp = nullptr;
    CMovieBitmap* slowReleaseLamp = nullptr;
    CTextSplash* splash = nullptr;

    RefreshGate refreshGate;
    MeterBallistics ballistics;

    // Hosts may change parameters (programs, automation) from their audio or automation
    // threads while the window's own thread draws. Only the thread that runs the window
    // touches the views; changes from other threads leave a bit here, and the next idle
    // pass echoes them.
    std::atomic<std::thread::id> windowThread{};
    std::atomic<std::uint32_t> pendingEchoes{0};
};
