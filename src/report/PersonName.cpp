#include "report/PersonName.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace kadenza {

namespace {

// Titles before and after Czech and English names, folded as the names are.
const QSet<QString>& titles() {
    static const QSet<QString> known{
        QStringLiteral("ing"),   QStringLiteral("arch"), QStringLiteral("bc"),
        QStringLiteral("mgr"),   QStringLiteral("dr"),   QStringLiteral("judr"),
        QStringLiteral("mudr"),  QStringLiteral("rndr"), QStringLiteral("phdr"),
        QStringLiteral("paedr"), QStringLiteral("doc"),  QStringLiteral("prof"),
        QStringLiteral("phd"),   QStringLiteral("csc"),  QStringLiteral("drsc"),
        QStringLiteral("dis"),   QStringLiteral("mba"),  QStringLiteral("msc"),
        QStringLiteral("bsc"),   QStringLiteral("dipl"), QStringLiteral("mr"),
        QStringLiteral("mrs"),   QStringLiteral("ms"),   QStringLiteral("eng"),
    };
    return known;
}

// The name's words without accents, case, dots and titles, in alphabetical order: "Ph.D."
// is one word.
QStringList foldedWords(const std::string& name) {
    QString plain;
    for (const QChar c : QString::fromStdString(name).normalized(QString::NormalizationForm_D)) {
        if (c.isLetter()) {
            plain += c.toCaseFolded();
        } else if (c.isSpace() || c == QLatin1Char(',')) {
            plain += QLatin1Char(' ');
        }
    }
    QStringList words;
    for (const QString& word : plain.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!titles().contains(word)) {
            words << word;
        }
    }
    std::sort(words.begin(), words.end());
    return words;
}

}  // namespace

bool samePerson(const std::string& one, const std::string& other) {
    const QStringList words = foldedWords(one);
    return !words.isEmpty() && words == foldedWords(other);
}

}  // namespace kadenza
