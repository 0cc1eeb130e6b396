#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The Distinguished Encoding Rules of the few ASN.1 types that a signature and a time-stamp
// request are made of, over bytes held in std::string.
namespace kadenza::der {

using Bytes = std::string;

// Tags of the universal types used, and of the context-specific constructed ones.
constexpr unsigned char booleanTag = 0x01;
constexpr unsigned char integerTag = 0x02;
constexpr unsigned char octetStringTag = 0x04;
constexpr unsigned char nullTag = 0x05;
constexpr unsigned char objectIdentifierTag = 0x06;
constexpr unsigned char sequenceTag = 0x30;
constexpr unsigned char setTag = 0x31;
constexpr unsigned char contextTag = 0xA0;  // [0]; [n] is contextTag + n

Bytes tagged(unsigned char tag, const Bytes& content);
Bytes sequence(const std::vector<Bytes>& items);
// A SET OF: DER puts its elements in the order of their encodings.
Bytes setOf(std::vector<Bytes> items);
// "1.2.840.113549.1.7.2"
Bytes objectIdentifier(const std::string& dotted);
// An INTEGER from the bytes of a number, most significant first, as a certificate's serial
// number holds them: a zero byte is put before a leading byte with its top bit set.
Bytes integer(const Bytes& bigEndian);
Bytes smallInteger(unsigned value);
Bytes octetString(const Bytes& content);
Bytes boolean(bool value);
Bytes null();

// One element read back: where it begins, its tag, where its content begins and how long it
// is.
struct Element {
    std::size_t start = 0;
    unsigned char tag = 0;
    std::size_t contentStart = 0;
    std::size_t contentLength = 0;
    std::size_t end() const { return contentStart + contentLength; }
};

// The element at `offset` of `bytes`; false when the bytes end before it does or its length
// is not one DER writes.
bool readElement(const Bytes& bytes, std::size_t offset, Element& element);

// The elements of a constructed element's content, one after the other; false when one of
// them cannot be read.
bool readChildren(const Bytes& bytes, const Element& parent, std::vector<Element>& children);

}  // namespace kadenza::der
