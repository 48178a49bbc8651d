#pragma once

// The steps of the AVX-512 kernels, compiled once for each: the including file defines
// OFC_AVX512_TARGET, the instruction sets its functions are built for ("avx512f,avx512vl", with
// ",fma" for the kernel that also adds on the multiply units). Built through function attributes
// only, like the AVX2 kernels, and run only after the processor and system check.
//
// Thirty-two frames per step in four vectors of eight, one residue r at a time. A vector holds
// eight frames but the taps of a residue are four apart, so a residue's taps form two streams,
// j = r + 8t and j = r + 4 + 8t, taken in turn (which keeps the sum in increasing j). Within a
// stream the frames move by one vector from tap to tap: each tap loads one vector per side and
// reuses three, and the vectors change roles rather than registers, as in the AVX2 kernels. The 32
// registers hold both streams' vectors, the residue's sums and the finished residues' sums.
// Frames that do not fill a step go through an AVX2 kernel, which this processor also runs.
//
// A tap takes eight additions and four multiplications. Where the processor adds on two units and
// multiplies on two others (AMD's since Zen), the FMA kernel moves two of the four sums' additions
// to the multiply units, six operations on each side. The sums rather than the pair sums: FMA
// overwrites one of its operands, here the sum, as the addition does, so it needs no copy and no
// register, and at six cycles a tap (Zen 4) the sums' chains have room for its longer latency.

#ifndef OFC_AVX512_TARGET
#error "define OFC_AVX512_TARGET before including HalfBandAvx512Steps.h"
#endif

#include "HalfBandKernels.h"

#include <immintrin.h>
#include <utility>

namespace halfband
{
namespace
{
#define OFC_AVX512 __attribute__((target(OFC_AVX512_TARGET), always_inline)) inline

// x + y, on the multiply units if Fused: x * 1.0 is exact, so fma(x, 1.0, y) rounds once, exactly
// where x + y does, and the kernel keeps the scalar kernel's bits (see the AVX2 steps).
template <bool Fused> OFC_AVX512 __m512d add(__m512d x, __m512d y)
{
    if constexpr (Fused)
        return _mm512_fmadd_pd(x, _mm512_set1_pd(1.0), y);
    else
        return _mm512_add_pd(x, y);
}

template <int N> struct Stream
{
    const double* back;    // back vector 0 of the stream's next tap: x + i - j
    const double* forward; // forward vector 0 of the next tap: x + i - span + j
    // Back vector k of the stream's tap t is in register (k - t) mod N, forward vector k in
    // (k + t) mod N.
    __m512d b[N], f[N];
};

template <int N, bool Fma> struct Residue
{
    Stream<N> stream[2];
    const double* c; // the next tap's coefficient
    __m512d sum[N];
};

template <int N, bool Fma>
OFC_AVX512 void start(Residue<N, Fma>& s, const double* x, const double* c, int span, int r)
{
    for (int q = 0; q < 2; ++q)
    {
        Stream<N>& m = s.stream[q];
        m.back = x - r - 4 * q;
        m.forward = x - span + r + 4 * q;
        // The stream's first tap loads back vector 0 and forward vector N - 1 itself.
        for (int k = 1; k < N; ++k)
            m.b[k] = _mm512_loadu_pd(m.back + 8 * k);
        for (int k = 0; k + 1 < N; ++k)
            m.f[k] = _mm512_loadu_pd(m.forward + 8 * k);
    }
    s.c = c + r;
    for (int k = 0; k < N; ++k)
        s.sum[k] = _mm512_setzero_pd();
}

// Vector V of stream Q's tap t, t mod N = T; the FMA kernel fuses the sums of vectors 0 and 1.
// There each multiplication reads the coefficient itself, broadcast by the load ({1to8}): a
// broadcast into a register takes a slot of the units the fused additions fill (Zen 4). Left
// alone, the compiler would share one broadcast among the four; an empty asm per vector keeps
// them apart. The plain kernel, bound by its adders, shares one.
template <int N, bool Fma, int Q, int T, int V>
OFC_AVX512 void term(Residue<N, Fma>& s, const double* c)
{
    const Stream<N>& m = s.stream[Q];
    const __m512d pair = _mm512_add_pd(m.b[(V + N - T) % N], m.f[(V + T) % N]);
    if constexpr (Fma) __asm__("" : "+r"(c) : "i"(V));
    s.sum[V] = add < Fma && 2 * V<N>(_mm512_mul_pd(_mm512_set1_pd(*c), pair), s.sum[V]);
}

// The residue's tap 2t + Q, tap t of stream Q, with t mod N = T.
template <int N, bool Fma, int Q, int T, int... V>
OFC_AVX512 void tap(Residue<N, Fma>& s, std::integer_sequence<int, V...>)
{
    Stream<N>& m = s.stream[Q];
    m.b[(N - T) % N] = _mm512_loadu_pd(m.back);
    m.f[(N - 1 + T) % N] = _mm512_loadu_pd(m.forward + 8 * (N - 1));
    m.back -= 8;
    m.forward += 8;
    (term<N, Fma, Q, T, V>(s, s.c), ...);
    s.c += 4;
}

template <int N, bool Fma, int Q, int T> OFC_AVX512 void tap(Residue<N, Fma>& s)
{
    tap<N, Fma, Q, T>(s, std::make_integer_sequence<int, N>{});
}

template <int N, bool Fma, int... I>
OFC_AVX512 void taps(Residue<N, Fma>& s, std::integer_sequence<int, I...>)
{
    (tap<N, Fma, I % 2, I / 2 % N>(s), ...);
}

// The taps i < n of the last, partial round.
template <int N, bool Fma, int... I>
OFC_AVX512 void lastTaps(Residue<N, Fma>& s, int n, std::integer_sequence<int, I...>)
{
    static_cast<void>(((I < n ? (tap<N, Fma, I % 2, I / 2 % N>(s), true) : false) && ...));
}

template <int N, bool Fma>
OFC_AVX512 void residue(Residue<N, Fma>& s, const double* x, const double* c, int pairs, int r)
{
    start(s, x, c, 2 * pairs - 1, r);
    const int count = (pairs - r + 3) / 4;
    int i = 0;
    for (; i + 2 * N <= count; i += 2 * N)
        taps(s, std::make_integer_sequence<int, 2 * N>{});
    lastTaps(s, count - i, std::make_integer_sequence<int, 2 * N>{});
}

template <int N, bool Fma>
OFC_AVX512 void step(const double* x, const double* c, int pairs, double* out)
{
    __m512d even[N], odd[N];
    Residue<N, Fma> s;
    residue(s, x, c, pairs, 0);
    for (int v = 0; v < N; ++v)
        even[v] = s.sum[v];
    residue(s, x, c, pairs, 2);
    for (int v = 0; v < N; ++v)
        even[v] = _mm512_add_pd(even[v], s.sum[v]);
    residue(s, x, c, pairs, 1);
    for (int v = 0; v < N; ++v)
        odd[v] = s.sum[v];
    residue(s, x, c, pairs, 3);
    for (int v = 0; v < N; ++v)
        _mm512_storeu_pd(out + 8 * v, _mm512_add_pd(even[v], _mm512_add_pd(odd[v], s.sum[v])));
}

// The kernel; the frames that do not fill a step go through the AVX2 kernel `tail`.
template <bool Fma>
OFC_AVX512 void run(const double* x, const double* c, int pairs, int frames, double* out,
                    HalfBandKernel tail)
{
    int i = 0;
    // Fewer than four pairs would leave a stream without taps, whose first vectors lie outside.
    for (; pairs >= 4 && i + 32 <= frames; i += 32)
        step<4, Fma>(x + i, c, pairs, out + i);
    tail(x + i, c, pairs, frames - i, out + i);
}

#undef OFC_AVX512
} // namespace
} // namespace halfband
