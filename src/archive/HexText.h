#pragma once

#include <cstddef>
#include <string>

namespace kadenza {

// Two lower-case hex digits for every byte.
std::string hexText(const unsigned char* bytes, std::size_t size);

}  // namespace kadenza
