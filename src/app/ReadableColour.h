#pragma once

#include <QColor>

namespace kadenza {

// How far apart two colours are for the eye: the ratio of their relative luminances (each
// plus 0.05), from 1 (alike) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// The red an over-range value is drawn in on this background: pure red where it stands out
// enough (a ratio of 3 at least, as on white), else the nearest tint of red that does, paler
// on a dark background and darker on a light one.
QColor readableRed(const QColor& background);
// The red of text: as readableRed on a light background, where pure red on white keeps its
// 4:1, and on a dark one a tint that stands out 4.5 times, as text should.
QColor readableRedText(const QColor& background);
// The green a passed verdict is marked in, standing out 4.5 times as text does: its thin
// strokes never show the whole ink.
QColor readableGreen(const QColor& background);

}  // namespace kadenza
