// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"

#include "ui/trend/PlotControl.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace tarvex;
using namespace tarvex::test;

namespace {

constexpr double kStart = 45355.5; // 3/4/2024 noon
constexpr double kSecond = 1.0 / 86400.0;

double at(double seconds) {
    return kStart + seconds * kSecond;
}

// "Flow" has a record every second with its source's texts; "Level" every other second, added
// out of order; "Hidden" is hidden. Seconds 2 to 5 are shown.
class PlotExporting : public ::testing::Test {
protected:
    PlotExporting() {
        plot.resize(700, 400);
        PlotChannel& flow = plot.Channel(plot.AddChannel());
        flow.setTitleText("Flow");
        for (int i = 0; i <= 8; ++i) {
            i == 3 ? flow.AddEmpty(at(i)) : flow.AddXY(at(i), i);
        }
        flow.setPointText([](int point) {
            return point == 3 ? QStringLiteral("Bad Input") : QString::number(point) + ".00";
        });
        PlotChannel& level = plot.Channel(plot.AddChannel());
        level.setTitleText("Level");
        for (const int i : {0, 4, 2, 6}) {
            level.AddXY(at(i), 0.5 * i);
        }
        PlotChannel& hidden = plot.Channel(plot.AddChannel());
        hidden.setTitleText("Hidden");
        hidden.AddXY(at(3), 1);
        plot.setChannelVisible(2, false);
        plot.XAxis().setMin(at(2));
        plot.XAxis().setSpan(3 * kSecond);
    }
    QString run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QTemporaryDir dir;
    PlotControl plot;
};

} // namespace

// A line per record time in view, the sources' texts (a value added out of order keeps its own),
// no hidden channel.
TEST_F(PlotExporting, TheCsvHoldsTheVisibleRecordsOfTheShownChannels) {
    const QString file = dir.filePath("visible.csv");
    plot.exportVisibleData(file);
    EXPECT_EQ(readBytes(file), QByteArray("Time,Flow,Level\r\n"
                                          "3/4/2024 12:00:02 PM,2.00,1\r\n"
                                          "3/4/2024 12:00:03 PM,Bad Input,\r\n"
                                          "3/4/2024 12:00:04 PM,4.00,2\r\n"
                                          "3/4/2024 12:00:05 PM,5.00,\r\n"));
    EXPECT_EQ(errorOf([&] { plot.exportVisibleData(dir.path()); }), ErrPathAccess);
    EXPECT_EQ(errorOf([&] { plot.exportVisibleData(dir.filePath("none/x.csv")); }),
              ErrPathNotFound);
}

// PNG pixels at the size asked for; SVG and PDF as vectors of that size, which read back.
TEST_F(PlotExporting, PicturesHaveTheSizeAskedForAndReadBack) {
    const QString png = dir.filePath("trend.png");
    plot.savePicture(png, PlotExport::Png, {640, 360});
    EXPECT_EQ(QImageReader(png).size(), QSize(640, 360));
    EXPECT_EQ(QImageReader(png).format(), "png");
    plot.savePicture(png, PlotExport::Png, plot.screenPictureSize());
    EXPECT_EQ(QImageReader(png).size(), QSize(700, 480)) << "the plot's, at least 640 x 480";

    const QString svg = dir.filePath("trend.svg");
    plot.savePicture(svg, PlotExport::Svg, {800, 450});
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svgFile);
    int shapes = 0;
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"svg") {
            EXPECT_EQ(xml.attributes().value("viewBox"), u"0 0 800 450");
        }
        shapes += xml.name() == u"polyline" || xml.name() == u"path" ? 1 : 0;
        if (xml.name() == u"text") {
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(shapes, 3);
    EXPECT_TRUE(texts.contains("Time")) << texts.join('|').toStdString();

    const QString pdf = dir.filePath("trend.pdf");
    plot.savePicture(pdf, PlotExport::Pdf, {800, 448}); // 600 x 336 points
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size: +600 x 336 pts")))
        << info.toStdString();
    const QString text = run("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains("Time") && text.contains("Y-Axis 1")) << text.toStdString();
}
