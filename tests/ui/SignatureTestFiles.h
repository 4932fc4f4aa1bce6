#pragma once

// Helpers for the tests of the enciphered record files and their verification: generated data
// logs, audit trails and enciphered files in a fresh folder, opened through the real toolbar
// buttons and Open dialog, and a check that no record file was changed.

#include "DialogDriver.h"
#include "ModalAnswer.h"
#include "QtPrinters.h"
#include "ViewerFixture.h"

#include "integrity/ZvLog.h"
#include "recordfiles/GridData.h"
#include "recordfiles/SpreadGrid.h"
#include "shell/Screen.h"
#include "shell/SharedState.h"
#include "viewer/frmHistory.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace tarvex::test {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each record enciphered as one hex-text line, every line ended by `lineEnd`.
inline QByteArray encipheredLines(const QStringList& records, const QByteArray& lineEnd = "\r\n") {
    ZvLog log;
    QByteArray text;
    for (const QString& record : records) {
        text += log.EncryptToHex(record, zvLogKey()).toLatin1() + lineEnd;
    }
    return text;
}

inline QString fileHash(const QString& path) {
    return ZvLog().CalculateFileHash(path, zvLogKey());
}

// Columns 0 to last of a grid row, as texts.
inline QStringList rowTexts(const SpreadGrid& grid, int row, int last) {
    QStringList texts;
    for (int c = 0; c <= last; ++c) {
        texts << grid.gridData().CellText(c, row);
    }
    return texts;
}

// Every cell, headers included, is empty.
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

// The common error report's text.
inline QString reportText(int number, const QString& description, const QString& procName) {
    return QStringLiteral("Error %1 = %2 in function %3 occurred.\r\n"
                          "Please contact the manufacturer with this error.")
        .arg(number)
        .arg(description, procName);
}

inline const QByteArray kDataLog = "Date,Time,Batch,Temp\r\n"
                                   "3/4/2024,08:00:00,,20.5\r\n"
                                   "3/4/2024,08:01:00,B1,21.0\r\n"
                                   "3/4/2024,08:02:00,B1,21.7\r\n";
inline const QByteArray kAuditTrail = "3/4/2024,07:58:00,Shift Lead,Logged in\r\n"
                                      "3/4/2024,08:05:00,Shift Lead,Changed setpoint\r\n";

// Runs `call` at the next pass of pending window events, while it is alive.
class AtNextEvents {
public:
    explicit AtNextEvents(std::function<void()> call) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, std::move(call));
        timer_.start(0);
    }

private:
    QTimer timer_;
};

// The viewer started in a fresh folder whose files the test writes.
class ViewerFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        viewer = &startViewer(dir.path());
        pubVars().dataFilePath.clear();
        pubVars().auditFilePath.clear();
    }

    // The program never writes a record file, and leaves the default pointer behind.
    void TearDown() override {
        for (const auto& [path, bytes] : files) {
            EXPECT_EQ(readBytes(path), bytes) << path.toStdString();
        }
        EXPECT_EQ(Screen::mousePointer(), Screen::vbDefault);
    }

    [[nodiscard]] QString file(const QString& name) const {
        return QDir::toNativeSeparators(dir.filePath(name));
    }

    // Writes a file (again); its bytes are what the program must leave in place.
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = file(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        files[path] = bytes;
        return path;
    }

    void remove(const QString& path) {
        EXPECT_TRUE(QFile::remove(path));
        files.erase(path);
    }

    // Presses an open button, answers the Open dialog with `path`, then clicks OK on as many
    // message boxes as `messages`. Returns the message boxes shown.
    std::vector<ModalAnswer::Seen> open(QToolButton* button, const QString& path,
                                        int messages = 0) {
        ModalAnswer answer;
        answer.then(DialogDriver::chooseFile(path));
        for (int i = 0; i < messages; ++i) {
            answer.thenClick(QMessageBox::Ok);
        }
        button->click();
        EXPECT_EQ(answer.pending(), 0);
        std::vector<ModalAnswer::Seen> boxes = answer.seen();
        if (!boxes.empty()) {
            boxes.erase(boxes.begin()); // the Open dialog
        }
        for (const ModalAnswer::Seen& box : boxes) {
            EXPECT_TRUE(box.expected) << box.text.toStdString();
        }
        return boxes;
    }

    std::vector<ModalAnswer::Seen> openDataLog(const QString& path, int messages = 0) {
        return open(viewer->DataBarBtn[0], path, messages);
    }
    std::vector<ModalAnswer::Seen> openAuditTrail(const QString& path, int messages = 0) {
        return open(viewer->auditBarBtn[0], path, messages);
    }

    QTemporaryDir dir;
    frmHistory* viewer = nullptr;
    std::map<QString, QByteArray> files;
};

} // namespace tarvex::test
