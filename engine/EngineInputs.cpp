#include "EngineInputs.h"

#include "CompressorEngine.h"

// The two side-chain inputs take single-precision values: the type its normalised value, the
// frequency the parameter model's single-precision result, both exact through double.
void applyEngineInput(CompressorEngine& e, EngineInput input, double v)
{
    const bool on = v != 0.0;
    switch (input)
    {
    case EngineInput::None:
        break;
    case EngineInput::Detection:
        return e.setDetection(v);
    case EngineInput::SideChainType:
        return e.setSideChainType(static_cast<float>(v));
    case EngineInput::SideChainFrequency:
        return e.setSideChainFrequency(static_cast<float>(v));
    case EngineInput::SideChainPreview:
        return e.setSideChainPreview(on);
    case EngineInput::Threshold:
        return e.setThreshold(v);
    case EngineInput::Knee:
        return e.setKnee(v);
    case EngineInput::Ratio:
        return e.setRatio(v);
    case EngineInput::Attack:
        return e.setAttack(v);
    case EngineInput::Release:
        return e.setRelease(v);
    case EngineInput::ReleaseSlow:
        return e.setReleaseSlow(v);
    case EngineInput::MixDry:
        return e.setMixDry(v);
    case EngineInput::MakeUpGain:
        return e.setMakeUpGain(v);
    case EngineInput::HfHarmonics:
        return e.setHfHarmonics(on);
    case EngineInput::LfHarmonics:
        return e.setLfHarmonics(on);
    case EngineInput::HfAmount:
        return e.setHfAmount(v);
    case EngineInput::LfAmount:
        return e.setLfAmount(v);
    case EngineInput::Delta:
        return e.setDelta(on);
    }
}
