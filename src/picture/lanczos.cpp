#include "lanczos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define PELMORA_AVX2 1
#endif

namespace pelmora {

namespace {

constexpr double kLobes = 3.0;

double lanczos3(double x) {
    x = std::abs(x);
    if (x < 1e-9)
        return 1.0;
    if (x >= kLobes)
        return 0.0;
    const double px = std::numbers::pi * x;
    return kLobes * std::sin(px) * std::sin(px / kLobes) / (px * px);
}

// Weights are fixed-point numbers with 14 fraction bits; the vertical pass keeps 6 fraction bits
// of its sums for the horizontal one. Sums stay far inside 32 bits: at most 255 * 2^14 * 1.3 per
// vertical sum, 2^14 * (320 * 2^6) * 1.3 per horizontal one.
constexpr int kWeightBits = 14;
constexpr int kInterBits = 6;
constexpr int kVerticalShift = kWeightBits - kInterBits;
constexpr int kHorizontalShift = kWeightBits + kInterBits;

// For every output position along one axis: the first source index and the weights of the
// consecutive source indices from there, in pairs (low 16 bits: the even tap, high: the odd
// one), summing to exactly 1 << kWeightBits. An odd last tap is paired with a zero weight.
struct AxisWeights {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::int32_t> pairs; // `stride` per output position
    int stride = 0;
};

std::int32_t weightPair(int even, int odd) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(even)) |
                                     static_cast<std::uint32_t>(static_cast<std::uint16_t>(odd))
                                         << 16);
}

AxisWeights axisWeights(int available, double origin, double extent, int outputs) {
    const double scale = extent / outputs;
    const double filterScale = std::max(1.0, scale);
    const double support = kLobes * filterScale;
    // Taps beyond the picture repeat its edge pixels. A pixel only partly inside the extent was
    // decoded partly from the encoder's padding, whatever that holds: it counts as outside.
    constexpr double slack = 1e-6;
    const double end = origin + extent;
    int lo = static_cast<int>(std::ceil(origin - slack));
    int hi = static_cast<int>(std::floor(end + slack)) - 1;
    if (hi < lo) { // less than one whole pixel: take the ones it touches
        lo = static_cast<int>(std::floor(origin));
        hi = static_cast<int>(std::ceil(end)) - 1;
    }
    lo = std::clamp(lo, 0, available - 1);
    hi = std::clamp(hi, lo, available - 1);

    const int maxTaps = static_cast<int>(std::ceil(2 * support)) + 2;
    AxisWeights axis;
    axis.stride = (maxTaps + 1) / 2;
    axis.first.resize(outputs);
    axis.count.resize(outputs);
    axis.pairs.assign(std::size_t(outputs) * axis.stride, 0);
    std::vector<double> taps(maxTaps);
    std::vector<int> fixed(2 * axis.stride);
    for (int i = 0; i < outputs; ++i) {
        const double centre = origin + (i + 0.5) * scale; // in source coordinates
        const int from = static_cast<int>(std::ceil(centre - 0.5 - support));
        const int to = static_cast<int>(std::floor(centre - 0.5 + support));
        const int first = std::clamp(from, lo, hi);
        const int last = std::clamp(to, lo, hi);
        std::fill(taps.begin(), taps.end(), 0.0);
        double sum = 0;
        for (int j = from; j <= to; ++j) {
            const double w = lanczos3((j + 0.5 - centre) / filterScale);
            taps[std::clamp(j, lo, hi) - first] += w;
            sum += w;
        }
        const int count = last - first + 1;
        axis.first[i] = first;
        axis.count[i] = count;

        // Rounded to fixed point; what rounding lost or added goes to the largest weight, so a
        // flat area stays exactly flat.
        std::fill(fixed.begin(), fixed.end(), 0);
        int total = 0;
        int largest = 0;
        for (int t = 0; t < count; ++t) {
            const double w = sum != 0 ? taps[t] / sum : (t == 0 ? 1.0 : 0.0);
            fixed[t] = static_cast<int>(std::lround(w * (1 << kWeightBits)));
            total += fixed[t];
            if (fixed[t] > fixed[largest])
                largest = t;
        }
        fixed[largest] += (1 << kWeightBits) - total;
        std::int32_t *out = &axis.pairs[std::size_t(i) * axis.stride];
        for (int p = 0; p < (count + 1) / 2; ++p)
            out[p] = weightPair(fixed[2 * p], fixed[2 * p + 1]);
    }
    return axis;
}

int evenWeight(std::int32_t pair) {
    return static_cast<std::int16_t>(pair & 0xFFFF);
}

int oddWeight(std::int32_t pair) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(pair) >> 16);
}

// One row of the vertical pass over `bytes` channel values: out = sum of weight * row over the
// taps, kept with kInterBits fraction bits. Each sum stays in a register across all taps.
void verticalPass(const uchar *const *rows, const std::int32_t *pairs, int count, int bytes,
                  std::int16_t *out, int k = 0) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (kVerticalShift - 1));
    for (; k + 16 <= bytes; k += 16) {
        __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
        for (int t = 0; t < count; t += 2) {
            const __m128i w = _mm_set1_epi32(pairs[t / 2]);
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[t] + k));
            const __m128i b =
                t + 1 < count ? _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[t + 1] + k))
                              : zero;
            // interleaved as (row t, row t + 1) pairs of 16-bit values, one pair per channel
            const __m128i lo = _mm_unpacklo_epi8(a, b);
            const __m128i hi = _mm_unpackhi_epi8(a, b);
            s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), w));
            s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), w));
            s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), w));
            s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), w));
        }
        s0 = _mm_srai_epi32(_mm_add_epi32(s0, half), kVerticalShift);
        s1 = _mm_srai_epi32(_mm_add_epi32(s1, half), kVerticalShift);
        s2 = _mm_srai_epi32(_mm_add_epi32(s2, half), kVerticalShift);
        s3 = _mm_srai_epi32(_mm_add_epi32(s3, half), kVerticalShift);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + k), _mm_packs_epi32(s0, s1));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + k + 8), _mm_packs_epi32(s2, s3));
    }
#endif
    for (; k < bytes; ++k) {
        int sum = 0;
        for (int t = 0; t < count; ++t) {
            const std::int32_t pair = pairs[t / 2];
            sum += (t % 2 ? oddWeight(pair) : evenWeight(pair)) * rows[t][k];
        }
        out[k] = static_cast<std::int16_t>((sum + (1 << (kVerticalShift - 1))) >> kVerticalShift);
    }
}

// One output row from one row of vertical sums (four channels per pixel, padded with at least
// one zero pixel so a pair of taps never reads beyond it). `opaque` is ORed into every pixel:
// 0xFF000000 for an opaque picture, 0 to keep the alpha channel computed.
void horizontalPass(const std::int16_t *column, const AxisWeights &axis, int outputs, QRgb *out,
                    QRgb opaque) {
    for (int x = 0; x < outputs; ++x) {
        const std::int32_t *pairs = &axis.pairs[std::size_t(x) * axis.stride];
        const std::int16_t *px = column + 4 * axis.first[x];
        const int pairCount = (axis.count[x] + 1) / 2;
#if defined(__SSE2__)
        __m128i sum = _mm_setzero_si128();
        for (int p = 0; p < pairCount; ++p) {
            // two neighbouring pixels as (even, odd) pairs per channel
            const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i *>(px + 8 * p));
            const __m128i interleaved = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(interleaved, _mm_set1_epi32(pairs[p])));
        }
        sum = _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kHorizontalShift - 1))),
                             kHorizontalShift);
        const __m128i i16 = _mm_packs_epi32(sum, sum);
        const __m128i i8 = _mm_packus_epi16(i16, i16);
        out[x] = static_cast<QRgb>(_mm_cvtsi128_si32(i8)) | opaque;
#else
        int sum[4] = {0, 0, 0, 0};
        for (int p = 0; p < pairCount; ++p)
            for (int c = 0; c < 4; ++c)
                sum[c] +=
                    evenWeight(pairs[p]) * px[8 * p + c] + oddWeight(pairs[p]) * px[8 * p + 4 + c];
        std::uint32_t value = opaque;
        for (int c = 0; c < 4; ++c) {
            const int v = (sum[c] + (1 << (kHorizontalShift - 1))) >> kHorizontalShift;
            value |= static_cast<std::uint32_t>(std::clamp(v, 0, 255)) << (8 * c);
        }
        out[x] = value;
#endif
    }
}

#if defined(PELMORA_AVX2)
// The same two passes 32 channel values (vertical) or four taps (horizontal) at a time, for the
// processors that have AVX2. Unpacking works within 128-bit lanes, so results come out in lane
// order and are put back in place before storing.
__attribute__((target("avx2"))) int verticalPassAvx2(const uchar *const *rows,
                                                     const std::int32_t *pairs, int count,
                                                     int bytes, std::int16_t *out) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi32(1 << (kVerticalShift - 1));
    int k = 0;
    for (; k + 32 <= bytes; k += 32) {
        __m256i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
        for (int t = 0; t < count; t += 2) {
            const __m256i w = _mm256_set1_epi32(pairs[t / 2]);
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(rows[t] + k));
            const __m256i b =
                t + 1 < count
                    ? _mm256_loadu_si256(reinterpret_cast<const __m256i *>(rows[t + 1] + k))
                    : zero;
            const __m256i lo = _mm256_unpacklo_epi8(a, b);
            const __m256i hi = _mm256_unpackhi_epi8(a, b);
            s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi8(lo, zero), w));
            s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi8(lo, zero), w));
            s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi8(hi, zero), w));
            s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi8(hi, zero), w));
        }
        s0 = _mm256_srai_epi32(_mm256_add_epi32(s0, half), kVerticalShift);
        s1 = _mm256_srai_epi32(_mm256_add_epi32(s1, half), kVerticalShift);
        s2 = _mm256_srai_epi32(_mm256_add_epi32(s2, half), kVerticalShift);
        s3 = _mm256_srai_epi32(_mm256_add_epi32(s3, half), kVerticalShift);
        const __m256i values0to7and16to23 = _mm256_packs_epi32(s0, s1);
        const __m256i values8to15and24to31 = _mm256_packs_epi32(s2, s3);
        _mm256_storeu_si256(
            reinterpret_cast<__m256i *>(out + k),
            _mm256_permute2x128_si256(values0to7and16to23, values8to15and24to31, 0x20));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i *>(out + k + 16),
            _mm256_permute2x128_si256(values0to7and16to23, values8to15and24to31, 0x31));
    }
    return k;
}

__attribute__((target("avx2"))) void horizontalPassAvx2(const std::int16_t *column,
                                                        const AxisWeights &axis, int outputs,
                                                        QRgb *out, QRgb opaque) {
    for (int x = 0; x < outputs; ++x) {
        const std::int32_t *pairs = &axis.pairs[std::size_t(x) * axis.stride];
        const std::int16_t *px = column + 4 * axis.first[x];
        const int pairCount = (axis.count[x] + 1) / 2;
        __m256i sums = _mm256_setzero_si256();
        int p = 0;
        for (; p + 2 <= pairCount; p += 2) {
            // four neighbouring pixels; each lane pairs its two as (even, odd) per channel
            const __m256i four = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(px + 8 * p));
            const __m256i interleaved = _mm256_unpacklo_epi16(four, _mm256_srli_si256(four, 8));
            const __m256i w = _mm256_inserti128_si256(
                _mm256_castsi128_si256(_mm_set1_epi32(pairs[p])), _mm_set1_epi32(pairs[p + 1]), 1);
            sums = _mm256_add_epi32(sums, _mm256_madd_epi16(interleaved, w));
        }
        __m128i sum =
            _mm_add_epi32(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
        if (p < pairCount) {
            const __m128i two = _mm_loadu_si128(reinterpret_cast<const __m128i *>(px + 8 * p));
            const __m128i interleaved = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(interleaved, _mm_set1_epi32(pairs[p])));
        }
        sum = _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kHorizontalShift - 1))),
                             kHorizontalShift);
        const __m128i i16 = _mm_packs_epi32(sum, sum);
        const __m128i i8 = _mm_packus_epi16(i16, i16);
        out[x] = static_cast<QRgb>(_mm_cvtsi128_si32(i8)) | opaque;
    }
}

// PELMORA_SIMD=sse2 keeps to the baseline kernels (to compare them, or on a processor whose AVX2
// misbehaves).
bool useAvx2() {
    static const bool use = __builtin_cpu_supports("avx2") &&
                            qEnvironmentVariable("PELMORA_SIMD") != QLatin1String("sse2");
    return use;
}
#endif

// The filter's overshoot can leave a colour above its pixel's alpha, which a premultiplied pixel
// cannot hold: each colour is held to the alpha.
void keepPremultiplied(QRgb *line, int width) {
    for (int x = 0; x < width; ++x) {
        const int a = qAlpha(line[x]);
        line[x] = qRgba(std::min(qRed(line[x]), a), std::min(qGreen(line[x]), a),
                        std::min(qBlue(line[x]), a), a);
    }
}

} // namespace

QImage lanczosResample(const QImage &image, const QRectF &source, QSize target) {
    if (image.isNull() || target.isEmpty() || source.isEmpty())
        return {};
    const bool alpha = image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage rgb =
        alpha || image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    const QRgb opaque = alpha ? 0 : 0xFF000000u;
    QImage result(target, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (result.isNull())
        return {};

    const AxisWeights columns =
        axisWeights(rgb.width(), source.left(), source.width(), target.width());
    const AxisWeights rows =
        axisWeights(rgb.height(), source.top(), source.height(), target.height());

    // The vertical pass runs first, straight from the picture's rows; the horizontal pass then
    // works on one row of sums at a time.
    const int width = rgb.width();
    const int bytes = 4 * width;
    int mostTaps = 1;
    for (int c : rows.count)
        mostTaps = std::max(mostTaps, c);
    std::vector<std::int16_t> column(std::size_t(bytes) + 8, 0);
    std::vector<const uchar *> taps(mostTaps);

    for (int y = 0; y < target.height(); ++y) {
        const int first = rows.first[y];
        const int count = rows.count[y];
        for (int t = 0; t < count; ++t)
            taps[t] = rgb.constScanLine(first + t);
        const std::int32_t *pairs = &rows.pairs[std::size_t(y) * rows.stride];
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
#if defined(PELMORA_AVX2)
        if (useAvx2()) {
            const int done = verticalPassAvx2(taps.data(), pairs, count, bytes, column.data());
            verticalPass(taps.data(), pairs, count, bytes, column.data(), done);
            horizontalPassAvx2(column.data(), columns, target.width(), line, opaque);
            if (!opaque)
                keepPremultiplied(line, target.width());
            continue;
        }
#endif
        verticalPass(taps.data(), pairs, count, bytes, column.data());
        horizontalPass(column.data(), columns, target.width(), line, opaque);
        if (!opaque)
            keepPremultiplied(line, target.width());
    }
    return result;
}

} // namespace pelmora
