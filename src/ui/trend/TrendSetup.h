// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tarvex {

class CommonDialog;
class NumericInput;
class PlotControl;

// The trend setup dialog "Trend Scaling Setup": the value axis range, minor ticks, scale
// colours, the time label format, the background colour, and the colour and width of the
// first twelve channels. openTrendSetup (TrendView.h) fills it from the plot and shows it; OK
// writes it into the plot, Cancel drops it. Both unload it, so every open starts afresh.
//
// Colours are shown by swatches (labels whose background is the value), each edited through
// the shared common dialog by its "..." button.
class TrendSetup : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPens = 12;

    // The one instance: created and loaded when there is none, owned by `owner` (the main
    // window), for `plot` (the viewer's), with `dialog` (the shared common dialog) for colours.
    static TrendSetup& load(QWidget* owner, PlotControl* plot, CommonDialog* dialog);
    // nullptr while it is not loaded.
    static TrendSetup* existing();
    ~TrendSetup() override;

    QGroupBox* xFrame = nullptr;
    QLabel* XcolorLabel = nullptr;
    QPushButton* YscaleColor = nullptr; // edits XcolorLabel
    QComboBox* XscaleFormat = nullptr;
    NumericInput* TrendDaysAnalog = nullptr;
    NumericInput* TrendHoursAnalog = nullptr;
    NumericInput* TrendMinutesAnalog = nullptr;
    NumericInput* XminorTicks = nullptr;

    QGroupBox* yFrame = nullptr;
    QLabel* YcolorLabel = nullptr;
    QPushButton* Xscalecolor = nullptr; // edits YcolorLabel
    NumericInput* TrendZeroAnalog = nullptr;
    NumericInput* TrendSpanAnalog = nullptr;
    NumericInput* YminorTicks = nullptr;

    QGroupBox* penFrame = nullptr;
    std::array<QComboBox*, kPens> PenAssign{};
    std::array<QLabel*, kPens> PenClr{};
    std::array<QPushButton*, kPens> PenClrBtn{};
    std::array<NumericInput*, kPens> PWidth{};

    QLabel* BgColorLabel = nullptr;
    QPushButton* trendBgColor = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The viewer's plot, from load to unload.
    QPointer<PlotControl> histPlotobj;

    void OKButton_Click();
    void CancelButton_Click();
    void PenClrBtn_Click(int Index);
    void trendBgColor_Click();
    void YscaleColor_Click();
    void Xscalecolor_Click();

    static QColor swatchColor(const QLabel* swatch);
    static void setSwatchColor(QLabel* swatch, const QColor& color);

protected:
    // Unloading by any way (OK, Cancel, the title bar) forgets the instance.
    void closeEvent(QCloseEvent* event) override;
    // Escape acts as Cancel.
    void reject() override;

private:
    TrendSetup(QWidget* owner, CommonDialog* dialog);
    void buildControls();
    QGroupBox* buildXFrame();
    QGroupBox* buildYFrame();
    QGroupBox* buildPenFrame();
    QWidget* buildBottomRow();
    void Form_Load(PlotControl* plot);
    void Form_Unload();
    [[nodiscard]] CommonDialog& colorDialog() const;
    void applySettings(PlotControl& plot);
    void pickColor(QLabel* swatch);
    void unload();

    CommonDialog* dialog_;
};

} // namespace tarvex
