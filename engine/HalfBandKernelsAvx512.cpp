#include "HalfBandKernels.h"

#if OFC_HALFBAND_AVX512

#include <immintrin.h>
#include <utility>

// Built for AVX-512 (F and VL) through function attributes only, like the AVX2 kernel, and run
// only after the processor and system check.
//
// Thirty-two frames per step in four vectors of eight, one residue r at a time. A vector holds
// eight frames but the taps of a residue are four apart, so a residue's taps form two streams,
// j = r + 8t and j = r + 4 + 8t, taken in turn (which keeps the sum in increasing j). Within a
// stream the frames move by one vector from tap to tap: each tap loads one vector per side and
// reuses three, and the vectors change roles rather than registers, as in the AVX2 kernel. The 32
// registers hold both streams' vectors, the residue's sums and the finished residues' sums.
// Frames that do not fill a step go through the AVX2 kernel, which this processor also runs.
namespace halfband
{
namespace
{
#define OFC_AVX512 __attribute__((target("avx512f,avx512vl"), always_inline)) inline

template <int N> struct Stream
{
    const double* back;    // back vector 0 of the stream's next tap: x + i - j
    const double* forward; // forward vector 0 of the next tap: x + i - span + j
    // Back vector k of the stream's tap t is in register (k - t) mod N, forward vector k in
    // (k + t) mod N.
    __m512d b[N], f[N];
};

template <int N> struct Residue
{
    Stream<N> stream[2];
    const double* c; // the next tap's coefficient
    __m512d sum[N];
};

template <int N>
OFC_AVX512 void start(Residue<N>& s, const double* x, const double* c, int span, int r)
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

// The residue's tap 2t + Q, tap t of stream Q, with t mod N = T.
template <int N, int Q, int T> OFC_AVX512 void tap(Residue<N>& s)
{
    Stream<N>& m = s.stream[Q];
    m.b[(N - T) % N] = _mm512_loadu_pd(m.back);
    m.f[(N - 1 + T) % N] = _mm512_loadu_pd(m.forward + 8 * (N - 1));
    m.back -= 8;
    m.forward += 8;
    const __m512d k = _mm512_set1_pd(*s.c);
    s.c += 4;
    for (int v = 0; v < N; ++v)
    {
        const __m512d pair = _mm512_add_pd(m.b[(v + N - T) % N], m.f[(v + T) % N]);
        s.sum[v] = _mm512_add_pd(s.sum[v], _mm512_mul_pd(k, pair));
    }
}

template <int N, int... P> OFC_AVX512 void taps(Residue<N>& s, std::integer_sequence<int, P...>)
{
    (tap<N, P % 2, P / 2 % N>(s), ...);
}

// The taps p < n of the last, partial round.
template <int N, int... P>
OFC_AVX512 void lastTaps(Residue<N>& s, int n, std::integer_sequence<int, P...>)
{
    static_cast<void>(((P < n ? (tap<N, P % 2, P / 2 % N>(s), true) : false) && ...));
}

template <int N>
OFC_AVX512 void residue(Residue<N>& s, const double* x, const double* c, int pairs, int r)
{
    start(s, x, c, 2 * pairs - 1, r);
    const int count = (pairs - r + 3) / 4;
    int p = 0;
    for (; p + 2 * N <= count; p += 2 * N)
        taps<N>(s, std::make_integer_sequence<int, 2 * N>{});
    lastTaps<N>(s, count - p, std::make_integer_sequence<int, 2 * N>{});
}

template <int N> OFC_AVX512 void step(const double* x, const double* c, int pairs, double* out)
{
    __m512d even[N], odd[N];
    Residue<N> s;
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

#undef OFC_AVX512
} // namespace

__attribute__((target("avx512f,avx512vl"))) void avx512(const double* x, const double* c, int pairs,
                                                        int frames, double* out)
{
    int i = 0;
    // Fewer than four pairs would leave a stream without taps, whose first vectors lie outside.
    for (; pairs >= 4 && i + 32 <= frames; i += 32)
        step<4>(x + i, c, pairs, out + i);
    avx2(x + i, c, pairs, frames - i, out + i);
}
} // namespace halfband

#endif
