#pragma once

#include <string>

namespace kadenza::test {

// What PDFBox's Preflight (Debian's libpdfbox2-java) finds wrong with the file as PDF/A-1b, a
// line for each error; empty when it is valid.
std::string pdfaProblems(const std::string& path);

}  // namespace kadenza::test
