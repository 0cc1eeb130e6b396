#include "model/XmlWriter.h"

#include <ostream>

#include "model/NumberText.h"
#include "model/QuantityTable.h"

namespace kadenza {

void xmlOpen(std::ostream& stream, const char* name) {
    stream << '<' << name << '>';
}

void xmlClose(std::ostream& stream, const char* name) {
    stream << "</" << name << ">\n";
}

void xmlInt(std::ostream& stream, const char* name, long long number) {
    xmlOpen(stream, name);
    stream << std::to_string(number);
    xmlClose(stream, name);
}

void xmlReal(std::ostream& stream, const char* name, double value) {
    xmlOpen(stream, name);
    stream << generalText(value, 5);
    xmlClose(stream, name);
}

void xmlText(std::ostream& stream, const char* name, const std::optional<std::string>& text) {
    if (!text) {
        return;
    }
    xmlOpen(stream, name);
    xmlEscape(stream, *text);
    xmlClose(stream, name);
}

void xmlFlag(std::ostream& stream, const char* name, bool flag) {
    if (flag) {
        stream << '<' << name << "/>\n";
    }
}

void xmlEscape(std::ostream& stream, const std::string& text) {
    for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
        switch (text[i]) {
            case '\n':
                stream << "<br/>\n";
                break;
            case styleEscape: {
                // The style code is a signed byte; an ESC at the very end has none, gives 0
                // and ends the text.
                const auto code = static_cast<signed char>(i + 1 < text.size() ? text[i + 1] : 0);
                xmlInt(stream, "Style", code);
                if (code == 0) {
                    return;
                }
                ++i;
                break;
            }
            case '"':
                stream << "&quot;";
                break;
            case '&':
                stream << "&amp;";
                break;
            case '\'':
                stream << "&apos;";
                break;
            case '<':
                stream << "&lt;";
                break;
            case '>':
                stream << "&gt;";
                break;
            default:
                stream << text[i];
        }
    }
}

}  // namespace kadenza
