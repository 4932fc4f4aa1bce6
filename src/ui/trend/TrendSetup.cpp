// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendSetup.h"

#include "core/common/TvError.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/Forms.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/trend/NumericInput.h"
#include "ui/trend/PlotControl.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>

#include <cmath>

namespace tarvex {
namespace {

TrendSetup* s_instance = nullptr;

const auto kOkProc = QStringLiteral("TrendSetupHisotryOkBtn");
const auto kZeroNotBelowSpan = QStringLiteral("Trend Zero must be less than trend span time!");
constexpr int kColorFlags = CommonDialog::CCRGBInit | CommonDialog::CCPreventFullOpen;
constexpr int kNarrowTrace = 1;

// Whole numbers the way the system rounds: halves to even.
int rounded(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

TrendSetup& TrendSetup::load(QWidget* owner, PlotControl* plot, CommonDialog* dialog) {
    if (s_instance == nullptr) {
        s_instance = new TrendSetup(owner, dialog);
        s_instance->Form_Load(plot);
    }
    return *s_instance;
}

TrendSetup* TrendSetup::existing() {
    return s_instance;
}

TrendSetup::TrendSetup(QWidget* owner, CommonDialog* dialog) : QDialog(owner), dialog_(dialog) {
    setObjectName(QStringLiteral("TrendSetup"));
    setWindowTitle(QStringLiteral("Trend Scaling Setup"));
    setModal(true);
    buildControls();
    Forms::add(this);
}

TrendSetup::~TrendSetup() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

void TrendSetup::Form_Load(PlotControl* plot) {
    histPlotobj = plot;
}

void TrendSetup::Form_Unload() {
    if (s_instance == this) {
        s_instance = nullptr;
    }
    histPlotobj = nullptr;
}

void TrendSetup::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept(); // hiding ends the modal loop
    deleteLater();   // also when closed from its title bar
}

void TrendSetup::reject() {
    CancelButton_Click();
}

void TrendSetup::unload() {
    Forms::unload(this);
}

QColor TrendSetup::swatchColor(const QLabel* swatch) {
    return swatch->palette().color(QPalette::Window);
}

void TrendSetup::setSwatchColor(QLabel* swatch, const QColor& color) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, color);
    swatch->setPalette(palette);
}

void TrendSetup::OKButton_Click() {
    bool refused = false;
    reportErrors(kOkProc, [&] {
        if (!(TrendZeroAnalog->value() < TrendSpanAnalog->value())) {
            refused = true;
            msgBox(kZeroNotBelowSpan, MsgStyle::Information);
        }
    });
    if (refused) {
        return; // the dialog stays open with its values
    }
    const QPointer<PlotControl> plot = histPlotobj;
    if (plot.isNull()) {
        reportErrors(kOkProc, [] { throw TvError(ErrInvalidCall); });
    } else {
        applySettings(*plot);
    }
    reportErrors(kOkProc, [this] { unload(); });
}

// Each setting on its own: a failure is reported and the next one is still applied.
void TrendSetup::applySettings(PlotControl& plot) {
    const auto step = [](auto&& statement) { reportErrors(kOkProc, statement); };
    PlotAxis& x = plot.XAxis();
    PlotAxis& y = plot.YAxis();
    step([&] { y.setMin(TrendZeroAnalog->value()); });
    step([&] { y.setSpan(TrendSpanAnalog->value() - TrendZeroAnalog->value()); });
    step([&] { x.setScaleColor(swatchColor(XcolorLabel)); });
    step([&] { x.setSecondScaleColor(swatchColor(XcolorLabel)); });
    step([&] { x.setMinorCount(rounded(XminorTicks->value())); });
    step([&] { x.setDateTimeFormat(XscaleFormat->currentText()); });
    step([&] { y.setScaleColor(swatchColor(YcolorLabel)); });
    step([&] { y.setSecondScaleColor(swatchColor(YcolorLabel)); });
    step([&] { y.setMinorCount(rounded(YminorTicks->value())); });
    step([&] { plot.setBackGroundColor(swatchColor(BgColorLabel)); });
    step([&] { x.setLabelsStyle(PlotAxis::DateLabels); });
    step([&] { x.setAxisMode(3); });
    int channels = 0;
    step([&] { channels = plot.ChannelCount(); });
    for (int i = 0; i < channels; ++i) {
        if (i >= kPens) {
            step([&] { plot.Channel(i).setTraceLineWidth(kNarrowTrace); });
            continue;
        }
        const auto pen = static_cast<std::size_t>(i);
        step([&] { plot.Channel(i).setTraceLineWidth(rounded(PWidth.at(pen)->value())); });
        step([&] { plot.Channel(i).setColor(swatchColor(PenClr.at(pen))); });
    }
}

void TrendSetup::CancelButton_Click() {
    ignoreErrors([this] { unload(); });
}

void TrendSetup::PenClrBtn_Click(int Index) {
    if (Index >= 0 && Index < kPens) {
        pickColor(PenClr.at(static_cast<std::size_t>(Index)));
    }
}

void TrendSetup::trendBgColor_Click() {
    pickColor(BgColorLabel);
}

void TrendSetup::YscaleColor_Click() {
    pickColor(XcolorLabel);
}

void TrendSetup::Xscalecolor_Click() {
    pickColor(YcolorLabel);
}

// A cancelled colour dialog leaves the common dialog's colour as the swatch's own, so the last
// step puts that back.
void TrendSetup::pickColor(QLabel* swatch) {
    ignoreErrors([this] { colorDialog().Flags = kColorFlags; });
    ignoreErrors([this, swatch] { colorDialog().Color = swatchColor(swatch); });
    ignoreErrors([this] { colorDialog().ShowColor(); });
    ignoreErrors([this, swatch] { setSwatchColor(swatch, colorDialog().Color); });
}

CommonDialog& TrendSetup::colorDialog() const {
    if (dialog_ == nullptr) {
        throw TvError(ErrInvalidCall);
    }
    return *dialog_;
}

} // namespace tarvex
