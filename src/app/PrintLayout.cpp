#include "app/PrintLayout.h"

#include <QPaintDevice>
#include <algorithm>

namespace kadenza {

namespace {

constexpr double rowHeight = 30;  // tenths of a millimetre
constexpr double tenthsPerInch = 254;
constexpr double tenthsPerMillimetre = 10;

}  // namespace

// A page too short for two rows still takes one: with none, no page would ever be full.
PrintLayout::PrintLayout(const QPaintDevice& device, QPoint printableOffset)
    : pixelsPerTenthX_(device.logicalDpiX() / tenthsPerInch),
      pixelsPerTenthY_(device.logicalDpiY() / tenthsPerInch),
      offsetX_(printableOffset.x()),
      offsetY_(printableOffset.y()),
      width_(device.widthMM() * tenthsPerMillimetre),
      rowsPerPage_(
          std::max(1, static_cast<int>(device.heightMM() * tenthsPerMillimetre / rowHeight) - 1)) {}

QRect PrintLayout::rowRect(int row) const {
    const int left = static_cast<int>(offsetX_);
    const int top = static_cast<int>(row * pixelsPerTenthY_ * rowHeight + offsetY_);
    const int right = static_cast<int>(offsetX_ + width_ * pixelsPerTenthX_);
    const int bottom = static_cast<int>((row + 1) * pixelsPerTenthY_ * rowHeight + offsetY_);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace kadenza
