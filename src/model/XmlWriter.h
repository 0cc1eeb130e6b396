#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace kadenza {

// Element primitives of the XML export: no attributes, no declaration, a line feed after
// every closing tag.

void xmlOpen(std::ostream& stream, const char* name);
void xmlClose(std::ostream& stream, const char* name);
void xmlInt(std::ostream& stream, const char* name, long long number);
// The general number form with 5 significant digits.
void xmlReal(std::ostream& stream, const char* name, double value);
// Nothing for an absent text; an empty text gives the element with no content.
void xmlText(std::ostream& stream, const char* name, const std::optional<std::string>& text);
// An empty element when the flag is set, nothing otherwise.
void xmlFlag(std::ostream& stream, const char* name, bool flag);
// Writes the text with markup characters as entities, a line feed as "<br/>" plus a line
// feed and each style code as a Style element. Any other control character but tab and
// carriage return, and bytes that are no well-formed UTF-8 of a character XML allows, are
// written as U+FFFD, so that the document stays well-formed.
void xmlEscape(std::ostream& stream, const std::string& text);

}  // namespace kadenza
