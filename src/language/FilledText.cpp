#include "language/FilledText.h"

namespace kadenza {

std::string filledText(std::string text, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        const std::size_t at = text.find(mark);
        if (at != std::string::npos) {
            text.replace(at, mark.size(), values[i]);
        }
    }
    return text;
}

}  // namespace kadenza
