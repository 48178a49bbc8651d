#pragma once

namespace ofcbench
{

// Prints what one parameter change costs our engine's audio thread: the time its next block
// spends re-designing what the setter marked, for a few representative setters.
void printDesignCost();

} // namespace ofcbench
