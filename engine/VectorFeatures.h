#pragma once

// The vector instruction sets this processor and its operating system both support: the wider
// kernels are chosen by them at run time, and benchmarks print them beside the choice.
namespace vectorfeatures
{
bool avx2();
// Fused multiply-add (FMA3), with the system saving the 256-bit registers.
bool fma();
// AVX-512 F and VL, with the system saving the mask and 512-bit registers.
bool avx512();
// The names of those present, in order, separated by spaces: "sse2 avx avx2 fma avx512f ...".
const char* names();
} // namespace vectorfeatures
