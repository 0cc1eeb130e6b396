#include "report/PdfUpdate.h"

#include <QString>
#include <cstdio>
#include <regex>
#include <stdexcept>

namespace kadenza {

namespace {

std::string crossReferenceEntry(std::size_t offset) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    return entry;
}

// The trailer of the update: the file's, with the new size and the table before it.
std::string updatedTrailer(const std::string& trailer, int size, std::size_t previous) {
    std::string text = std::regex_replace(trailer, std::regex(R"(\s*/(Size|Prev)\s+\d+)"), "");
    text.insert(text.rfind(">>"),
                "/Size " + std::to_string(size) + "\n/Prev " + std::to_string(previous) + "\n");
    return text;
}

bool isAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
            return false;
        }
    }
    return true;
}

}  // namespace

PdfUpdate::PdfUpdate(const PdfFile& file) : file_(file), next_(file.size()) {}

int PdfUpdate::reserve() {
    return next_++;
}

int PdfUpdate::add(const std::string& text) {
    const int number = reserve();
    set(number, text);
    return number;
}

void PdfUpdate::set(int number, const std::string& text) {
    objects_[number] = text;
}

std::string PdfUpdate::written() const {
    std::string bytes = file_.bytes();
    if (bytes.back() != '\n') {
        bytes += '\n';
    }
    std::map<int, std::size_t> offsets;
    for (const auto& [number, text] : objects_) {
        offsets[number] = bytes.size();
        bytes += std::to_string(number) + " 0 obj\n" + text + "\nendobj\n";
    }
    const std::size_t table = bytes.size();
    bytes += "xref\n";
    // A subsection for each run of consecutive numbers.
    for (auto run = offsets.begin(); run != offsets.end();) {
        auto end = run;
        int count = 0;
        while (end != offsets.end() && end->first == run->first + count) {
            ++end;
            ++count;
        }
        bytes += std::to_string(run->first) + " " + std::to_string(count) + "\n";
        for (; run != end; ++run) {
            bytes += crossReferenceEntry(run->second);
        }
    }
    bytes += "trailer\n" + updatedTrailer(file_.trailer(), next_, file_.crossReference()) +
             "\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
    return bytes;
}

std::string pdfString(const std::string& utf8) {
    if (isAscii(utf8)) {
        std::string escaped = "(";
        for (const char c : utf8) {
            if (c == '(' || c == ')' || c == '\\') {
                escaped += '\\';
            }
            escaped += c;
        }
        return escaped + ")";
    }
    std::string hex = "<FEFF";
    char digits[5];
    for (const QChar unit : QString::fromStdString(utf8)) {
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(unit.unicode()));
        hex += digits;
    }
    return hex + ">";
}

}  // namespace kadenza
