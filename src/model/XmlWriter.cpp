#include "model/XmlWriter.h"

#include <ostream>

#include "model/NumberText.h"
#include "model/QuantityTable.h"

namespace kadenza {

namespace {

// What stands in for a character XML 1.0 does not allow: U+FFFD REPLACEMENT CHARACTER.
constexpr const char* replacementCharacter = "\xEF\xBF\xBD";

bool isForbiddenControl(unsigned char c) {
    return c < 0x20 && c != '\t' && c != '\r';
}

// The length of the well-formed UTF-8 sequence at `at` when it encodes a character XML 1.0
// allows (2 to 4 bytes); 0 for a stray or cut-short byte, an overlong form, a surrogate,
// U+FFFE or U+FFFF.
std::size_t allowedSequence(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned lead = byte(at);
    std::size_t length = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned next = byte(at + i);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < smallest[length] || code > 0x10FFFF || surrogate || code == 0xFFFE ||
        code == 0xFFFF) {
        return 0;
    }
    return length;
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
    const std::size_t length = allowedSequence(text, at);
    if (length == 0) {
        stream << replacementCharacter;
        return 1;
    }
    stream.write(text.data() + at, static_cast<std::streamsize>(length));
    return length;
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
