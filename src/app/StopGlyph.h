#pragma once

#include <QPixmap>

namespace kadenza {

// The progress window's stop button face: a white cross on a red disc with a black outline,
// 20 × 20 on a transparent background.
QPixmap stopGlyph();

}  // namespace kadenza
