#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kadenza {

// A PDF with classic cross-reference tables, as Qt writes it and as a signature updates it,
// read far enough to change it by an update appended to it: its objects by number (the latest
// update's), its trailer and its pages. Throws std::runtime_error when the bytes are no such
// PDF.
class PdfFile {
  public:
    explicit PdfFile(std::string bytes);

    const std::string& bytes() const { return bytes_; }
    // The dictionary of the latest trailer, "<< … >>".
    const std::string& trailer() const { return trailer_; }
    // Where the latest cross-reference table begins.
    std::size_t crossReference() const { return crossReference_; }
    // One more than the highest object number.
    int size() const;
    // The object's text between "N 0 obj" and "endobj", a stream's data included, trimmed.
    std::string object(int number) const;
    // The object numbers of the pages, in their order.
    std::vector<int> pages() const;

  private:
    void readCrossReferences(std::size_t offset);

    std::string bytes_;
    std::string trailer_;
    std::size_t crossReference_ = 0;
    std::map<int, std::size_t> offsets_;
    std::set<std::size_t> tablesRead_;
};

// The whole number that follows the key ("/Size 42"); none when the key holds no such number.
std::optional<std::size_t> integerOf(const std::string& dictionary, const std::string& key);

// The object number that the dictionary's key refers to ("/Root 2 0 R" gives 2 for "/Root");
// -1 when the key is not there or holds no reference.
int referenceOf(const std::string& dictionary, const std::string& key);

// The numbers of all the objects that the text refers to, in their order.
std::vector<int> referencesIn(const std::string& text);

// The text with each reference "N 0 R" whose N the map holds made to refer to its new number.
std::string renumbered(const std::string& text, const std::map<int, int>& numbers);

// The numbers of an array "[0 0 595.3 841.9]" that follows the key; empty when none.
std::vector<double> numbersOf(const std::string& dictionary, const std::string& key);

// A stream object's dictionary and its data, split at the keyword "stream"; the data is empty
// and the dictionary whole for an object that is no stream.
struct StreamParts {
    std::string dictionary;
    std::string data;
};
StreamParts streamParts(const PdfFile& file, const std::string& object);

}  // namespace kadenza
