#pragma once

#include <string>

namespace kadenza {

// Whether two texts name the same person: letters compared without case and accents, the
// order of the names, commas, spacing and academic titles ("Ing.", "Ph.D.", "DiS.") left
// aside. "Ing. Jan Dvořák" and "DVORAK Jan" are the same person; an empty name is nobody.
bool samePerson(const std::string& one, const std::string& other);

}  // namespace kadenza
