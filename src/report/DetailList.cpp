#include "report/DetailList.h"

#include "language/Language.h"

namespace kadenza {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::vector<TableRow> detailRows(const std::vector<DetailLine>& lines) {
    std::vector<TableRow> rows;
    for (const DetailLine& line : lines) {
        if (!line.value.empty()) {
            rows.push_back({{{markedText(RowText(line.labelRow)), labelStyle},
                             {userText(line.value), bodyStyle}},
                            {}});
        }
    }
    return rows;
}

StyledText detailRun(const std::vector<DetailLine>& lines) {
    StyledText run;
    for (const DetailLine& line : lines) {
        if (line.value.empty()) {
            continue;
        }
        if (!run.text.isEmpty()) {
            append(run, plainText("  \u00B7  "));
        }
        append(run, markedText(std::string(RowText(line.labelRow)) + ": "));
        append(run, userText(line.value));
    }
    return run;
}

std::string shortened(const std::string& text, std::size_t length) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!isContinuationByte(text[at]) && ++characters > length) {
            return text.substr(0, at) + "\u2026";
        }
    }
    return text;
}

}  // namespace kadenza
