// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QFileDialog;
class QPrinter;
class QWidget;

namespace tarvex {

// The common dialog control (the main window's cmdFile, shared as the state's fileDialog): one
// object whose properties set up and read back the Open, Save, colour and print dialogs. Each
// Show method opens Qt's own (non-native) dialog modally over the owner; the Open and the Save
// dialog are each made once and shown again, set up anew, on every call. A cancelled dialog
// throws TvError(ErrCancel) when CancelError is set, and otherwise leaves the properties as they
// were. The dialogs are named "cmdFileOpen", "cmdFileSave", "cmdFileColor" and "cmdFilePrint"
// so that tests can find and drive them.
//
// The file dialogs remember, while the program runs, each kind of file on its own (a kind is
// the filter together with open or save): the folders where files of that kind were chosen fill
// the dialog's history list, and a FileName left over from a dialog of another kind is not
// offered; the last name chosen in a dialog of the same kind is offered instead.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    // Flags of the file dialogs.
    static constexpr std::int32_t OFNOverwritePrompt = 0x2;
    static constexpr std::int32_t OFNHideReadOnly = 0x4; // Qt's dialogs have no read-only box
    static constexpr std::int32_t OFNPathMustExist = 0x800;
    static constexpr std::int32_t OFNFileMustExist = 0x1000;
    // Flags of the colour dialog.
    static constexpr std::int32_t CCRGBInit = 0x1;         // start from Color
    static constexpr std::int32_t CCPreventFullOpen = 0x4; // no custom colour part
    // Flags of the print dialog.
    static constexpr std::int32_t PDNoSelection = 0x4;
    static constexpr std::int32_t PDNoPageNums = 0x8;
    // Orientation values.
    static constexpr std::int32_t Portrait = 1;
    static constexpr std::int32_t Landscape = 2;

    explicit CommonDialog(QWidget* owner);
    ~CommonDialog() override;

    bool CancelError = false;
    std::int32_t Flags = 0;
    // "description|pattern|description|pattern"; several patterns in one entry are split by ';'.
    QString Filter;
    std::int32_t FilterIndex = 1; // 1-based
    QString DialogTitle;          // of the file dialogs; the others keep their own
    // A directory that does not exist is ignored: the dialog opens where its own rules put it.
    QString InitDir;
    // The proposed name before, the chosen full path after a file dialog.
    QString FileName;
    // Appended to a typed name without an extension in the Save dialog (".csv" or "csv").
    QString DefaultExt;
    QColor Color = Qt::black;
    std::int32_t Copies = 1;
    std::int32_t FromPage = 0;
    std::int32_t ToPage = 0;
    std::int32_t Orientation = Portrait;
    // Asked about the name chosen in the Save dialog before the dialog takes it (and before it
    // asks about overwriting): a text that is not empty refuses the name. The text is shown over
    // the dialog, which stays open for another name.
    std::function<QString(const QString& fileName)> SaveRefusal;

    void ShowOpen();
    void ShowSave();
    void ShowColor();
    void ShowPrinter();

    // The next ShowOpen takes `fileName` as the user's choice instead of showing the dialog:
    // the viewer's file argument goes the way of a file picked in the Open dialog.
    void answerNextOpen(const QString& fileName);

    // The printer that the print dialog set up (created on first use).
    QPrinter& printer();

private:
    // What the file dialogs of one kind have been given this session.
    struct KindMemory {
        QStringList folders; // most recent first
        QString name;        // the last chosen, as a full path
    };

    QFileDialog& fileDialog(bool save);
    void showFileDialog(bool save);
    [[nodiscard]] QString proposedName(const KindMemory& kind) const;
    void remember(KindMemory& kind, const QString& chosen);
    QWidget* owner_;
    QPointer<QFileDialog> openDialog_;
    QPointer<QFileDialog> saveDialog_;
    QString lastDir_;  // where the last file dialog was left
    QString leftName_; // FileName as the last file dialog left it
    std::map<QString, KindMemory> kinds_;
    std::unique_ptr<QPrinter> printer_;
    std::optional<QString> nextOpenAnswer_;
};

// The file dialog's name filters for a "description|pattern|..." filter text.
QStringList nameFiltersOf(const QString& filter);

} // namespace tarvex
