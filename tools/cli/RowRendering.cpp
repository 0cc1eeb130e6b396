#include "cli/RowRendering.h"

#include "model/QuantityTable.h"

namespace kadenza::cli {

namespace {

enum class Script { none, subscript, superscript };

// The tree draws every small type other than the subscript from the top of the row, so an
// unknown style code reads as a superscript.
Script scriptOf(char style) {
    if (style == normalStyle) {
        return Script::none;
    }
    return style == subscriptStyle ? Script::subscript : Script::superscript;
}

void switchScript(Script& open, Script next, std::string& text) {
    if (next == open) {
        return;
    }
    if (open != Script::none) {
        text += '}';
    }
    if (next == Script::subscript) {
        text += "_{";
    } else if (next == Script::superscript) {
        text += "^{";
    }
    open = next;
}

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string readableRow(const std::string& row) {
    std::string text;
    Script open = Script::none;
    for (std::size_t i = 0; i < row.size() && row[i] != '\r'; ++i) {
        const char c = row[i];
        if (c == styleEscape) {
            // The byte after ESC is always its style code, even a CR, as the tree reads it.
            if (++i == row.size()) {
                break;
            }
            switchScript(open, scriptOf(row[i]), text);
        } else if (c == '\t' || !isControl(c)) {
            text += c;
        } else {
            text += ' ';
        }
    }
    switchScript(open, Script::none, text);
    return text;
}

}  // namespace kadenza::cli
