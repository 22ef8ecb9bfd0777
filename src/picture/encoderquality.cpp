#include "encoderquality.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pelmora {

namespace {

// Each encoder's settings at the slider's positions 1 to 10 (JPEG quality 10, 20, ..., 100), for
// pictures 250 and 1024 pixels on their longer side.
struct Calibrated {
    std::array<int, 10> at250;
    std::array<int, 10> at1024;
};
constexpr Calibrated kWebp{{5, 23, 25, 35, 51, 51, 61, 78, 89, 100},
                           {6, 30, 40, 45, 60, 65, 76, 82, 91, 100}};
constexpr Calibrated kAvif{{19, 33, 34, 42, 46, 46, 51, 58, 76, 100},
                           {22, 37, 42, 44, 49, 50, 54, 62, 82, 99}};
constexpr Calibrated kHeic{{18, 30, 30, 34, 37, 37, 42, 45, 54, 100},
                           {18, 29, 32, 33, 35, 37, 40, 45, 53, 82}};

double atQuality(const std::array<int, 10> &settings, int jpegQuality) {
    const double position = std::clamp(jpegQuality, 10, 100) / 10.0; // 1..10
    const int below = std::min(int(position), 9);                    // 1..9
    return settings[below - 1] + (settings[below] - settings[below - 1]) * (position - below);
}

int settingFor(const Calibrated &calibrated, int jpegQuality, QSize picture) {
    const double longer = std::max(picture.width(), picture.height());
    const double t =
        std::clamp(std::log(std::max(longer, 1.0) / 250) / std::log(1024.0 / 250), 0.0, 1.0);
    const double small = atQuality(calibrated.at250, jpegQuality);
    const double large = atQuality(calibrated.at1024, jpegQuality);
    return int(std::lround(small + (large - small) * t));
}

} // namespace

int encoderQuality(PictureFormat format, int jpegQuality, QSize picture) {
    switch (format) {
    case PictureFormat::WebP:
        return settingFor(kWebp, jpegQuality, picture);
    case PictureFormat::Avif:
        return settingFor(kAvif, jpegQuality, picture);
    case PictureFormat::Heic:
        return settingFor(kHeic, jpegQuality, picture);
    default:
        return jpegQuality;
    }
}

} // namespace pelmora
