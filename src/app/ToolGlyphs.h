#pragma once

#include <QIcon>

namespace kadenza {

// The glyphs of the main window's tool buttons, drawn at 18 x 18 (and twice that for dense
// screens).
constexpr int toolGlyphSize = 18;

// A hand-held tester with an arrow leaving it: fetch its memory.
QIcon startTransferGlyph();
// A gear: the instrument's settings.
QIcon setupGlyph();
// An opened folder.
QIcon openGlyph();
// A diskette.
QIcon saveAsGlyph();
// A printer with a sheet.
QIcon printGlyph();

}  // namespace kadenza
