#include "status/contrast.h"

#include <algorithm>
#include <cmath>

namespace vkr {

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb c) {
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

int mix(int from, int to, double share) {
    return static_cast<int>(std::lround(from + (to - from) * share));
}

} // namespace

double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableOn(Rgb colour, Rgb background, double minimum) {
    // Towards the end of the scale that lies farther from the background.
    const int end = luminance(background) < 0.18 ? 255 : 0;
    for (int step = 0; step <= 20; ++step) {
        const double share = step / 20.0;
        const Rgb mixed{mix(colour.r, end, share), mix(colour.g, end, share),
                        mix(colour.b, end, share)};
        if (contrastRatio(mixed, background) >= minimum) {
            return mixed;
        }
    }
    return Rgb{end, end, end};
}

} // namespace vkr
