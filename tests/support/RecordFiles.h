// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generated record files, opened by the readers into bare grids through their real dialogs.

#include "CoreTestHelpers.h"
#include "ModalAnswer.h"
#include "ViewerFixture.h"

#include "core/integrity/ZvLog.h"
#include "core/shell/ErrorReportText.h"
#include "ui/recordfiles/AuditTrailFile.h"
#include "ui/recordfiles/DataLogFile.h"
#include "ui/recordfiles/OperatorEventFile.h"
#include "ui/recordfiles/SignatureFiles.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/Screen.h"
#include "ui/shell/frmMain.h"
#include "ui/trend/LedBar.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <map>
#include <vector>

namespace tarvex::test {

inline QByteArray crlfLines(const QList<QByteArray>& lines) {
    return lines.join("\r\n") + "\r\n";
}

inline QByteArray encipheredLines(const QStringList& records, const QByteArray& lineEnd = "\r\n") {
    QByteArray text;
    for (const QString& record : records) {
        text += ZvLog().EncryptToHex(record, zvLogKey()).toLatin1() + lineEnd;
    }
    return text;
}

inline QString fileHash(const QString& path) {
    return ZvLog().CalculateFileHash(path, zvLogKey());
}

// Columns 0 to `last` (default: ColumnCount) of a grid row, as texts.
inline QStringList rowTexts(const SpreadGrid& grid, int row, int last = -1) {
    QStringList texts;
    for (int c = 0; c <= (last < 0 ? grid.ColumnCount() : last); ++c) {
        texts << grid.gridData().CellText(c, row);
    }
    return texts;
}

// Every cell, headers included, is empty.
inline bool allCellsEmpty(const SpreadGrid& grid) {
    for (int r = 0; r <= grid.RowCount(); ++r) {
        if (rowTexts(grid, r) != QStringList(grid.ColumnCount() + 1, QString())) {
            return false;
        }
    }
    return true;
}

inline const QByteArray kDataLog = "Date,Time,Batch,Temp\r\n3/4/2024,08:00:00,,20.5\r\n"
                                   "3/4/2024,08:01:00,B1,21.0\r\n3/4/2024,08:02:00,B1,21.7\r\n";
inline const QByteArray kAuditTrail = "3/4/2024,07:58:00,Shift Lead,Logged in\r\n"
                                      "3/4/2024,08:05:00,Shift Lead,Changed setpoint\r\n";

struct DialogSeen {
    QStringList filters;
    QString folder;
    QString proposedName;
    bool confirmsOverwrite = false;
};

inline DialogSeen seeDialog(QWidget* w) {
    const auto* dlg = qobject_cast<QFileDialog*>(w);
    return dlg == nullptr ? DialogSeen{}
                          : DialogSeen{dlg->nameFilters(), dlg->directory().absolutePath(),
                                       dlg->findChild<QLineEdit*>("fileNameEdit")->text(),
                                       !dlg->testOption(QFileDialog::DontConfirmOverwrite)};
}

// Answers a file dialog with `path` (cancels it when `path` is empty), recording what it showed.
inline ModalAnswer::Action answerFileDialog(const QString& path, DialogSeen* seen = nullptr) {
    return [path, seen](QWidget* w) {
        if (seen != nullptr) {
            *seen = seeDialog(w);
        }
        (path.isEmpty() ? ModalAnswer::reject() : ModalAnswer::chooseFile(path))(w);
    };
}

// The grids and displays that the readers fill, without a viewer around them.
struct RecordControls {
    SpreadGrid vaGrid;
    SpreadGrid digiSigGrid;
    SpreadGrid opEvGrid;
    SpreadGrid auditGrid;
    SpreadGrid auditSigGrid;
    SpreadGrid alarmGrid;
    QLabel DcryLabel;
    LedBar ProgBar;
    QLabel auditNameLab;
    QLabel almNameLab;

    DataLogView dataLog() { return {&vaGrid, &digiSigGrid, &opEvGrid, &DcryLabel, &ProgBar}; }
    AuditTrailView auditTrail() { return {&auditGrid, &auditSigGrid, &auditNameLab}; }
};

// Record files in the test's folder; each one written must be left as it is.
class RecordFilesTest : public ProcedureTest {
protected:
    void TearDown() override {
        for (const auto& [path, state] : files) {
            EXPECT_EQ(readBytes(path), state.first) << path.toStdString();
            EXPECT_EQ(QFileInfo(path).lastModified(), state.second) << path.toStdString();
        }
        if (pointerEndsDefault) {
            EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
        }
    }

    [[nodiscard]] QString file(const QString& name) const {
        return QDir::toNativeSeparators(dir.filePath(name));
    }
    // Writes a record file (again); the program must leave it as it is.
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = writeFile(file(name), bytes);
        files[path] = {bytes, QFileInfo(path).lastModified()};
        return path;
    }
    void remove(const QString& path) {
        EXPECT_TRUE(QFile::remove(path));
        files.erase(path);
    }
    // A file that the grid refuses: larger than it can hold (sparse, so it costs no space).
    [[nodiscard]] QString refusedFile(const QString& name) const {
        QFile sparse(file(name));
        EXPECT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(3) << 30));
        return sparse.fileName();
    }
    // Runs `procedure`, answers its file dialog with `path` ("" cancels it), then clicks OK on
    // `okClicks` message boxes. Returns the message boxes shown.
    static std::vector<ModalAnswer::Seen> answered(const std::function<void()>& procedure,
                                                   const QString& path, int okClicks = 0,
                                                   DialogSeen* seen = nullptr) {
        ModalAnswer answer;
        answer.then(answerFileDialog(path, seen));
        for (int i = 0; i < okClicks; ++i) {
            answer.thenClick(QMessageBox::Ok);
        }
        procedure();
        EXPECT_EQ(answer.pending(), 0);
        std::vector<ModalAnswer::Seen> boxes = answer.seen();
        for (const ModalAnswer::Seen& box : boxes) {
            EXPECT_TRUE(box.expected) << box.text.toStdString();
        }
        boxes.erase(boxes.begin(), boxes.begin() + (boxes.empty() ? 0 : 1));
        return boxes;
    }
    // What "Open History File" runs: the data log, then the files beside it while one is loaded.
    std::vector<ModalAnswer::Seen> openDataLog(const QString& path, int okClicks = 0) {
        return answered(
            [this] {
                getHistFile(state, *main, grids.dataLog());
                if (!state.dataFilePath.isEmpty()) {
                    loadSigFile(state, *main, grids.dataLog());
                    loadOpEventsFile(state, *main, grids.dataLog());
                }
            },
            path, okClicks);
    }
    // What "Open Audit Trail" runs.
    std::vector<ModalAnswer::Seen> openAuditTrail(const QString& path, int okClicks = 0) {
        return answered(
            [this] {
                getAuditFile(state, *main, grids.auditTrail());
                if (!state.auditFilePath.isEmpty()) {
                    loadAuditSigFile(state, *main, grids.auditTrail());
                }
            },
            path, okClicks);
    }

    std::map<QString, std::pair<QByteArray, QDateTime>> files;
    bool pointerEndsDefault = true;
    RecordControls grids;
};

} // namespace tarvex::test
