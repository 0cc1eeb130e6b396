#include "report/IsolatedText.h"

#include <vector>

namespace kadenza {

namespace {

constexpr char16_t popDirectionalFormatting = 0x202C;
constexpr char16_t firstStrongIsolate = 0x2068;
constexpr char16_t popDirectionalIsolate = 0x2069;

// Left-to-right and right-to-left embeddings and overrides, ended by a pop.
bool isEmbedding(char16_t c) {
    return (c >= 0x202A && c <= 0x202E) && c != popDirectionalFormatting;
}

bool isIsolate(char16_t c) {
    return c >= 0x2066 && c <= firstStrongIsolate;
}

// The openers in effect, innermost last, as the bidirectional algorithm nests them: a pop of
// formatting ends only an embedding opened inside the innermost isolate, and a pop of an
// isolate ends the embeddings inside it too.
class OpenFormatting {
  public:
    bool endsEmbedding() const { return !openers_.empty() && isEmbedding(openers_.back()); }
    bool endsIsolate() const { return isolates_ > 0; }

    void open(char16_t opener, QString& text) {
        openers_.push_back(opener);
        isolates_ += isIsolate(opener) ? 1 : 0;
        text += QChar(opener);
    }

    void closeInnermost(QString& text) {
        const char16_t opener = openers_.back();
        openers_.pop_back();
        isolates_ -= isIsolate(opener) ? 1 : 0;
        text += QChar(isIsolate(opener) ? popDirectionalIsolate : popDirectionalFormatting);
    }

    // The embeddings inside the innermost isolate are closed each by its own pop, so that the
    // text stays balanced for a reader that knows embeddings only.
    void closeInnermostIsolate(QString& text) {
        while (!isIsolate(openers_.back())) {
            closeInnermost(text);
        }
        closeInnermost(text);
    }

    void closeAll(QString& text) {
        while (!openers_.empty()) {
            closeInnermost(text);
        }
    }

  private:
    std::vector<char16_t> openers_;
    int isolates_ = 0;
};

}  // namespace

QString isolatedText(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    QString isolated{QChar(firstStrongIsolate)};
    isolated.reserve(text.size() + 2);
    OpenFormatting open;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (isEmbedding(code) || isIsolate(code)) {
            open.open(code, isolated);
        } else if (code == popDirectionalFormatting) {
            if (open.endsEmbedding()) {
                open.closeInnermost(isolated);
            }
        } else if (code == popDirectionalIsolate) {
            if (open.endsIsolate()) {
                open.closeInnermostIsolate(isolated);
            }
        } else {
            isolated += c;
        }
    }
    open.closeAll(isolated);
    return isolated + QChar(popDirectionalIsolate);
}

}  // namespace kadenza
