// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintSupport.h"

#include "ui/trend/PlotControl.h"

#include <QPrinterInfo>

using namespace tarvex;
using namespace tarvex::test;

namespace {

class PlotOutput : public ::testing::Test {
protected:
    PlotOutput() {
        plot.resize(900, 500);
        plot.AddChannel();
        for (int i = 0; i < 600; ++i) {
            plot.Channel(0).AddXY(45292.0 + i / 86400.0, (i * 37) % 100);
        }
        plot.XAxis().setMin(45292.0);
        plot.XAxis().setSpan(600 / 86400.0);
    }
    int jpegError(const QString& path) {
        return errorOf([&] { plot.SaveJpeg(path, 100, true); });
    }

    QTemporaryDir dir;
    PlotControl plot;
};

} // namespace

TEST_F(PlotOutput, AJpegThatCannotBeWrittenRaisesAnErrorAndLeavesNoFile) {
    const QString missing = dir.filePath("no such folder/trend.jpg");
    EXPECT_EQ(jpegError(missing), ErrPathNotFound);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(jpegError(""), ErrBadFileName);
    EXPECT_NE(jpegError(dir.path()), 0) << "a folder is not a file";
    const QString existing = writeFile(dir.filePath("trend.jpg"), "old picture");
    {
        const FileSizeLimit full(1000); // a disk that fills during the write
        EXPECT_EQ(jpegError(existing), ErrDiskFull);
    }
    EXPECT_EQ(readBytes(existing), "old picture");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(existing).fileName()});
}

// Needs the cups-pdf printer as the default printer (scripts/start-services.sh); without a
// default printer it checks the error instead. The printed page is rasterised and looked at:
// cups-pdf turns text into outlines, so the text cannot be read back.
TEST_F(PlotOutput, PrintsOnTheDefaultPrinterOrRaisesAnError) {
    plot.Channel(0).setColor(QColor(255, 0, 0));
    if (QPrinterInfo::defaultPrinter().isNull()) {
        EXPECT_EQ(errorOf([&] { plot.PrintPlot(); }), ErrDeviceIo);
        return;
    }
    // Other tests may print at the same time; the plot's jobs carry this name.
    const QDir out(QDir::homePath() + "/PDF");
    const QStringList before = out.entryList({"Historical_Trend*.pdf"}, QDir::Files);
    plot.PrintPlot();
    const QStringList pdfs = awaitFiles(out, "Historical_Trend*.pdf", 1, before, 60000);
    ASSERT_FALSE(pdfs.isEmpty()) << "no PDF arrived in " << out.path().toStdString();
    ASSERT_EQ(pdfInfo(pdfs[0], "Pages"), "1");
    const QImage page = pdfPage(pdfs[0]);
    QFile::remove(pdfs[0]);
    ASSERT_FALSE(page.isNull());
    int grey = 0; // the plot's background
    int red = 0;  // its trace
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
