#pragma once

#include <QString>

namespace kadenza {

// The text set apart from what stands beside it in a paragraph: its bidirectional formatting
// balanced (a terminator without its opener dropped, every opener left open closed at the end,
// innermost first) and the whole wrapped in a first strong isolate, so that a client's name
// cannot turn the site and the date after it around. Empty stays empty.
QString isolatedText(const QString& text);

}  // namespace kadenza
