#pragma once

#include "GainComputer.h"
#include "Harmonics.h"
#include "LevelDetector.h"
#include "SideChainFilter.h"

// Every coefficient and switch the audio path reads. The audio thread builds it from the stored
// settings and hands it to EngineCore whole, between blocks.
struct EngineDesign
{
    double hostRate = 44100.0;
    double internalRate = 44100.0;
    GainComputer::Settings gain;
    LevelDetector::Settings detector;
    SideChainFilter::Design sideChain;
    Harmonics::Design harmonics;
    bool preview = false;
    bool delta = false;
    double makeUp = 1.0;
    double dry = 1.0;

    // Re-designs every rate-dependent part: smoothers, side-chain and harmonics filters.
    void setRates(double host, double internal)
    {
        hostRate = host;
        internalRate = internal;
        gain.setRate(internal);
        detector.setRate(internal);
        harmonics.redesign(internal);
        setSideChain(sideChain.type, sideChain.frequency);
    }

    void setSideChain(int type, double frequency)
    {
        sideChain.redesign(type, frequency, internalRate, hostRate);
    }
};
