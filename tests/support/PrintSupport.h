// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generated grids for the printing tests, and reading what was printed.

#include "CoreTestHelpers.h"

#include "ui/recordfiles/SpreadGrid.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace tarvex::test {

// A data log as the grid loads it with option 3: the title line becomes row 0 ("At" in the
// corner, then "Title1"...), the first field of every line column 0 ("H1"...). Cell (c, r)
// reads "r<r>c<c>", so that every cell of the printout can be told apart.
inline QString writeGridFile(const QString& dir, int rows, int columns,
                             const QString& name = QStringLiteral("plant.csv")) {
    QByteArray text = "At";
    for (int c = 1; c <= columns; ++c) {
        text += ",Title" + QByteArray::number(c);
    }
    for (int r = 1; r <= rows; ++r) {
        text += "\r\nH" + QByteArray::number(r);
        for (int c = 1; c <= columns; ++c) {
            text += ",r" + QByteArray::number(r) + "c" + QByteArray::number(c);
        }
    }
    return writeFile(QDir(dir).filePath(name), text + "\r\n");
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

inline QString pdfText(const QString& pdf) {
    return runTool("pdftotext", {"-layout", pdf, "-"});
}

// A field of pdfinfo's report ("Pages", "Title", "Page size").
inline QString pdfInfo(const QString& pdf, const QString& field) {
    const QRegularExpression line("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(runTool(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}

inline bool isLandscape(const QString& pdf) {
    const QStringList size = pdfInfo(pdf, QStringLiteral("Page size")).split(QLatin1Char(' '));
    return size.size() >= 3 && size[0].toDouble() > size[2].toDouble();
}

// Expects each of `words` to be in `text` as a whole word, or none of them.
inline void expectWords(const QString& text, std::initializer_list<const char*> words,
                        bool present) {
    for (const char* word : words) {
        const QRegularExpression whole("(^|\\s)" + QRegularExpression::escape(word) + "(\\s|$)");
        EXPECT_EQ(text.contains(whole), present) << word;
    }
}

// The pages of a PDF (the first `count` of them) as pictures at 40 dpi.
inline QList<QImage> pdfPages(const QString& pdf, int count = 1) {
    const QTemporaryDir dir;
    runTool("pdftoppm", {"-r", "40", "-f", "1", "-l", QString::number(count), "-png", pdf,
                         dir.filePath("page")});
    QList<QImage> images;
    for (const QString& name : QDir(dir.path()).entryList({"page*.png"}, QDir::Files, QDir::Name)) {
        images << QImage(dir.filePath(name));
    }
    return images;
}

inline QImage pdfPage(const QString& pdf) {
    const QList<QImage> pages = pdfPages(pdf);
    return pages.isEmpty() ? QImage() : pages.front();
}

// The text of one page of a PDF.
inline QString pdfPageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return runTool("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"});
}

// Files of `dir` matching `pattern` and not in `before`, once `count` of them are there and have
// stopped growing; what there is when the time is up.
inline QStringList awaitFiles(const QDir& dir, const QString& pattern, int count,
                              const QStringList& before = {}, int timeoutMs = 90000) {
    QStringList names;
    for (QDeadlineTimer deadline(timeoutMs); !deadline.hasExpired(); QTest::qWait(200)) {
        names = dir.entryList({pattern}, QDir::Files, QDir::Name);
        names.removeIf([&](const QString& name) { return before.contains(name); });
        if (names.size() >= count) {
            break;
        }
    }
    QStringList paths;
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        for (qint64 size = -1; QFileInfo(path).size() != size; QTest::qWait(300)) {
            size = QFileInfo(path).size();
        }
        paths << path;
    }
    return paths;
}

} // namespace tarvex::test
