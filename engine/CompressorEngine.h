#pragma once

// The compressor's whole audio path for one effect instance. The effect owns one engine,
// hands it physical values through the setters (any thread) and runs one of the two per-frame
// operations from the audio thread.

class CompressorEngine
{
public:
    CompressorEngine();
    ~CompressorEngine();
    CompressorEngine(const CompressorEngine&) = delete;
    CompressorEngine& operator=(const CompressorEngine&) = delete;

    void setSampleRate(double hostRate);
    void reset();

    // left/right: input on entry, output on return.
    void processFrameOversampled(double& left, double& right, double& gain, double& fast,
                                 double& slow);
    void processFrameDirect(double& left, double& right, double& gain, double& fast,
                            double& slow);

    // Setters, physical units.
    void setDetection(double timeMs);
    void setSideChainType(float normalised);
    void setSideChainFrequency(float hz);
    void setSideChainPreview(bool on);
    void setThreshold(double dB);
    void setKnee(double dB);
    void setRatio(double slope);
    void setAttack(double ms);
    void setRelease(double ms);
    void setReleaseSlow(double ms);
    void setMixDry(double gain);
    void setMakeUpGain(double gain);
    void setHfHarmonics(bool on);
    void setLfHarmonics(bool on);
    void setHfAmount(double amount);
    void setLfAmount(double amount);
    void setDelta(bool on);

    // Read-back of what the setters stored, for the effect's tests and diagnostics.
    double getHostRate() const;
    double getInternalRate() const;
    double getDetection() const;
    int getSideChainType() const;
    double getSideChainFrequency() const;
    bool getSideChainPreview() const;
    double getThreshold() const;
    double getKnee() const;
    double getRatio() const;
    double getAttack() const;
    double getRelease() const;
    double getReleaseSlow() const;
    double getMixDry() const;
    double getMakeUpGain() const;
    bool getHfHarmonics() const;
    bool getLfHarmonics() const;
    double getHfAmount() const;
    double getLfAmount() const;
    bool getDelta() const;

private:
    struct State;
    State* s;
};
