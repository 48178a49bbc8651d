#pragma once

// Which encoding of the feedback loop engines run: "avx512" (the EVEX encoding, whose 32
// registers keep the loop's states out of memory), "avx" (the VEX encoding) or "sse2" (the
// baseline). All give the same bits; a benchmark compares them by naming one in kVariable before
// the first engine is made.
namespace feedbackloop
{
inline constexpr const char* kVariable = "OFC_FEEDBACK_LOOP";

enum class Encoding
{
    Sse2,
    Avx,
    Avx512
};

const char* name(Encoding encoding);
bool processorRuns(Encoding encoding);
// Whether an encoding of that name runs on this processor.
bool runs(const char* name);
// The names of the encodings this processor runs, widest last, separated by ", ".
const char* namesRunHere();
// The encoding engines run, chosen once: the one kVariable names if it runs here, else the
// widest that runs.
Encoding chosenEncoding();
const char* chosen();
} // namespace feedbackloop
