#include "report/StyledText.h"

#include "model/QuantityTable.h"

namespace kadenza {

namespace {

QString shownText(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    for (QChar& c : text) {
        if (c == QLatin1Char('\n')) {
            c = QChar::LineSeparator;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

QTextCharFormat scriptFormat(char style) {
    QTextCharFormat format;
    format.setVerticalAlignment(style == subscriptStyle ? QTextCharFormat::AlignSubScript
                                                        : QTextCharFormat::AlignSuperScript);
    return format;
}

// Appends a run of the row in its style.
void appendRun(StyledText& styled, const std::string& run, char style) {
    const int start = static_cast<int>(styled.text.size());
    styled.text += shownText(run);
    const int length = static_cast<int>(styled.text.size()) - start;
    if (style != normalStyle && length > 0) {
        styled.scripts.append({start, length, scriptFormat(style)});
    }
}

}  // namespace

StyledText styledText(const std::string& row) {
    StyledText styled;
    char style = normalStyle;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] != styleEscape) {
            continue;
        }
        appendRun(styled, row.substr(runStart, i - runStart), style);
        if (++i == row.size()) {
            return styled;
        }
        // Any code but the normal and the subscript one raises the type, as the tree draws it.
        style = row[i] == normalStyle || row[i] == subscriptStyle ? row[i] : superscriptStyle;
        runStart = i + 1;
    }
    appendRun(styled, row.substr(runStart), style);
    return styled;
}

StyledText plainText(const std::string& text) {
    return {shownText(text), {}};
}

}  // namespace kadenza
