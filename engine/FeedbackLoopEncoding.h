#pragma once

// Which encoding of the feedback loop engines run: "avx" (the VEX encoding, where the processor
// has AVX) or "sse2" (the baseline). Both give the same bits; a benchmark compares them by
// naming one in kVariable before the first engine is made.
namespace feedbackloop
{
inline constexpr const char* kVariable = "OFC_FEEDBACK_LOOP";

bool processorRunsAvx();
// Whether an encoding of that name runs on this processor.
bool runs(const char* name);
// The encoding engines run, chosen once: the one kVariable names if it runs here, else "avx"
// where it runs, else "sse2".
const char* chosen();
bool avxChosen();
} // namespace feedbackloop
