// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerFixture.h"

#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/HelpWindow.h"
#include "ui/shell/Screen.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/SliderControl.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QSlider>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace tarvex;
using namespace tarvex::test;

using Desktop = ProcedureTest;

// F1 shows the guide installed beside the program (the build tree has a copy), rendered from
// Markdown with its pictures; a second F1 raises the same window.
TEST_F(Desktop, F1ShowsTheInstalledGuideWithItsPictures) {
    ASSERT_FALSE(HelpWindow::guidePath().isEmpty());
    startViewer(state);
    QTest::keyClick(main, Qt::Key_F1);
    HelpWindow* help = HelpWindow::existing();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QTextDocument* doc = help->browser()->document();
    EXPECT_EQ(doc->firstBlock().text(), "Tarvex Data Viewer: user guide");
    int pictures = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            if (image.isValid()) {
                ++pictures;
                const QVariant loaded = doc->resource(QTextDocument::ImageResource, image.name());
                EXPECT_FALSE(loaded.value<QImage>().isNull()) << image.name().toStdString();
                EXPECT_LE(image.width(), help->width()) << "a picture wider than the window";
            }
        }
    }
    EXPECT_GE(pictures, 3);
    QTest::keyClick(main, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::existing(), help);
}

// The licence notice fits the box's designed size in its two lines.
TEST_F(Desktop, TheLicenceNoticeKeepsTheAboutBoxsDesignedSize) {
    frmAbout& about = frmAbout::instance(main);
    EXPECT_TRUE(about.lblDisclaimer->text().endsWith("law.  "));
    EXPECT_TRUE(about.lblDisclaimer->text().contains("GNU GPL version 3 or later"));
    EXPECT_EQ(about.size(), twipsToPixels(TwipsRect{0, 0, 5865, 3630}, &about).size());
}

namespace {

QPalette darkPalette() {
    QPalette p;
    for (auto [role, color] : {std::pair{QPalette::Window, QColor(53, 53, 53)},
                               {QPalette::WindowText, QColor(Qt::white)},
                               {QPalette::Base, QColor(35, 35, 35)},
                               {QPalette::AlternateBase, QColor(45, 45, 45)},
                               {QPalette::Text, QColor(Qt::white)},
                               {QPalette::Button, QColor(53, 53, 53)},
                               {QPalette::ButtonText, QColor(Qt::white)}}) {
        p.setColor(role, color);
    }
    return p;
}

// The largest lightness step from the background in the tick band of a horizontal slider.
int tickContrast(QWidget& slider) {
    const QImage image = slider.grab().toImage();
    const int background = slider.palette().color(QPalette::Window).lightness();
    int most = 0;
    for (int y = image.height() * 3 / 4; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            most = std::max(most, std::abs(QColor(image.pixel(x, y)).lightness() - background));
        }
    }
    return most;
}

int gridContrast(SpreadGrid& grid) {
    auto* view = grid.findChild<QTableView*>();
    QStyleOptionViewItem option;
    option.initFrom(view);
    const QColor line = QColor::fromRgba(
        static_cast<QRgb>(view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view)));
    return std::abs(line.lightness() - view->palette().color(QPalette::Base).lightness());
}

} // namespace

// Slider ticks and grid lines stand out in a dark palette, where the style draws them a shade
// darker than the background.
TEST(ReadableLines, TicksAndGridLinesStandOutInADarkPalette) {
    SliderControl control(Qt::Horizontal);
    control.resize(300, 47);
    control.layout()->activate();
    SpreadGrid grid;
    EXPECT_GT(gridContrast(grid), 40);
    control.setPalette(darkPalette());
    grid.setPalette(darkPalette());
    EXPECT_GT(tickContrast(*control.slider()), 80);
    EXPECT_GT(gridContrast(grid), 40);
}
