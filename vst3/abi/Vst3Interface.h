#pragma once

// Everything a VST 3 plug-in of this product sees of the binary interface.

#include "Vst3Base.h"
#include "Vst3Controller.h"
#include "Vst3Entry.h"
#include "Vst3Factory.h"
#include "Vst3Processor.h"
#include "Vst3View.h"
