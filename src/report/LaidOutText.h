#pragma once

#include <QTextLayout>
#include <memory>

#include "report/ReportStyle.h"
#include "report/StyledText.h"

class QPaintDevice;
class QPainter;

namespace kadenza {

// A text in its style broken into lines no wider than `width`, measured on the device it will
// be drawn on; an empty text still has one line.
std::unique_ptr<QTextLayout> laidOutText(const StyledText& text, const TextStyle& style,
                                         qreal width, QPaintDevice* device);

// The height of all the lines.
qreal textHeight(const QTextLayout& layout);

// The height of the lines `first` up to `end`, without `end`.
qreal linesHeight(const QTextLayout& layout, int first, int end);

// Draws the laid-out text in its style's colour, its first line's top at `topLeft`.
void drawText(QPainter& painter, const QTextLayout& layout, const TextStyle& style,
              const QPointF& topLeft);

// Draws the lines `first` up to `end`, without `end`, the top of the first at `topLeft`.
void drawLines(QPainter& painter, const QTextLayout& layout, const TextStyle& style, int first,
               int end, const QPointF& topLeft);

}  // namespace kadenza
