#pragma once

#include "ClapExtensions.h"

#include <cstdint>

// How a CLAP host sees each parameter's value. A continuous parameter and a switch keep the
// effect's normalised 0..1 (a switch as the integers 0 and 1); a list is stepped, so its values
// are the positions 0..n-1, each standing for its entry's normalised value. Every id is the
// parameter's index.
namespace clapvalues
{

bool isParameterId(clap_id id);

// The whole record a host asks for; false for an id that is no parameter.
bool describe(clap_id id, clap_param_info_t& info);

// The value the host shows for a stored normalised value: a list's position is the entry whose
// text the value shows, so a value set between entries by another format reads back sensibly.
double toClap(clap_id id, float normalised);

// The normalised value for a host's value, clamped to the parameter's range; stepped values are
// rounded to the nearest step. False for a value that is not finite.
bool toNormalised(clap_id id, double value, float& normalised);

} // namespace clapvalues
