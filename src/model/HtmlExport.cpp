#include "model/HtmlExport.h"

#include <ostream>
#include <sstream>

#include "model/InstrumentItem.h"
#include "model/QuantityTable.h"
#include "model/TextFile.h"

namespace kadenza {

namespace {

// The header's lines end in CR LF as written, which the text stream turns into CR CR LF;
// the META line alone ends in a bare LF.
constexpr const char* htmlHeader =
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n"
    "<TITLE>List</TITLE>\r\n"
    "</HEAD>\r\n"
    "<BODY>\r\n";

void writeStyleEnd(int style, std::ostream& stream) {
    if (style == subscriptStyle) {
        stream << "</SUB>";
    } else if (style == superscriptStyle) {
        stream << "</SUP>";
    }
}

void writeStyleStart(int style, std::ostream& stream) {
    if (style == subscriptStyle) {
        stream << "<SUB>";
    } else if (style == superscriptStyle) {
        stream << "<SUP>";
    }
}

void writeRowText(const std::string& text, std::ostream& stream) {
    int style = normalStyle;
    for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
        const char c = text[i];
        if (c == '<') {
            stream << "&lt;";
        } else if (c == '>') {
            stream << "&gt;";
        } else if (c == styleEscape) {
            writeStyleEnd(style, stream);
            if (i + 1 >= text.size()) {
                return;
            }
            style = text[++i];
            writeStyleStart(style, stream);
        } else {
            stream << c;
        }
    }
}

}  // namespace

void WriteHtmlNode(const InstrumentAbstract& node, std::ostream& stream) {
    const auto* item = dynamic_cast<const InstrumentItem*>(&node);
    const bool over = item != nullptr && item->isOver();
    stream << (over ? "<FONT COLOR=\"#ff0000\"><I>" : "<FONT COLOR=\"#000000\">");
    writeRowText(node.text(showAllColumns), stream);
    // A black FONT element stays open, as it always has in these pages.
    if (over) {
        stream << "</I></FONT>";
    }
}

std::string htmlText(const InstrumentData& data) {
    std::ostringstream page;
    page << htmlHeader;
    for (int b = 0; b < data.count(); ++b) {
        const InstrumentBank& bank = *data.bank(b);
        page << "<i><b>";
        WriteHtmlNode(bank, page);
        page << "</b></i><br>\r\n<br>\r\n";
        for (int i = 0; i < bank.count(); ++i) {
            const InstrumentItem& item = *bank.item(i);
            if (item.isPrimary()) {
                page << "<b>";
                WriteHtmlNode(item, page);
                page << "</b><br>\r\n";
            } else {
                WriteHtmlNode(item, page);
                page << "<br>\r\n";
            }
        }
        page << "<HR align=left>\r\n";
    }
    page << "</BODY>";
    return page.str();
}

bool SaveHtml(const std::string& path, const InstrumentData& data) {
    return writeTextFile(path, htmlText(data));
}

}  // namespace kadenza
