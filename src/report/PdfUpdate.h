#pragma once

#include <map>
#include <string>

#include "report/PdfFile.h"

namespace kadenza {

// An incremental update of a PDF: objects added or replaced, written after the file's own bytes,
// which stay as they are, with a cross-reference table of their own and a trailer that leads to
// the file's.
class PdfUpdate {
  public:
    explicit PdfUpdate(const PdfFile& file);

    // A number for a new object, whose text is set later.
    int reserve();
    int add(const std::string& text);
    // Sets the text of a new object or replaces that of one of the file's.
    void set(int number, const std::string& text);
    // The file with the update after it.
    std::string written() const;

  private:
    const PdfFile& file_;
    int next_;
    std::map<int, std::string> objects_;
};

// A text string as PDF holds it: ASCII in parentheses, escaped; anything else as UTF-16BE with a
// byte-order mark, in hexadecimal.
std::string pdfString(const std::string& utf8);

}  // namespace kadenza
