#pragma once

// Helpers for the record file tests: writing generated record files, taking a file's bytes and
// time stamp, opening a record file through a toolbar button and its real Open dialog.

#include "DialogDriver.h"
#include "ModalAnswer.h"
#include "QtPrinters.h"

#include "ViewerFixture.h"

#include "recordfiles/GridData.h"
#include "recordfiles/SpreadGrid.h"
#include "viewer/frmHistory.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tarvex::test {

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines joined and ended with "\r\n".
inline QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// What a file holds and when it was last written: the program must never change a record file.
struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

inline FileState fileState(const QString& path) {
    return {readFile(path), QFileInfo(path).lastModified()};
}

inline void PrintTo(const FileState& s, std::ostream* os) {
    *os << s.bytes.size() << " bytes, modified "
        << s.modified.toString(Qt::ISODateWithMs).toStdString();
}

// What an Open or Save dialog showed before it was answered.
struct DialogSeen {
    QString title;
    QStringList filters;
    QString folder;
    QString proposedName;
    bool save = false;
    bool confirmsOverwrite = false;
};

// Records what a file dialog shows.
inline void recordDialog(QWidget* w, DialogSeen& seen) {
    const auto* dlg = qobject_cast<QFileDialog*>(w);
    if (dlg == nullptr) {
        return;
    }
    seen.title = dlg->windowTitle();
    seen.filters = dlg->nameFilters();
    seen.folder = dlg->directory().absolutePath();
    if (const auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        seen.proposedName = edit->text();
    }
    seen.save = dlg->acceptMode() == QFileDialog::AcceptSave;
    seen.confirmsOverwrite = !dlg->testOption(QFileDialog::DontConfirmOverwrite);
}

// Answers a file dialog with `path` (or cancels it when `path` is empty), recording what it
// showed.
inline ModalAnswer::Action answerFileDialog(const QString& path, DialogSeen* seen = nullptr) {
    return [path, seen](QWidget* w) {
        if (seen != nullptr) {
            recordDialog(w, *seen);
        }
        if (path.isEmpty()) {
            DialogDriver::cancel()(w);
        } else {
            DialogDriver::chooseFile(path)(w);
        }
    };
}

// Every cell of the grid, headers included, is empty.
inline bool allCellsEmpty(const SpreadGrid& grid) {
    const GridData& data = grid.gridData();
    for (int r = 0; r <= data.RowCount(); ++r) {
        for (int c = 0; c <= data.ColumnCount(); ++c) {
            if (!data.CellBytes(c, r).isEmpty()) {
                return false;
            }
        }
    }
    return true;
}

// Row r of the grid as its texts, columns 0 to ColumnCount.
inline QStringList rowTexts(const SpreadGrid& grid, int row) {
    QStringList texts;
    for (int c = 0; c <= grid.ColumnCount(); ++c) {
        texts << grid.gridData().CellText(c, row);
    }
    return texts;
}

// The viewer started in a fresh folder. The signature and event readers that the open buttons
// call next are recorded instead of run: they have tests of their own.
class RecordViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        viewer = &startViewer(dir.path());
        viewer->actions.loadSigFile = [this] { followUps << "loadSigFile"; };
        viewer->actions.loadOpEventsFile = [this] { followUps << "loadOpEventsFile"; };
        viewer->actions.loadAuditSigFile = [this] { followUps << "loadAuditSigFile"; };
    }

    [[nodiscard]] QString file(const QString& name) const {
        return QDir::toNativeSeparators(dir.filePath(name));
    }

    // Presses a toolbar button, answers its file dialog with `path` ("" cancels it) and then
    // a message box, if one is expected, with `thenClick`. Returns every modal window shown.
    std::vector<ModalAnswer::Seen>
    press(QToolButton* button, const QString& path, DialogSeen* seen = nullptr,
          QMessageBox::StandardButton thenClick = QMessageBox::NoButton) {
        ModalAnswer answer;
        answer.then(answerFileDialog(path, seen));
        if (thenClick != QMessageBox::NoButton) {
            answer.thenClick(thenClick);
        }
        button->click();
        EXPECT_EQ(answer.pending(), 0);
        return answer.seen();
    }

    // A file that exists but that the grid refuses: larger than it can hold (sparse, so it
    // costs no disk space).
    [[nodiscard]] QString refusedFile(const QString& name) const {
        const QString path = file(name);
        QFile sparse(path);
        EXPECT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(3) << 30));
        return path;
    }

    QTemporaryDir dir;
    frmHistory* viewer = nullptr;
    QStringList followUps;
};

// The common error report's text.
inline QString reportText(int number, const QString& description, const QString& procName) {
    return QStringLiteral("Error %1 = %2 in function %3 occurred.\r\n"
                          "Please contact the manufacturer with this error.")
        .arg(number)
        .arg(description, procName);
}

} // namespace tarvex::test
