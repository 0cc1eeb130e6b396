#include "report/Der.h"

#include <algorithm>
#include <sstream>

namespace kadenza::der {

namespace {

Bytes lengthOf(std::size_t length) {
    if (length < 0x80) {
        return Bytes(1, static_cast<char>(length));
    }
    Bytes digits;
    for (; length > 0; length >>= 8) {
        digits.insert(digits.begin(), static_cast<char>(length & 0xFF));
    }
    return static_cast<char>(0x80 | digits.size()) + digits;
}

// An arc of an object identifier in base 128, the high bit set on all but the last byte.
Bytes base128(unsigned long arc) {
    Bytes encoded(1, static_cast<char>(arc & 0x7F));
    for (arc >>= 7; arc > 0; arc >>= 7) {
        encoded.insert(encoded.begin(), static_cast<char>(0x80 | (arc & 0x7F)));
    }
    return encoded;
}

}  // namespace

Bytes tagged(unsigned char tag, const Bytes& content) {
    return static_cast<char>(tag) + lengthOf(content.size()) + content;
}

Bytes sequence(const std::vector<Bytes>& items) {
    Bytes content;
    for (const Bytes& item : items) {
        content += item;
    }
    return tagged(sequenceTag, content);
}

Bytes setOf(std::vector<Bytes> items) {
    std::sort(items.begin(), items.end(), [](const Bytes& a, const Bytes& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    });
    Bytes content;
    for (const Bytes& item : items) {
        content += item;
    }
    return tagged(setTag, content);
}

Bytes objectIdentifier(const std::string& dotted) {
    std::vector<unsigned long> arcs;
    std::istringstream parts(dotted);
    for (std::string arc; std::getline(parts, arc, '.');) {
        arcs.push_back(std::stoul(arc));
    }
    Bytes content = base128(arcs.at(0) * 40 + arcs.at(1));
    for (std::size_t i = 2; i < arcs.size(); ++i) {
        content += base128(arcs[i]);
    }
    return tagged(objectIdentifierTag, content);
}

Bytes integer(const Bytes& bigEndian) {
    std::size_t first = 0;
    while (first + 1 < bigEndian.size() && bigEndian[first] == 0 &&
           (static_cast<unsigned char>(bigEndian[first + 1]) & 0x80) == 0) {
        ++first;
    }
    Bytes content = bigEndian.substr(first);
    if (content.empty() || (static_cast<unsigned char>(content[0]) & 0x80) != 0) {
        content.insert(content.begin(), '\0');
    }
    return tagged(integerTag, content);
}

Bytes smallInteger(unsigned value) {
    Bytes bigEndian;
    do {
        bigEndian.insert(bigEndian.begin(), static_cast<char>(value & 0xFF));
        value >>= 8;
    } while (value > 0);
    return integer(bigEndian);
}

Bytes octetString(const Bytes& content) {
    return tagged(octetStringTag, content);
}

Bytes boolean(bool value) {
    return tagged(booleanTag, Bytes(1, value ? '\xFF' : '\0'));
}

Bytes null() {
    return tagged(nullTag, Bytes());
}

bool readElement(const Bytes& bytes, std::size_t offset, Element& element) {
    if (offset + 2 > bytes.size()) {
        return false;
    }
    element.start = offset;
    element.tag = static_cast<unsigned char>(bytes[offset]);
    const auto first = static_cast<unsigned char>(bytes[offset + 1]);
    std::size_t position = offset + 2;
    std::size_t length = first;
    if (first & 0x80) {
        const std::size_t digits = first & 0x7F;
        if (digits == 0 || digits > sizeof(std::size_t) || position + digits > bytes.size()) {
            return false;
        }
        length = 0;
        for (std::size_t i = 0; i < digits; ++i) {
            length = (length << 8) | static_cast<unsigned char>(bytes[position++]);
        }
    }
    if (length > bytes.size() - position) {
        return false;
    }
    element.contentStart = position;
    element.contentLength = length;
    return true;
}

bool readChildren(const Bytes& bytes, const Element& parent, std::vector<Element>& children) {
    for (std::size_t offset = parent.contentStart; offset < parent.end();) {
        Element child;
        if (!readElement(bytes, offset, child) || child.end() > parent.end()) {
            return false;
        }
        children.push_back(child);
        offset = child.end();
    }
    return true;
}

}  // namespace kadenza::der
