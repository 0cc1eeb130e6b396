#include "report/StyledText.h"

#include "model/QuantityTable.h"
#include "report/IsolatedText.h"

namespace kadenza {

namespace {

// The controls of ISO 8859 (U+0080 to U+009F) as well as ASCII's: the fonts draw them as boxes.
QString shownText(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    for (QChar& c : text) {
        if (c == QLatin1Char('\n')) {
            c = QChar::LineSeparator;
        } else if (c.category() == QChar::Other_Control) {
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

bool continuesSubscript(QChar c) {
    return c.isDigit() || (c.isLetter() && (c.script() == QChar::Script_Latin ||
                                            c.script() == QChar::Script_Greek));
}

// The end of the subscript run that an underscore at `at` starts, or `at` where none starts.
qsizetype subscriptEnd(const QString& text, qsizetype at) {
    if (text[at] != QLatin1Char('_')) {
        return at;
    }
    qsizetype end = at + 1;
    while (end < text.size() && continuesSubscript(text[end])) {
        ++end;
    }
    return end == at + 1 ? at : end;
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

StyledText userText(const std::string& utf8) {
    return {isolatedText(shownText(utf8)), {}};
}

StyledText markedText(const std::string& utf8) {
    const QString text = shownText(utf8);
    StyledText marked;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype end = subscriptEnd(text, i);
        if (end == i) {
            marked.text += text[i++];
            continue;
        }
        const QString run = text.mid(i + 1, end - i - 1);
        marked.scripts.append({static_cast<int>(marked.text.size()), static_cast<int>(run.size()),
                               scriptFormat(subscriptStyle)});
        marked.text += run;
        i = end;
    }
    return marked;
}

void append(StyledText& to, const StyledText& more) {
    const auto shift = static_cast<int>(to.text.size());
    to.text += more.text;
    for (QTextLayout::FormatRange range : more.scripts) {
        range.start += shift;
        to.scripts.append(range);
    }
}

QString styledHtml(const StyledText& styled) {
    QString html;
    int at = 0;
    for (const QTextLayout::FormatRange& run : styled.scripts) {
        const bool lower = run.format.verticalAlignment() == QTextCharFormat::AlignSubScript;
        const QString tag = lower ? QStringLiteral("sub") : QStringLiteral("sup");
        html += styled.text.mid(at, run.start - at).toHtmlEscaped();
        html += QStringLiteral("<%1>%2</%1>")
                    .arg(tag, styled.text.mid(run.start, run.length).toHtmlEscaped());
        at = run.start + run.length;
    }
    return html + styled.text.mid(at).toHtmlEscaped();
}

}  // namespace kadenza
