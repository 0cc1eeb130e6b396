#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>
#include <map>
#include <string>
#include <vector>

// Reading a PDF file back through poppler's tools (poppler-utils).

namespace kadenza::test {

// What the tool wrote to stdout; empty when it could not run.
inline std::string popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " did not run: is poppler-utils installed?";
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

// The text of the pages `first` to `last` (every page when 0), each run of white space made
// one blank: in reading order, so that a text broken over lines in a table cell still
// matches, or as laid out, so that a table's row reads as one line.
inline std::string pdfText(const std::string& path, int first = 0, int last = 0,
                           bool asLaidOut = false) {
    QStringList arguments;
    if (asLaidOut) {
        arguments << QStringLiteral("-layout");
    }
    if (first > 0) {
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l")
                  << QString::number(last);
    }
    arguments << QString::fromStdString(path) << QStringLiteral("-");
    const std::string text = popplerOutput(QStringLiteral("pdftotext"), arguments);
    return QString::fromStdString(text).simplified().toStdString();
}

// The number of pages, as pdfinfo tells it.
inline int pdfPageCount(const std::string& path) {
    const QString info = QString::fromStdString(
        popplerOutput(QStringLiteral("pdfinfo"), {QString::fromStdString(path)}));
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return 0;
}

// The first page whose text holds `text`, from 1; 0 when none does.
inline int firstPageWith(const std::string& path, const std::string& text) {
    for (int page = 1; page <= pdfPageCount(path); ++page) {
        if (pdfText(path, page, page).find(text) != std::string::npos) {
            return page;
        }
    }
    return 0;
}

// One line of pdffonts for every font the file uses, its two lines of head left out.
inline std::vector<std::string> pdfFontLines(const std::string& path) {
    const QStringList lines = QString::fromStdString(popplerOutput(QStringLiteral("pdffonts"),
                                                                   {QString::fromStdString(path)}))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    std::vector<std::string> fonts;
    for (int i = 2; i < lines.size(); ++i) {
        fonts.push_back(lines[i].toStdString());
    }
    return fonts;
}

// A run of text as drawn on a page: where (in pdftohtml's pixels), in which colour, bold or not;
// its text with each run of white space one blank, as a reader sees it.
struct PdfRun {
    std::string text;
    int top;
    int left;
    int height;
    bool bold;
    std::string colour;
};

// Every run of text on one page, as pdftohtml reads it back.
inline std::vector<PdfRun> pdfRuns(const std::string& path, int page) {
    const std::string xml =
        popplerOutput(QStringLiteral("pdftohtml"),
                      {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"),
                       QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                       QString::number(page), QString::fromStdString(path)});
    std::map<QString, std::string> colours;
    std::vector<PdfRun> runs;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("fontspec")) {
            colours[attributes.value(QLatin1String("id")).toString()] =
                attributes.value(QLatin1String("color")).toString().toStdString();
        } else if (reader.name() == QLatin1String("text")) {
            PdfRun run{{},
                       attributes.value(QLatin1String("top")).toInt(),
                       attributes.value(QLatin1String("left")).toInt(),
                       attributes.value(QLatin1String("height")).toInt(),
                       false,
                       colours[attributes.value(QLatin1String("font")).toString()]};
            while (!(reader.isEndElement() && reader.name() == QLatin1String("text")) &&
                   !reader.atEnd()) {
                reader.readNext();
                if (reader.isStartElement() && reader.name() == QLatin1String("b")) {
                    run.bold = true;
                } else if (reader.isCharacters()) {
                    run.text += reader.text().toString().toStdString();
                }
            }
            run.text = QString::fromStdString(run.text).simplified().toStdString();
            runs.push_back(run);
        }
    }
    return runs;
}

}  // namespace kadenza::test
