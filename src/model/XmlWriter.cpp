#include "model/XmlWriter.h"

#include <ostream>

#include "model/NumberText.h"
#include "model/QuantityTable.h"
#include "model/Utf8Characters.h"

namespace kadenza {

namespace {

bool isForbiddenControl(unsigned char c) {
    return c < 0x20 && c != '\t' && c != '\r';
}

// Writes the character at `at` and gives the bytes it took: a character XML 1.0 does not
// allow (a control character, or bytes that are not UTF-8, as a file written by hand may
// hold) never reaches the document raw, so that it stays well-formed.
std::size_t writeCharacter(std::ostream& stream, const std::string& text, std::size_t at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) {
        stream << (isForbiddenControl(c) ? replacementCharacter : std::string(1, text[at]));
        return 1;
    }
    const auto character = utf8CharacterAt(text, at);
    if (!character || character->code == 0xFFFE || character->code == 0xFFFF) {
        stream << replacementCharacter;
        return 1;
    }
    stream.write(text.data() + at, static_cast<std::streamsize>(character->length));
    return character->length;
}

}  // namespace

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
                i += writeCharacter(stream, text, i) - 1;
        }
    }
}

}  // namespace kadenza
