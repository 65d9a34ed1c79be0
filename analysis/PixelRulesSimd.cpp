#include "analysis/PixelRulesSimd.h"

#include "analysis/ViewModes.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VOVIRO_HAVE_SSSE3_PATH 1
#endif

namespace analysis {

#ifdef VOVIRO_HAVE_SSSE3_PATH

namespace {

struct Masks {
    alignas(16) int8_t split[3][3][16]; // [channel][input vector][position]
    alignas(16) int8_t join[3][3][16]; // [output vector][channel][position]
};

constexpr Masks MakeMasks()
{
    Masks m {};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 3; ++v)
            for (int i = 0; i < 16; ++i) {
                const int byte = 3 * i + c - 16 * v;
                m.split[c][v][i] = static_cast<int8_t>(byte >= 0 && byte < 16 ? byte : -128);
            }
    for (int v = 0; v < 3; ++v)
        for (int p = 0; p < 16; ++p) {
            const int j = 16 * v + p;
            for (int c = 0; c < 3; ++c)
                m.join[v][c][p] = static_cast<int8_t>(j % 3 == c ? j / 3 : -128);
        }
    return m;
}

constexpr Masks kMasks = MakeMasks();

#define VX_SSSE3 __attribute__((target("ssse3"), always_inline)) inline

VX_SSSE3 __m128i Mask(const int8_t* m)
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(m));
}

// The three channels (blue, green, red) of 16 pixels.
struct Channels {
    __m128i c[3];
};

VX_SSSE3 Channels Split(const uint8_t* in)
{
    const __m128i a[3] = { _mm_loadu_si128(reinterpret_cast<const __m128i*>(in)),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16)),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 32)) };
    Channels x;
    for (int c = 0; c < 3; ++c)
        x.c[c] = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a[0], Mask(kMasks.split[c][0])),
                                  _mm_shuffle_epi8(a[1], Mask(kMasks.split[c][1]))),
            _mm_shuffle_epi8(a[2], Mask(kMasks.split[c][2])));
    return x;
}

VX_SSSE3 void Join(const Channels& x, uint8_t* out)
{
    for (int v = 0; v < 3; ++v) {
        const __m128i bytes = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(x.c[0], Mask(kMasks.join[v][0])),
                                               _mm_shuffle_epi8(x.c[1], Mask(kMasks.join[v][1]))),
            _mm_shuffle_epi8(x.c[2], Mask(kMasks.join[v][2])));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * v), bytes);
    }
}

VX_SSSE3 __m128i Is255(__m128i v)
{
    return _mm_cmpeq_epi8(v, _mm_set1_epi8(-1));
}

// A rule gives false for a group it leaves to the scalar rule; the row stops there.
template <class Rule>
__attribute__((target("ssse3"))) int RunRow(const uint8_t* in, uint8_t* out, int width, bool oddRow, Rule rule)
{
    const __m128i odd = oddRow ? _mm_set1_epi8(-1) : _mm_setzero_si128();
    int x = 0;
    for (; x + 16 <= width; x += 16, in += 48, out += 48) {
        Channels result;
        if (!rule(Split(in), odd, result))
            break;
        Join(result, out);
    }
    return x;
}

// The byte order is blue (0), green (1), red (2).
template <int C> struct ChannelGrey {
    VX_SSSE3 bool operator()(const Channels& x, __m128i, Channels& r) const
    {
        r = { { x.c[C], x.c[C], x.c[C] } };
        return true;
    }
};

template <int C> struct InvertWhenClipped {
    VX_SSSE3 bool operator()(const Channels& x, __m128i, Channels& r) const
    {
        const __m128i m = Is255(x.c[C]);
        r = { { _mm_xor_si128(x.c[0], m), _mm_xor_si128(x.c[1], m), _mm_xor_si128(x.c[2], m) } };
        return true;
    }
};

template <int C> struct Overflow {
    VX_SSSE3 bool operator()(const Channels& x, __m128i, Channels& r) const
    {
        const __m128i v = x.c[C];
        const __m128i other = _mm_andnot_si128(Is255(v), v);
        r = { { other, other, other } };
        r.c[C] = v;
        return true;
    }
};

VX_SSSE3 Channels BlackWhere(__m128i m, const Channels& x)
{
    return { { _mm_andnot_si128(m, x.c[0]), _mm_andnot_si128(m, x.c[1]), _mm_andnot_si128(m, x.c[2]) } };
}

struct WhiteBlack {
    VX_SSSE3 bool operator()(const Channels& x, __m128i, Channels& r) const
    {
        r = BlackWhere(Is255(_mm_and_si128(_mm_and_si128(x.c[0], x.c[1]), x.c[2])), x);
        return true;
    }
};

// Any channel at 255: black (the blink's vanished marks).
struct AnyBlack {
    VX_SSSE3 bool operator()(const Channels& x, __m128i, Channels& r) const
    {
        r = BlackWhere(_mm_or_si128(_mm_or_si128(Is255(x.c[0]), Is255(x.c[1])), Is255(x.c[2])), x);
        return true;
    }
};

// round(0.299 r + 0.587 g + 0.114 b) of four pixels from 32-bit sums 299 r + 587 g + 114 b:
// (sum + 500) / 1000 in exact float steps. False when a sum is an exact tie,
// which the scalar rule decides.
VX_SSSE3 bool RoundThousandths(__m128i sum, __m128i& rounded)
{
    const __m128 t = _mm_cvtepi32_ps(_mm_add_epi32(sum, _mm_set1_epi32(500)));
    __m128i k = _mm_cvttps_epi32(_mm_mul_ps(t, _mm_set1_ps(0.001f)));
    const __m128 rest = _mm_sub_ps(t, _mm_mul_ps(_mm_cvtepi32_ps(k), _mm_set1_ps(1000.0f)));
    // The product may land one off near a multiple of 1000; the exact remainder corrects it.
    k = _mm_sub_epi32(k, _mm_castps_si128(_mm_cmpge_ps(rest, _mm_set1_ps(1000.0f))));
    k = _mm_add_epi32(k, _mm_castps_si128(_mm_cmplt_ps(rest, _mm_setzero_ps())));
    const __m128 exact = _mm_sub_ps(t, _mm_mul_ps(_mm_cvtepi32_ps(k), _mm_set1_ps(1000.0f)));
    rounded = k;
    return _mm_movemask_ps(_mm_cmpeq_ps(exact, _mm_setzero_ps())) == 0;
}

// Luminance of 16 pixels; false when one of them is an exact tie.
VX_SSSE3 bool Luminance16(const Channels& x, __m128i& y)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i rg = _mm_set1_epi32((587 << 16) | 299), b0 = _mm_set1_epi32(114);
    __m128i words[2];
    for (int half = 0; half < 2; ++half) {
        const __m128i r = half ? _mm_unpackhi_epi8(x.c[2], zero) : _mm_unpacklo_epi8(x.c[2], zero);
        const __m128i g = half ? _mm_unpackhi_epi8(x.c[1], zero) : _mm_unpacklo_epi8(x.c[1], zero);
        const __m128i b = half ? _mm_unpackhi_epi8(x.c[0], zero) : _mm_unpacklo_epi8(x.c[0], zero);
        __m128i sums[2];
        for (int q = 0; q < 2; ++q) {
            const __m128i pairs = q ? _mm_unpackhi_epi16(r, g) : _mm_unpacklo_epi16(r, g);
            const __m128i blue = q ? _mm_unpackhi_epi16(b, zero) : _mm_unpacklo_epi16(b, zero);
            const __m128i sum = _mm_add_epi32(_mm_madd_epi16(pairs, rg), _mm_madd_epi16(blue, b0));
            if (!RoundThousandths(sum, sums[q]))
                return false;
        }
        words[half] = _mm_packs_epi32(sums[0], sums[1]);
    }
    y = _mm_packus_epi16(words[0], words[1]);
    return true;
}

// Magenta on pure white, else the luminance in grey.
struct WhiteOverflow {
    VX_SSSE3 bool operator()(const Channels& x, __m128i, Channels& r) const
    {
        __m128i y;
        if (!Luminance16(x, y))
            return false;
        const __m128i m = Is255(_mm_and_si128(_mm_and_si128(x.c[0], x.c[1]), x.c[2]));
        const __m128i mixed = _mm_or_si128(m, y); // blue and red: 255 where white
        r = { { mixed, _mm_andnot_si128(m, y), mixed } };
        return true;
    }
};

struct AllChannels {
    VX_SSSE3 bool operator()(const Channels& x, __m128i odd, Channels& r) const
    {
        const __m128i mb = Is255(x.c[0]), mg = Is255(x.c[1]), mr = Is255(x.c[2]);
        const __m128i any = _mm_or_si128(_mm_or_si128(mb, mg), mr);
        const __m128i two
            = _mm_or_si128(_mm_or_si128(_mm_and_si128(mb, mg), _mm_and_si128(mb, mr)), _mm_and_si128(mg, mr));
        const __m128i three = _mm_and_si128(_mm_and_si128(mb, mg), mr);
        // One channel at 255 on every row, exactly two on odd rows: the pure colour of the clipped channels.
        const __m128i one = _mm_andnot_si128(two, any);
        const __m128i exactlyTwo = _mm_andnot_si128(three, two);
        const __m128i mark = _mm_or_si128(one, _mm_and_si128(exactlyTwo, odd));
        const auto pick = [&](__m128i pure, __m128i kept) {
            return _mm_or_si128(_mm_and_si128(mark, pure), _mm_andnot_si128(mark, kept));
        };
        r = { { pick(mb, x.c[0]), pick(mg, x.c[1]), pick(mr, x.c[2]) } };
        return true;
    }
};

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

} // namespace

int ApplyRuleRowVector(int mode, const uint8_t* in, uint8_t* out, int width, bool oddRow)
{
    if (!HasSsse3())
        return 0;
    switch (mode) {
    case kModeRed:
        return RunRow(in, out, width, oddRow, ChannelGrey<2>());
    case kModeGreen:
        return RunRow(in, out, width, oddRow, ChannelGrey<1>());
    case kModeBlue:
        return RunRow(in, out, width, oddRow, ChannelGrey<0>());
    case kModeTobiAll:
        return RunRow(in, out, width, oddRow, AllChannels());
    case kModeTobiRed:
        return RunRow(in, out, width, oddRow, InvertWhenClipped<2>());
    case kModeTobiGreen:
        return RunRow(in, out, width, oddRow, InvertWhenClipped<1>());
    case kModeTobiBlue:
        return RunRow(in, out, width, oddRow, InvertWhenClipped<0>());
    case kModeTobiWhite:
        return RunRow(in, out, width, oddRow, WhiteBlack());
    case kModeRedOver:
        return RunRow(in, out, width, oddRow, Overflow<2>());
    case kModeGreenOver:
        return RunRow(in, out, width, oddRow, Overflow<1>());
    case kModeBlueOver:
        return RunRow(in, out, width, oddRow, Overflow<0>());
    case kModeWhiteOver:
        return RunRow(in, out, width, oddRow, WhiteOverflow());
    case kRuleBlackOutClipped:
        return RunRow(in, out, width, oddRow, AnyBlack());
    default:
        return 0;
    }
}

#else

int ApplyRuleRowVector(int, const uint8_t*, uint8_t*, int, bool)
{
    return 0;
}

#endif

} // namespace analysis
