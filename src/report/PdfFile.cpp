#include "report/PdfFile.h"

#include <regex>
#include <stdexcept>

namespace kadenza {

namespace {

std::runtime_error unreadable() {
    return std::runtime_error("Cannot read the PDF to sign");
}

// The number after the last "startxref".
std::size_t lastCrossReference(const std::string& bytes) {
    const std::size_t keyword = bytes.rfind("startxref");
    if (keyword == std::string::npos) {
        throw unreadable();
    }
    return std::stoul(bytes.substr(keyword + 9, 24));
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \r\n\t");
    const std::size_t last = text.find_last_not_of(" \r\n\t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The dictionary "<< … >>" that starts at `begin`, nested dictionaries included.
std::string dictionaryAt(const std::string& text, std::size_t begin) {
    int depth = 0;
    for (std::size_t i = begin; i + 1 < text.size(); ++i) {
        if (text.compare(i, 2, "<<") == 0) {
            ++depth;
            ++i;
        } else if (text.compare(i, 2, ">>") == 0) {
            ++i;
            if (--depth == 0) {
                return text.substr(begin, i + 1 - begin);
            }
        }
    }
    throw unreadable();
}

// A key is followed by white space, a delimiter or the end of a name.
std::string keyPattern(const std::string& key) {
    return key + R"((?![A-Za-z0-9#_.\-]))";
}

}  // namespace

PdfFile::PdfFile(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.compare(0, 5, "%PDF-") != 0) {
        throw unreadable();
    }
    try {
        crossReference_ = lastCrossReference(bytes_);
        readCrossReferences(crossReference_);
    } catch (const std::logic_error&) {
        throw unreadable();
    }
}

// A table "xref", subsections "first count" and their 20-byte entries, then its trailer,
// whose /Prev leads to the table before it. An entry already read came from a later update.
void PdfFile::readCrossReferences(std::size_t offset) {
    // Each update leads to an earlier table: one that leads back is no PDF.
    if (!tablesRead_.insert(offset).second || bytes_.compare(offset, 4, "xref") != 0) {
        throw unreadable();
    }
    std::size_t position = offset + 4;
    const std::size_t trailerAt = bytes_.find("trailer", position);
    if (trailerAt == std::string::npos) {
        throw unreadable();
    }
    while (position < trailerAt) {
        std::size_t used = 0;
        const int first = std::stoi(bytes_.substr(position, 24), &used);
        position += used;
        const int count = std::stoi(bytes_.substr(position, 24), &used);
        position = bytes_.find_first_not_of(" \r\n", position + used);
        for (int i = 0; i < count; ++i, position += 20) {
            if (bytes_.compare(position + 17, 1, "n") == 0) {
                offsets_.emplace(first + i, std::stoul(bytes_.substr(position, 10)));
            }
        }
        position = bytes_.find_first_not_of(" \r\n", position);
    }
    const std::string trailer = dictionaryAt(bytes_, bytes_.find("<<", trailerAt));
    if (trailer_.empty()) {
        trailer_ = trailer;
    }
    if (const std::optional<std::size_t> previous = integerOf(trailer, "/Prev")) {
        readCrossReferences(*previous);
    }
}

int PdfFile::size() const {
    const std::optional<std::size_t> size = integerOf(trailer_, "/Size");
    if (!size || *size > 8388607) {
        throw unreadable();
    }
    return static_cast<int>(*size);
}

std::string PdfFile::object(int number) const {
    const auto found = offsets_.find(number);
    if (found == offsets_.end()) {
        throw unreadable();
    }
    const std::string header = std::to_string(number) + " 0 obj";
    if (bytes_.compare(found->second, header.size(), header) != 0) {
        throw unreadable();
    }
    const std::size_t begin = found->second + header.size();
    const std::size_t end = bytes_.find("endobj", begin);
    if (end == std::string::npos) {
        throw unreadable();
    }
    return trimmed(bytes_.substr(begin, end - begin));
}

std::vector<int> PdfFile::pages() const {
    const int catalog = referenceOf(trailer_, "/Root");
    const int pageTree = catalog < 0 ? -1 : referenceOf(object(catalog), "/Pages");
    if (pageTree < 0) {
        throw unreadable();
    }
    const std::string tree = object(pageTree);
    const std::size_t kids = tree.find("/Kids");
    if (kids == std::string::npos) {
        throw unreadable();
    }
    return referencesIn(tree.substr(kids, tree.find(']', kids) - kids));
}

std::optional<std::size_t> integerOf(const std::string& dictionary, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(dictionary, match,
                           std::regex(keyPattern(key) + R"(\s+(\d{1,15})(?![\d.]))"))) {
        return std::nullopt;
    }
    return std::stoul(match[1]);
}

int referenceOf(const std::string& dictionary, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(dictionary, match,
                           std::regex(keyPattern(key) + R"(\s*(\d+)\s+0\s+R)"))) {
        return -1;
    }
    return std::stoi(match[1]);
}

std::vector<int> referencesIn(const std::string& text) {
    std::vector<int> numbers;
    const std::regex reference(R"((\d+)\s+0\s+R(?![A-Za-z]))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
         it != std::sregex_iterator(); ++it) {
        numbers.push_back(std::stoi((*it)[1]));
    }
    return numbers;
}

std::string renumbered(const std::string& text, const std::map<int, int>& numbers) {
    const std::regex reference(R"((\d+)(\s+0\s+R)(?![A-Za-z]))");
    std::string result;
    auto last = text.begin();
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
         it != std::sregex_iterator(); ++it) {
        const auto found = numbers.find(std::stoi((*it)[1]));
        result.append(last, (*it)[0].first);
        result += found == numbers.end() ? (*it)[1].str() : std::to_string(found->second);
        result += (*it)[2].str();
        last = (*it)[0].second;
    }
    result.append(last, text.end());
    return result;
}

std::vector<double> numbersOf(const std::string& dictionary, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(dictionary, match, std::regex(keyPattern(key) + R"(\s*\[([^\]]*)\])"))) {
        return {};
    }
    std::vector<double> numbers;
    const std::string list = match[1];
    const std::regex number(R"([-+]?[0-9]*\.?[0-9]+)");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), number);
         it != std::sregex_iterator(); ++it) {
        numbers.push_back(std::stod((*it)[0]));
    }
    return numbers;
}

StreamParts streamParts(const PdfFile& file, const std::string& object) {
    const std::size_t keyword = object.find("stream");
    if (object.compare(0, 2, "<<") != 0 || keyword == std::string::npos) {
        return {object, {}};
    }
    const std::string dictionary = dictionaryAt(object, 0);
    const int lengthObject = referenceOf(dictionary, "/Length");
    const std::optional<std::size_t> length =
        lengthObject >= 0 ? std::optional<std::size_t>(std::stoul(file.object(lengthObject)))
                          : integerOf(dictionary, "/Length");
    if (!length) {
        throw unreadable();
    }
    std::size_t data = keyword + 6;
    data += object.compare(data, 2, "\r\n") == 0 ? 2 : 1;
    if (data > object.size() || *length > object.size() - data) {
        throw unreadable();
    }
    return {dictionary, object.substr(data, *length)};
}

}  // namespace kadenza
