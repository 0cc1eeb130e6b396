#pragma once

#include <iosfwd>
#include <string>

#include "model/InstrumentAbstract.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Writes the container as a small web page: banks in bold italics with a rule after each,
// primary items bold, over-range items red italic, style codes as SUB and SUP. False when
// the file cannot be created or written.
bool SaveHtml(const std::string& path, const InstrumentData& data);

// One node's row text (all columns) inside its FONT element, into the text stream.
void WriteHtmlNode(const InstrumentAbstract& node, std::ostream& stream);

// The page as written into the text stream, before LF becomes CR LF.
std::string htmlText(const InstrumentData& data);

}  // namespace kadenza
