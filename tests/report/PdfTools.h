#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
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

}  // namespace kadenza::test
