// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/TrendExport.h"

#include "core/common/TvError.h"
#include "ui/recordfiles/RecordDialogs.h"
#include "ui/shell/CommonDialog.h"
#include "ui/shell/ErrorHandling.h"
#include "ui/shell/MsgBoxPos.h"
#include "ui/shell/SharedState.h"
#include "ui/trend/PictureSizeDialog.h"
#include "ui/trend/PlotControl.h"

#include <array>

namespace tarvex {
namespace {

struct SaveKind {
    QLatin1StringView filter;
    QLatin1StringView extension;
};

// In the order of PlotExport.
constexpr std::array<SaveKind, 4> kKinds{{
    {QLatin1StringView("CSV Files(*.csv)|*.csv"), QLatin1StringView(".csv")},
    {QLatin1StringView("PNG Files(*.png)|*.png"), QLatin1StringView(".png")},
    {QLatin1StringView("SVG Files(*.svg)|*.svg"), QLatin1StringView(".svg")},
    {QLatin1StringView("PDF Files(*.pdf)|*.pdf"), QLatin1StringView(".pdf")},
}};

QString chooseTarget(const SharedState& state, PlotExport format, const QString& proposedBase) {
    const SaveKind& kind = kKinds.at(static_cast<std::size_t>(format));
    CommonDialog& dlg = fileDialog(state);
    dlg.CancelError = true;
    dlg.Flags = CommonDialog::OFNOverwritePrompt | CommonDialog::OFNHideReadOnly;
    dlg.Filter = kind.filter;
    dlg.DialogTitle = format == PlotExport::Csv ? QStringLiteral("Save visible trend data as?")
                                                : QStringLiteral("Save trend picture as?");
    dlg.DefaultExt = kind.extension;
    dlg.FileName = proposedBase + kind.extension;
    dlg.ShowSave();
    refuseRecordFileTarget(state, dlg.FileName);
    return dlg.FileName;
}

} // namespace

void exportTrend(const SharedState& state, PlotControl& plot, PlotExport format,
                 const QString& proposedBase) {
    const auto tellFailure = [](const TvError&) {
        msgBox(QStringLiteral("File can not be saved. Check filename or disk space"),
               MsgStyle::Critical);
    };
    reportErrors(tellFailure, [&] {
        const QString target = chooseTarget(state, format, proposedBase);
        if (format == PlotExport::Csv) {
            plot.exportVisibleData(target, loadedRecordFiles(state));
            return;
        }
        if (const auto size = askPictureSize(plot.screenPictureSize(), plot.window())) {
            plot.savePicture(target, format, *size, loadedRecordFiles(state));
        }
    });
}

} // namespace tarvex
