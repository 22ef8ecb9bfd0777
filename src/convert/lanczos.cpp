#include "lanczos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
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

// For every output position along one axis: the first source index and the weights of the
// consecutive source indices from there, normalised to a sum of 1.
struct AxisWeights {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights; // `stride` per output position
    int stride = 0;
};

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

    AxisWeights axis;
    axis.stride = static_cast<int>(std::ceil(2 * support)) + 2;
    axis.first.resize(outputs);
    axis.count.resize(outputs);
    axis.weights.assign(std::size_t(outputs) * axis.stride, 0.0f);
    std::vector<double> taps(axis.stride);
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
        axis.first[i] = first;
        axis.count[i] = last - first + 1;
        float *out = &axis.weights[std::size_t(i) * axis.stride];
        for (int t = 0; t < axis.count[i]; ++t)
            out[t] = static_cast<float>(sum != 0 ? taps[t] / sum : (t == 0 ? 1.0 : 0.0));
    }
    return axis;
}

// One row of RGB32 pixels into four floats per pixel (B, G, R, A in memory order).
void toFloats(const uchar *line, int width, float *out) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 4 <= width; x += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i *>(line + 4 * x));
        const __m128i lo16 = _mm_unpacklo_epi8(px, zero);
        const __m128i hi16 = _mm_unpackhi_epi8(px, zero);
        _mm_storeu_ps(out + 4 * x, _mm_cvtepi32_ps(_mm_unpacklo_epi16(lo16, zero)));
        _mm_storeu_ps(out + 4 * x + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(lo16, zero)));
        _mm_storeu_ps(out + 4 * x + 8, _mm_cvtepi32_ps(_mm_unpacklo_epi16(hi16, zero)));
        _mm_storeu_ps(out + 4 * x + 12, _mm_cvtepi32_ps(_mm_unpackhi_epi16(hi16, zero)));
    }
#endif
    for (; x < width; ++x)
        for (int c = 0; c < 4; ++c)
            out[4 * x + c] = line[4 * x + c];
}

// One row of the vertical pass: out = sum over t of weights[t] * rows[t], element by element.
// Each element is summed in a register across all taps, tap order as written.
void verticalPass(const float *const *rows, const float *weights, int count, int floats,
                  float *out) {
    int k = 0;
#if defined(__SSE2__)
    // Four pixels at a time: one broadcast of each weight serves four sums.
    for (; k + 16 <= floats; k += 16) {
        const __m128 w0 = _mm_set1_ps(weights[0]);
        __m128 s0 = _mm_mul_ps(w0, _mm_loadu_ps(rows[0] + k));
        __m128 s1 = _mm_mul_ps(w0, _mm_loadu_ps(rows[0] + k + 4));
        __m128 s2 = _mm_mul_ps(w0, _mm_loadu_ps(rows[0] + k + 8));
        __m128 s3 = _mm_mul_ps(w0, _mm_loadu_ps(rows[0] + k + 12));
        for (int t = 1; t < count; ++t) {
            const __m128 w = _mm_set1_ps(weights[t]);
            const float *row = rows[t] + k;
            s0 = _mm_add_ps(s0, _mm_mul_ps(w, _mm_loadu_ps(row)));
            s1 = _mm_add_ps(s1, _mm_mul_ps(w, _mm_loadu_ps(row + 4)));
            s2 = _mm_add_ps(s2, _mm_mul_ps(w, _mm_loadu_ps(row + 8)));
            s3 = _mm_add_ps(s3, _mm_mul_ps(w, _mm_loadu_ps(row + 12)));
        }
        _mm_storeu_ps(out + k, s0);
        _mm_storeu_ps(out + k + 4, s1);
        _mm_storeu_ps(out + k + 8, s2);
        _mm_storeu_ps(out + k + 12, s3);
    }
    for (; k + 4 <= floats; k += 4) {
        __m128 sum = _mm_mul_ps(_mm_set1_ps(weights[0]), _mm_loadu_ps(rows[0] + k));
        for (int t = 1; t < count; ++t)
            sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(weights[t]), _mm_loadu_ps(rows[t] + k)));
        _mm_storeu_ps(out + k, sum);
    }
#endif
    for (; k < floats; ++k) {
        float sum = weights[0] * rows[0][k];
        for (int t = 1; t < count; ++t)
            sum += weights[t] * rows[t][k];
        out[k] = sum;
    }
}

void horizontalPass(const float *column, const AxisWeights &axis, int outputs, QRgb *out) {
    for (int x = 0; x < outputs; ++x) {
        const float *w = &axis.weights[std::size_t(x) * axis.stride];
        const float *px = column + 4 * axis.first[x];
        const int count = axis.count[x];
#if defined(__SSE2__)
        __m128 sum = _mm_setzero_ps();
        for (int t = 0; t < count; ++t)
            sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(w[t]), _mm_loadu_ps(px + 4 * t)));
        sum = _mm_min_ps(_mm_max_ps(sum, _mm_setzero_ps()), _mm_set1_ps(255.0f));
        const __m128i i32 = _mm_cvtps_epi32(sum);
        const __m128i i16 = _mm_packs_epi32(i32, i32);
        const __m128i i8 = _mm_packus_epi16(i16, i16);
        out[x] = static_cast<QRgb>(_mm_cvtsi128_si32(i8)) | 0xFF000000u;
#else
        float sum[4] = {0, 0, 0, 0};
        for (int t = 0; t < count; ++t)
            for (int c = 0; c < 4; ++c)
                sum[c] += w[t] * px[4 * t + c];
        uchar bytes[4];
        for (int c = 0; c < 4; ++c)
            bytes[c] = static_cast<uchar>(std::lround(std::clamp(sum[c], 0.0f, 255.0f)));
        std::uint32_t value;
        std::memcpy(&value, bytes, 4);
        out[x] = value | 0xFF000000u;
#endif
    }
}

} // namespace

QImage lanczosResample(const QImage &image, const QRectF &source, QSize target) {
    if (image.isNull() || target.isEmpty() || source.isEmpty())
        return {};
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    QImage result(target, QImage::Format_RGB32);
    if (result.isNull())
        return {};

    const AxisWeights columns =
        axisWeights(rgb.width(), source.left(), source.width(), target.width());
    const AxisWeights rows =
        axisWeights(rgb.height(), source.top(), source.height(), target.height());

    // The vertical pass runs first over a ring of source rows turned into floats, each row
    // converted once; the horizontal pass then works on one summed row at a time.
    const int width = rgb.width();
    const int floats = 4 * width;
    int ringSize = 1;
    for (int c : rows.count)
        ringSize = std::max(ringSize, c);
    std::vector<float> ring(std::size_t(ringSize) * floats);
    std::vector<float> column(floats);
    std::vector<const float *> taps(ringSize);
    int nextRow = 0;

    for (int y = 0; y < target.height(); ++y) {
        const int first = rows.first[y];
        const int count = rows.count[y];
        nextRow = std::max(nextRow, first);
        for (; nextRow < first + count; ++nextRow)
            toFloats(rgb.constScanLine(nextRow), width,
                     &ring[std::size_t(nextRow % ringSize) * floats]);

        for (int t = 0; t < count; ++t)
            taps[t] = &ring[std::size_t((first + t) % ringSize) * floats];
        verticalPass(taps.data(), &rows.weights[std::size_t(y) * rows.stride], count, floats,
                     column.data());
        horizontalPass(column.data(), columns, target.width(),
                       reinterpret_cast<QRgb *>(result.scanLine(y)));
    }
    return result;
}

} // namespace pelmora
