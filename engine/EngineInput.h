#pragma once

// The engine's inputs by name, so that a parameter row can say which one it drives without
// calling the engine: the parameter model is shared with user interfaces that carry no engine.
// Each input takes one physical value (switches: 1 on, 0 off); the effect hands it over.
enum class EngineInput
{
    None, // the parameter drives no engine input
    Detection,
    SideChainType,
    SideChainFrequency,
    SideChainPreview,
    Threshold,
    Knee,
    Ratio,
    Attack,
    Release,
    ReleaseSlow,
    MixDry,
    MakeUpGain,
    HfHarmonics,
    LfHarmonics,
    HfAmount,
    LfAmount,
    Delta,
};
