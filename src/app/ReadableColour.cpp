#include "app/ReadableColour.h"

#include <cmath>

namespace kadenza {

namespace {

// Marks and, on a light background, the red of the values out of range (pure red on white is
// 4:1); text on a dark background is made to stand out as text should.
constexpr double leastContrast = 3.0;
constexpr double leastTextContrast = 4.5;

double linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

}  // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return a > b ? a / b : b / a;
}

namespace {

// The ink is mixed step by step with white (on a background darker than the ink) or with
// black; the first tint that stands out `least` is taken, or the one that stands out most.
QColor readableTint(const QColor& ink, const QColor& background, double least) {
    if (contrastRatio(ink, background) >= least) {
        return ink;
    }
    const int target = luminance(background) < luminance(ink) ? 255 : 0;
    const auto mixed = [target](int channel, int step) {
        return channel + (target - channel) * step / 255;
    };
    QColor best = ink;
    for (int step = 1; step <= 255; ++step) {
        const QColor tint(mixed(ink.red(), step), mixed(ink.green(), step),
                          mixed(ink.blue(), step));
        if (contrastRatio(tint, background) > contrastRatio(best, background)) {
            best = tint;
        }
        if (contrastRatio(tint, background) >= least) {
            return tint;
        }
    }
    return best;
}

}  // namespace

QColor readableRed(const QColor& background) {
    return readableTint(QColor(255, 0, 0), background, leastContrast);
}

QColor readableRedText(const QColor& background) {
    const QColor red(255, 0, 0);
    const bool dark = luminance(background) < luminance(red);
    return readableTint(red, background, dark ? leastTextContrast : leastContrast);
}

// The tick's strokes are thinner than a pixel or two and the focused row's frame veils them, so
// no pixel shows the whole ink: it is made to stand out as text does, and drawn it keeps 3:1.
QColor readableGreen(const QColor& background) {
    return readableTint(QColor(0, 128, 0), background, leastTextContrast);
}

}  // namespace kadenza
