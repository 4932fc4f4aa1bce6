// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/CommonDialog.h"

#include "core/common/TvError.h"
#include "ui/shell/MsgBoxPos.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTreeView>

#include <utility>

namespace tarvex {
namespace {

constexpr qsizetype kFoldersKept = 10;

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

// Qt's file dialog, kept for the program's life: a new one for every call would leave its
// icons behind in Qt's pixmap cache. The owner of the common dialog can refuse a name in place.
class FileDialog : public QFileDialog {
public:
    FileDialog(QWidget* owner, bool save) : QFileDialog(owner) {
        setObjectName(save ? QStringLiteral("cmdFileSave") : QStringLiteral("cmdFileOpen"));
        setOption(QFileDialog::DontUseNativeDialog);
        setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        setViewMode(QFileDialog::Detail);
    }

    void setRefusal(std::function<QString(const QString&)> refusal) {
        refusal_ = std::move(refusal);
    }

    // Neither a name in the name box nor a file selected, as when the dialog was new.
    void clearChoice() {
        if (auto* list = findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
            list->selectionModel()->clearSelection();
        }
        if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->clear();
        }
    }

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (refusal_ && acceptMode() == AcceptSave && !chosen.isEmpty()) {
            const QString why = refusal_(QDir::toNativeSeparators(chosen.first()));
            if (!why.isEmpty()) {
                QString title;
                MsgBoxPos(why, MsgStyle::Exclamation, title, this, 0);
                // The refused name stays in the name box for editing, no longer selected, and
                // the keyboard comes back to the dialog (Escape still cancels it).
                if (auto* list = findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
                    list->selectionModel()->clearSelection();
                }
                activateWindow();
                if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    name->setFocus(Qt::OtherFocusReason);
                }
                return;
            }
        }
        QFileDialog::accept();
    }

protected:
    void showEvent(QShowEvent* event) override {
        widenForColumns();
        QFileDialog::showEvent(event); // centres the dialog at its new width
    }

private:
    // Qt sizes the dialog for its controls, not for the columns of its file list, and the
    // size, type and date columns for samples narrower than what they show (the list fills
    // later, so its own texts cannot be measured now): wide samples of each, then a dialog
    // wide enough for all four columns.
    void widenForColumns() {
        auto* view = findChild<QTreeView*>(QStringLiteral("treeView"));
        if (view == nullptr) {
            return;
        }
        QHeaderView* header = view->header();
        const QString samples[] = {
            QLocale::system().formattedDataSize(1023), QStringLiteral("plain text document"),
            QLocale::system().toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59, 59)),
                                       QLocale::ShortFormat)};
        const int padding = 4 * view->style()->pixelMetric(QStyle::PM_HeaderMargin);
        for (int column = 1; column <= 3; ++column) {
            const int wide = view->fontMetrics().horizontalAdvance(samples[column - 1]) + padding;
            header->resizeSection(column, qMax(header->sectionSize(column), wide));
        }
        layout()->activate();
        const int needed = header->length() + view->verticalScrollBar()->sizeHint().width() +
                           2 * view->frameWidth();
        const int missing = needed - view->width();
        if (missing > 0) {
            resize(width() + missing, height());
        }
    }

    std::function<QString(const QString&)> refusal_;
};

// Qt's print dialog. Without page numbers it offers no page range at all: Qt's own dialog
// still shows its range choices then, only greyed out.
class PrintDialog : public QPrintDialog {
public:
    PrintDialog(QPrinter* printer, QWidget* owner, bool pageNumbers)
        : QPrintDialog(printer, owner), pageNumbers_(pageNumbers) {}

protected:
    void showEvent(QShowEvent* event) override {
        QPrintDialog::showEvent(event);
        if (pageNumbers_) {
            return;
        }
        for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit"}) {
            if (auto* w = findChild<QWidget*>(QLatin1String(name))) {
                w->hide();
            }
        }
        if (auto* to = findChild<QSpinBox*>(QStringLiteral("to"))) {
            if (auto* label = to->parentWidget()->findChild<QLabel*>(QStringLiteral("label_3"))) {
                label->hide(); // "to"
            }
        }
        if (auto* all = findChild<QRadioButton*>(QStringLiteral("printAll"))) {
            all->setChecked(true);
        }
    }

private:
    bool pageNumbers_;
};

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

CommonDialog::~CommonDialog() {
    // Deleted here when they have no owner, or when the owner has not deleted them yet.
    delete openDialog_.data();
    delete saveDialog_.data();
}

void CommonDialog::ShowOpen() {
    if (nextOpenAnswer_) {
        FileName = QDir::toNativeSeparators(*std::exchange(nextOpenAnswer_, std::nullopt));
        leftName_ = FileName;
        remember(kinds_[QStringLiteral("open|") + Filter], FileName);
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

QFileDialog& CommonDialog::fileDialog(bool save) {
    QPointer<QFileDialog>& kept = save ? saveDialog_ : openDialog_;
    if (kept.isNull()) {
        kept = new FileDialog(owner_, save);
    }
    return *kept;
}

// A name the caller set is offered as it is; one left over from the last dialog is not, since
// it may be of another kind: the last name of this kind is offered then.
QString CommonDialog::proposedName(const KindMemory& kind) const {
    return FileName != leftName_ ? FileName : kind.name;
}

void CommonDialog::remember(KindMemory& kind, const QString& chosen) {
    const QString folder = QFileInfo(chosen).absolutePath();
    kind.folders.removeAll(folder);
    kind.folders.prepend(folder);
    if (kind.folders.size() > kFoldersKept) {
        kind.folders.resize(kFoldersKept);
    }
    kind.name = chosen;
}

void CommonDialog::showFileDialog(bool save) {
    auto& dlg = static_cast<FileDialog&>(fileDialog(save));
    KindMemory& kind = kinds_[(save ? QStringLiteral("save|") : QStringLiteral("open|")) + Filter];
    dlg.setRefusal(save ? SaveRefusal : nullptr);
    dlg.setWindowTitle(DialogTitle);
    dlg.setFileMode(!save && (Flags & OFNFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, (Flags & OFNOverwritePrompt) == 0);
    const QStringList filters = nameFiltersOf(Filter);
    dlg.setNameFilters(filters.isEmpty() ? QStringList{QStringLiteral("All Files (*)")} : filters);
    if (!filters.isEmpty()) {
        dlg.selectNameFilter(filters.value(FilterIndex - 1, filters.first()));
    }
    dlg.setDefaultSuffix(DefaultExt);
    // Without a folder of its own it opens where the last file dialog was left.
    if (!InitDir.isEmpty() && QFileInfo(InitDir).isDir()) {
        dlg.setDirectory(InitDir);
    } else {
        dlg.setDirectory(lastDir_.isEmpty() ? QDir::currentPath() : lastDir_);
    }
    dlg.setHistory(kind.folders);
    dlg.clearChoice();
    const QString name = proposedName(kind);
    if (!name.isEmpty()) {
        dlg.selectFile(name);
    }
    const int result = dlg.exec();
    lastDir_ = dlg.directory().absolutePath();
    const bool chosen = result == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    if (chosen) {
        FileName = QDir::toNativeSeparators(dlg.selectedFiles().first());
        FilterIndex = static_cast<std::int32_t>(filters.indexOf(dlg.selectedNameFilter())) + 1;
        remember(kind, FileName);
    }
    leftName_ = FileName;
    if (!chosen) {
        cancelled(CancelError);
    }
}

void CommonDialog::ShowColor() {
    QColorDialog dlg(owner_);
    dlg.setObjectName(QStringLiteral("cmdFileColor"));
    dlg.setOption(QColorDialog::DontUseNativeDialog);
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
    PrintDialog dlg(&p, owner_, (Flags & PDNoPageNums) == 0);
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
