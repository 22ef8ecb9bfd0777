#include "encoderquality.h"

#include <algorithm>
#include <array>

namespace pelmora {

namespace {

// Each encoder's setting at the slider's positions 1 to 10 (JPEG quality 10, 20, ..., 100).
using Settings = std::array<int, 10>;
constexpr Settings kWebp{5, 15, 25, 32, 40, 50, 60, 72, 85, 97};
constexpr Settings kAvif{10, 20, 28, 35, 42, 50, 58, 66, 78, 92};
constexpr Settings kHeic{10, 20, 28, 35, 42, 50, 58, 66, 78, 92};

int settingFor(const Settings &settings, int jpegQuality) {
    const int q = std::clamp(jpegQuality, 10, 100);
    const int below = q / 10 - 1; // the position at or below, counted from 0
    if (below >= 9)
        return settings[9];
    const int rest = q % 10;
    return settings[below] + ((settings[below + 1] - settings[below]) * rest + 5) / 10;
}

} // namespace

int encoderQuality(PictureFormat format, int jpegQuality) {
    switch (format) {
    case PictureFormat::WebP:
        return settingFor(kWebp, jpegQuality);
    case PictureFormat::Avif:
        return settingFor(kAvif, jpegQuality);
    case PictureFormat::Heic:
        return settingFor(kHeic, jpegQuality);
    default:
        return jpegQuality;
    }
}

} // namespace pelmora
