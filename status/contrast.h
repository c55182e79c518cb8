#pragma once

namespace vkr {

// A colour of 8-bit sRGB channels.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The contrast ratio of two colours as the web's accessibility guidelines measure it: from 1
// (the same luminance) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

// colour as it reads on background: unchanged when its contrast is at least minimum, else mixed
// with white (on a dark background) or black (on a light one) just enough to reach it.
Rgb readableOn(Rgb colour, Rgb background, double minimum = 4.5);

} // namespace vkr
