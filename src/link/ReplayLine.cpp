#include "link/ReplayLine.h"

#include <cctype>
#include <optional>
#include <sstream>
#include <string>

namespace kadenza {

namespace {

// A byte as the trace writes it: two hex digits, or "--" for an empty read.
std::optional<int> parseReception(const std::string& value) {
    if (value == "--") {
        return -1;
    }
    if (value.size() != 2 || !std::isxdigit(static_cast<unsigned char>(value[0])) ||
        !std::isxdigit(static_cast<unsigned char>(value[1]))) {
        return std::nullopt;
    }
    return std::stoi(value, nullptr, 16);
}

}  // namespace

ReplayLine::ReplayLine(std::istream& trace) {
    std::string text;
    while (std::getline(trace, text)) {
        std::istringstream fields(text);
        std::string time;
        std::string direction;
        std::string value;
        if (!(fields >> time >> direction >> value) || direction != "<") {
            continue;
        }
        if (const std::optional<int> reception = parseReception(value)) {
            receptions_.push_back(*reception);
        }
    }
}

bool ReplayLine::sendByte(std::uint8_t byte) {
    sent_.push_back(byte);
    return true;
}

int ReplayLine::receiveByte() {
    return next_ < receptions_.size() ? receptions_[next_++] : -1;
}

}  // namespace kadenza
