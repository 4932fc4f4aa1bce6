#include "shell/CommonDialog.h"

#include "common/TvError.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <utility>

namespace tarvex {
namespace {

void cancelled(bool cancelError) {
    if (cancelError) {
        throw TvError(ErrCancel);
    }
}

// The colour dialog without the part for custom colours.
void hideCustomColours(QColorDialog& dlg) {
    for (auto* label : dlg.findChildren<QLabel*>()) {
        if (label->text() == QColorDialog::tr("&Custom colors")) {
            label->hide();
            if (label->buddy() != nullptr) {
                label->buddy()->hide();
            }
        }
    }
    for (auto* button : dlg.findChildren<QPushButton*>()) {
        if (button->text() == QColorDialog::tr("&Add to Custom Colors")) {
            button->hide();
        }
    }
}

} // namespace

QStringList nameFiltersOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1]
                                     .split(QLatin1Char(';'), Qt::SkipEmptyParts)
                                     .join(QLatin1Char(' '))
                                     .trimmed();
        const QString& description = parts[i];
        // "Log Files(*.csv)" already names its patterns the way the dialog reads them.
        if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << QStringLiteral("%1 (%2)").arg(description, patterns);
        }
    }
    return filters;
}

CommonDialog::CommonDialog(QWidget* owner) : QObject(owner), owner_(owner) {
    setObjectName(QStringLiteral("cmdFile"));
}

CommonDialog::~CommonDialog() = default;

void CommonDialog::ShowOpen() {
    if (nextOpenAnswer_) {
        FileName = QDir::toNativeSeparators(*std::exchange(nextOpenAnswer_, std::nullopt));
        return;
    }
    showFileDialog(false);
}

void CommonDialog::answerNextOpen(const QString& fileName) {
    nextOpenAnswer_ = fileName;
}

void CommonDialog::ShowSave() {
    showFileDialog(true);
}

void CommonDialog::showFileDialog(bool save) {
    QFileDialog dlg(owner_, DialogTitle);
    dlg.setObjectName(save ? QStringLiteral("cmdFileSave") : QStringLiteral("cmdFileOpen"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(!save && (Flags & OFNFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, (Flags & OFNOverwritePrompt) == 0);
    const QStringList filters = nameFiltersOf(Filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        dlg.selectNameFilter(filters.value(FilterIndex - 1, filters.first()));
    }
    dlg.setDefaultSuffix(DefaultExt);
    if (!InitDir.isEmpty() && QFileInfo(InitDir).isDir()) {
        dlg.setDirectory(InitDir);
    }
    if (!FileName.isEmpty()) {
        dlg.selectFile(FileName);
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        cancelled(CancelError);
        return;
    }
    FileName = QDir::toNativeSeparators(dlg.selectedFiles().first());
    FilterIndex = static_cast<std::int32_t>(filters.indexOf(dlg.selectedNameFilter())) + 1;
}

void CommonDialog::ShowColor() {
    QColorDialog dlg(owner_);
    dlg.setObjectName(QStringLiteral("cmdFileColor"));
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    if (!DialogTitle.isEmpty()) {
        dlg.setWindowTitle(DialogTitle);
    }
    if ((Flags & CCRGBInit) != 0) {
        dlg.setCurrentColor(Color);
    }
    if ((Flags & CCPreventFullOpen) != 0) {
        hideCustomColours(dlg);
    }
    if (dlg.exec() != QDialog::Accepted) {
        cancelled(CancelError);
        return;
    }
    Color = dlg.selectedColor();
}

QPrinter& CommonDialog::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

void CommonDialog::ShowPrinter() {
    QPrinter& p = printer();
    p.setCopyCount(qMax(1, Copies));
    if (FromPage > 0 && ToPage >= FromPage) {
        p.setFromTo(FromPage, ToPage);
    }
    p.setPageOrientation(Orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dlg(&p, owner_);
    dlg.setObjectName(QStringLiteral("cmdFilePrint"));
    dlg.setOption(QAbstractPrintDialog::PrintSelection, (Flags & PDNoSelection) == 0);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, (Flags & PDNoPageNums) == 0);
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dlg.exec() != QDialog::Accepted) {
        cancelled(CancelError);
        return;
    }
    Copies = p.copyCount();
    FromPage = p.fromPage();
    ToPage = p.toPage();
    Orientation = p.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
}

} // namespace tarvex
