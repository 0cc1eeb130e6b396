#include "app/ReadableRed.h"

#include <cmath>

namespace kadenza {

namespace {

constexpr double leastContrast = 3.0;

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

// Pure red is mixed step by step with white (towards a dark background's opposite) or with
// black; the first tint that stands out enough is taken, or the one that stands out most.
QColor readableRed(const QColor& background) {
    const QColor pureRed(255, 0, 0);
    if (contrastRatio(pureRed, background) >= leastContrast) {
        return pureRed;
    }
    const bool darkBackground = luminance(background) < luminance(pureRed);
    QColor best = pureRed;
    for (int step = 1; step <= 255; ++step) {
        const QColor tint = darkBackground ? QColor(255, step, step) : QColor(255 - step, 0, 0);
        if (contrastRatio(tint, background) > contrastRatio(best, background)) {
            best = tint;
        }
        if (contrastRatio(tint, background) >= leastContrast) {
            return tint;
        }
    }
    return best;
}

}  // namespace kadenza
