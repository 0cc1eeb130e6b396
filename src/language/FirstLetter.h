#pragma once

#include <string>

namespace kadenza {

// A label of the tables ("Rozsah revize", "Operator") as it reads inside a sentence: its
// first letter in lower case. Letters of Latin-1 and Latin Extended-A (Č, Ř, Ž) are lowered as
// well as ASCII; a text starting otherwise stays as it is.
std::string withLowerFirstLetter(std::string text);

}  // namespace kadenza
