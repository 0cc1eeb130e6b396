#pragma once

#include <QPoint>
#include <QRect>

class QPaintDevice;

namespace kadenza {

// Where the rows of a print-out lie on a page: rows 3 mm high, one under the other from the
// top, each as wide as the printable area, all moved by the printable area's offset from the
// paper's corner. Sizes come from the device in tenths of a millimetre and are turned into
// device pixels with the device's own resolution in each direction.
class PrintLayout {
  public:
    // `printableOffset`: where the printable area begins on the paper, in device pixels.
    PrintLayout(const QPaintDevice& device, QPoint printableOffset);

    // As many rows as the printable height holds, less one; at least one.
    int rowsPerPage() const { return rowsPerPage_; }
    // The rectangle of row `row` of a page, every edge cut to whole pixels.
    QRect rowRect(int row) const;

  private:
    double pixelsPerTenthX_;
    double pixelsPerTenthY_;
    double offsetX_;
    double offsetY_;
    double width_;
    int rowsPerPage_;
};

}  // namespace kadenza
