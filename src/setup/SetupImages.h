#pragma once

#include <QPixmap>

namespace kadenza {

// The two 20 x 20 row images of the setup list, on a transparent background.
constexpr int setupImageSize = 20;

// An open yellow folder: marks a group row.
QPixmap openFolderImage();
// A white sheet with lines of text: marks a setting row.
QPixmap sheetImage();

}  // namespace kadenza
