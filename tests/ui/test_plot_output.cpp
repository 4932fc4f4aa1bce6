#include "common/TvError.h"
#include "trend/PlotControl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>

#include <unistd.h>

using namespace tarvex;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Makes `dir` refuse new files; root ignores permissions, so it needs the immutable attribute.
bool makeReadOnly(const QString& dir, bool readOnly) {
    if (geteuid() == 0) {
        return QProcess::execute("chattr", {readOnly ? "+i" : "-i", dir}) == 0;
    }
    return QFile::setPermissions(dir, readOnly
                                          ? QFile::ReadOwner | QFile::ExeOwner
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

int errorOf(PlotControl& plot, const QString& path) {
    try {
        plot.SaveJpeg(path, 100, true);
    } catch (const TvError& e) {
        return e.number();
    }
    return 0;
}

PlotControl& filledPlot(PlotControl& plot) {
    plot.resize(900, 500);
    plot.AddChannel();
    for (int i = 0; i < 600; ++i) {
        plot.Channel(0).AddXY(45292.0 + i / 86400.0, (i * 37) % 100);
    }
    plot.XAxis().setMin(45292.0);
    plot.XAxis().setSpan(600 / 86400.0);
    return plot;
}

// Other tests may print at the same time; the plot's jobs carry this name.
const QStringList kTrendPdfs{"Historical_Trend*.pdf"};

// The first file of `dir` not in `before`, once it has stopped growing; empty after a minute.
QString awaitNewFile(const QDir& dir, const QStringList& before) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        for (const QString& name : dir.entryList(kTrendPdfs, QDir::Files)) {
            if (!before.contains(name)) {
                QString path = dir.filePath(name);
                qint64 size = -1;
                while (QFileInfo(path).size() != size) {
                    size = QFileInfo(path).size();
                    QThread::msleep(300);
                }
                return path;
            }
        }
        QThread::msleep(200);
    }
    return {};
}

} // namespace

TEST(PlotJpeg, WritesAJpegOfThePlot) {
    QTemporaryDir dir;
    PlotControl plot;
    filledPlot(plot);
    const QString best = dir.filePath("Data Viewer.jpg");
    const QString poor = dir.filePath("poor.jpg");
    plot.SaveJpeg(best, 100, true);
    plot.SaveJpeg(poor, 10, false);

    const QByteArray bytes = readAll(best);
    ASSERT_GT(bytes.size(), 1000);
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF")) << "JPEG start of image";
    QImageReader reader(best);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(900, 500)) << "the size on screen";
    EXPECT_EQ(QImageReader(poor).size(), QSize(1280, 720));
    EXPECT_LT(QFileInfo(poor).size(), bytes.size()) << "quality 10 compresses harder";

    plot.Channel(0).setTraceLineWidth(4);
    plot.SaveJpeg(best, 100, true);
    EXPECT_NE(readAll(best), bytes) << "an existing file is replaced";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary files left";
}

TEST(PlotJpeg, FailureRaisesAnErrorAndLeavesNoFile) {
    QTemporaryDir dir;
    PlotControl plot;
    filledPlot(plot);

    const QString missing = dir.filePath("no such folder/trend.jpg");
    EXPECT_EQ(errorOf(plot, missing), ErrPathNotFound);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(errorOf(plot, ""), ErrBadFileName);
    EXPECT_NE(errorOf(plot, dir.path()), 0) << "a folder is not a file";

    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString existing = locked + "/trend.jpg";
    writeFile(existing, "old picture");
    ASSERT_TRUE(makeReadOnly(locked, true));
    const bool refuses = !QFile(locked + "/probe").open(QIODevice::WriteOnly);
    if (refuses) {
        EXPECT_NE(errorOf(plot, existing), 0);
        EXPECT_NE(errorOf(plot, locked + "/new.jpg"), 0);
    }
    makeReadOnly(locked, false);
    if (!refuses) {
        GTEST_SKIP() << "cannot make a read-only folder here";
    }
    EXPECT_EQ(readAll(existing), "old picture") << "the existing file is untouched";
    EXPECT_EQ(QDir(locked).entryList(QDir::Files), QStringList{"trend.jpg"});
}

// Needs the cups-pdf printer as the default printer (scripts/start-services.sh); without a
// default printer it checks the error instead. The printed page is rasterised and looked at:
// cups-pdf turns text into outlines, so the text cannot be read back.
TEST(PlotPrint, PrintsOnTheDefaultPrinterOrRaisesAnError) {
    PlotControl plot;
    filledPlot(plot);
    plot.Channel(0).setColor(QColor(255, 0, 0));
    if (QPrinterInfo::defaultPrinter().isNull()) {
        try {
            plot.PrintPlot();
            FAIL() << "no error without a printer";
        } catch (const TvError& e) {
            EXPECT_EQ(e.number(), ErrDeviceIo);
        }
        return;
    }
    const QDir out(QDir::homePath() + "/PDF");
    const QStringList before = out.entryList(kTrendPdfs, QDir::Files);
    plot.PrintPlot();

    const QString pdf = awaitNewFile(out, before);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived in " << out.path().toStdString();
    QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "30", "-png", pdf, prefix}), 0);
    QFile::remove(pdf);
    const QStringList pages = QDir(dir.path()).entryList({"page*.png"});
    ASSERT_EQ(pages.size(), 1);
    const QImage page(dir.filePath(pages.front()));
    ASSERT_FALSE(page.isNull());
    int grey = 0;
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            grey += std::abs(c.red() - 212) < 8 && std::abs(c.blue() - 212) < 8 ? 1 : 0;
            red += c.red() > 180 && c.green() < 90 ? 1 : 0;
        }
    }
    EXPECT_GT(grey, page.width() * page.height() / 3) << "the plot fills much of the page";
    EXPECT_GT(red, page.width() * page.height() / 200) << "the trace is printed";
}
