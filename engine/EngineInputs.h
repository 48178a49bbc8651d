#pragma once

#include "EngineInput.h"

class CompressorEngine;

// Hands one physical value to the engine input it names; None does nothing.
void applyEngineInput(CompressorEngine& engine, EngineInput input, double value);
