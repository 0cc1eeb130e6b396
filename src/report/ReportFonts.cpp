#include "report/ReportFonts.h"

#include <QFontDatabase>
#include <QRawFont>

namespace kadenza {

namespace {

// A face by its family, its foundry and the names of its four styles: asked for by all of them,
// so that a font of another foundry, or of the same family and foundry but another style name,
// never stands in for it.
struct Face {
    QString family;
    QString regular;
    QString bold;
    QString italic;
    QString boldItalic;

    QFont font(bool isBold, bool isItalic) const {
        QFont font(family);
        font.setStyleName(isBold ? (isItalic ? boldItalic : bold) : (isItalic ? italic : regular));
        font.setBold(isBold);
        font.setItalic(isItalic);
        font.setStyleStrategy(QFont::NoFontMerging);
        return font;
    }
};

const Face mainFace{QStringLiteral("Liberation Sans [1ASC]"), QStringLiteral("Regular"),
                    QStringLiteral("Bold"), QStringLiteral("Italic"),
                    QStringLiteral("Bold Italic")};
const Face signFace{QStringLiteral("DejaVu Sans [PfEd]"), QStringLiteral("Book"),
                    QStringLiteral("Bold"), QStringLiteral("Oblique"),
                    QStringLiteral("Bold Oblique")};

// A face registered from its file replaces the one of the same name, foundry and style that the
// system offered, once the system's fonts are known: they are asked for first.
bool registerFaces() {
    QFontDatabase::families();
    const QString liberation =
        QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-");
    const QString dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans");
    for (const QString& file :
         {QString::fromUtf8(regularFaceFile), liberation + QStringLiteral("Bold.ttf"),
          liberation + QStringLiteral("Italic.ttf"), liberation + QStringLiteral("BoldItalic.ttf"),
          dejavu + QStringLiteral(".ttf"), dejavu + QStringLiteral("-Bold.ttf"),
          dejavu + QStringLiteral("-Oblique.ttf"), dejavu + QStringLiteral("-BoldOblique.ttf")}) {
        QFontDatabase::addApplicationFont(file);
    }
    return true;
}

char32_t codePointAt(const QString& text, qsizetype at) {
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(text[at], text[at + 1]);
    }
    return text[at].unicode();
}

}  // namespace

void loadReportFonts() {
    static const bool loaded = registerFaces();
    (void)loaded;
}

QFont reportFont(bool bold, bool italic) {
    return mainFace.font(bold, italic);
}

QList<QTextLayout::FormatRange> signRuns(const QString& text, const QFont& font) {
    const QFont signFont = signFace.font(font.bold(), font.italic());
    const QRawFont main = QRawFont::fromFont(font);
    const QRawFont signs = QRawFont::fromFont(signFont);
    QTextCharFormat format;
    format.setFontFamilies(signFont.families());
    format.setFontStyleName(signFont.styleName());
    QList<QTextLayout::FormatRange> runs;
    for (qsizetype at = 0; at < text.size();) {
        const char32_t c = codePointAt(text, at);
        const int length = QChar::requiresSurrogates(c) ? 2 : 1;
        if (!main.supportsCharacter(c) && signs.supportsCharacter(c)) {
            if (!runs.isEmpty() && runs.last().start + runs.last().length == at) {
                runs.last().length += length;
            } else {
                runs.append({static_cast<int>(at), length, format});
            }
        }
        at += length;
    }
    return runs;
}

}  // namespace kadenza
