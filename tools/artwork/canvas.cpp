// Drawing into a Canvas. Anti-aliasing samples each pixel on a 4 x 4 grid.

#include "tools/artwork/canvas.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, double share) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

Colour MixColours(Colour from, Colour to, double share) {
    return {Mix(from.red, to.red, share), Mix(from.green, to.green, share),
            Mix(from.blue, to.blue, share)};
}

bool IsInsideRoundedRectangle(double x, double y, double left, double top, double width,
                              double height, double radius) {
    if (x < left || y < top || x >= left + width || y >= top + height)
        return false;
    // Distance from the nearest corner circle's centre, for points in a corner square.
    double centre_x = std::clamp(x, left + radius, left + width - radius);
    double centre_y = std::clamp(y, top + radius, top + height - radius);
    double dx = x - centre_x;
    double dy = y - centre_y;
    return dx * dx + dy * dy <= radius * radius;
}

constexpr int SamplesPerAxis = 4;

} // namespace

Canvas MakeCanvas(int width, int height, Colour background) {
    return {width, height,
            std::vector<Colour>(static_cast<std::size_t>(width * height), background)};
}

void BlendPixel(Canvas& canvas, int x, int y, Colour colour, double coverage) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || coverage <= 0.0)
        return;
    Colour& pixel = canvas.pixels[static_cast<std::size_t>(y * canvas.width + x)];
    pixel = MixColours(pixel, colour, std::min(coverage, 1.0));
}

void FillRectangle(Canvas& canvas, int left, int top, int width, int height, Colour colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            BlendPixel(canvas, x, y, colour, 1.0);
    }
}

void FillRoundedRectangle(Canvas& canvas, double left, double top, double width, double height,
                          double radius, Colour colour) {
    int first_x = static_cast<int>(std::floor(left));
    int first_y = static_cast<int>(std::floor(top));
    int last_x = static_cast<int>(std::ceil(left + width));
    int last_y = static_cast<int>(std::ceil(top + height));
    for (int y = first_y; y < last_y; ++y) {
        for (int x = first_x; x < last_x; ++x) {
            int covered = 0;
            for (int sample_y = 0; sample_y < SamplesPerAxis; ++sample_y) {
                for (int sample_x = 0; sample_x < SamplesPerAxis; ++sample_x) {
                    double point_x = x + (sample_x + 0.5) / SamplesPerAxis;
                    double point_y = y + (sample_y + 0.5) / SamplesPerAxis;
                    if (IsInsideRoundedRectangle(point_x, point_y, left, top, width, height,
                                                 radius))
                        ++covered;
                }
            }
            BlendPixel(canvas, x, y, colour,
                       static_cast<double>(covered) / (SamplesPerAxis * SamplesPerAxis));
        }
    }
}

void FillVerticalGradient(Canvas& canvas, Colour top, Colour bottom) {
    for (int y = 0; y < canvas.height; ++y) {
        double share = canvas.height > 1 ? static_cast<double>(y) / (canvas.height - 1) : 0.0;
        Colour row = MixColours(top, bottom, share);
        for (int x = 0; x < canvas.width; ++x)
            canvas.pixels[static_cast<std::size_t>(y * canvas.width + x)] = row;
    }
}
