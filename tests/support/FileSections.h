#pragma once

#include <cstdint>
#include <string>

namespace kadenza::test {

// Hand-made data files: a section added to a data file's bytes, as another program or an
// attacker would add it.

// The data file's bytes with a section of the type appended and listed in the header's first
// free slot.
std::string withSection(const std::string& file, const char (&typeCode)[5],
                        const std::string& body);

// A data file's bytes with details whose JSON text is any text at all.
std::string withDetailsText(const std::string& file, const std::string& json);

}  // namespace kadenza::test
