#pragma once
// Helpers shared by the printing tests: generated grids and reading what was printed.

#include "recordfiles/SpreadGrid.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvex::test {

// A data log as the grid loads it with option 3: the title line becomes row 0 ("At" in the
// corner, then "Title1"...), the first field of every line column 0 ("H1"...). Cell (c, r)
// reads "r<r>c<c>", so that every cell of the printout can be told apart.
inline QString writeGridFile(const QString& dir, int rows, int columns,
                             const QString& name = QStringLiteral("plant.csv")) {
    QStringList lines;
    QStringList titles{QStringLiteral("At")};
    for (int c = 1; c <= columns; ++c) {
        titles << QStringLiteral("Title%1").arg(c);
    }
    lines << titles.join(QLatin1Char(','));
    for (int r = 1; r <= rows; ++r) {
        QStringList fields{QStringLiteral("H%1").arg(r)};
        for (int c = 1; c <= columns; ++c) {
            fields << QStringLiteral("r%1c%2").arg(r).arg(c);
        }
        lines << fields.join(QLatin1Char(','));
    }
    const QString path = QDir(dir).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    }
    return path;
}

inline bool loadGrid(SpreadGrid& grid, const QString& path) {
    return grid.LoadDelimitedText(path, {}, QStringLiteral(","), QStringLiteral("\r\n"), 3, {});
}

inline QString runTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF (one page of it when `page` > 0).
inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList args;
    if (page > 0) {
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    }
    return runTool(QStringLiteral("pdftotext"),
                   args << QStringLiteral("-layout") << pdf << QStringLiteral("-"));
}

// A field of pdfinfo's report ("Pages", "Title", "Page size").
inline QString pdfInfo(const QString& pdf, const QString& field) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(runTool(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}

// Whether `text` holds `word` as a whole word.
inline bool hasWord(const QString& text, const QString& word) {
    return text.contains(QRegularExpression(
        QStringLiteral("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(word))));
}

// Expects each of `words` to be in `text` as a whole word, or none of them.
inline void expectWords(const QString& text, std::initializer_list<const char*> words,
                        bool present) {
    for (const char* word : words) {
        EXPECT_EQ(hasWord(text, QLatin1String(word)), present) << word;
    }
}

// Files of `dir` matching `pattern`, once `count` of them are there and have stopped growing;
// what there is when the time is up.
inline QStringList awaitFiles(const QDir& dir, const QString& pattern, int count,
                              int timeoutMs = 90000) {
    QElapsedTimer waited;
    waited.start();
    QStringList names;
    while (waited.elapsed() < timeoutMs) {
        names = dir.entryList({pattern}, QDir::Files, QDir::Name);
        if (names.size() >= count) {
            break;
        }
        QTest::qWait(200);
    }
    QStringList paths;
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        qint64 size = -1;
        while (QFileInfo(path).size() != size) {
            size = QFileInfo(path).size();
            QTest::qWait(300);
        }
        paths << path;
    }
    return paths;
}

} // namespace tarvex::test
