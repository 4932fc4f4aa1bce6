// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreTestHelpers.h"
#include "ModalAnswer.h"

#include "ui/shell/CommonDialog.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace tarvex;
using namespace tarvex::test;

namespace {

struct Shown {
    QStringList history; // without the folder it opened in
    QString folder;
    QString name;
    int columnsCut = 0; // pixels of the file list's columns beyond its width
};

// Records what a file dialog offered, then chooses `path` in it.
ModalAnswer::Action lookThenChoose(std::vector<Shown>& shown, const QString& path) {
    return [&shown, path](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        const auto* list = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
        QStringList history = dlg->history();
        history.removeAll(dlg->directory().absolutePath());
        shown.push_back({history, dlg->directory().absolutePath(),
                         dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                         list->header()->length() - list->viewport()->width()});
        ModalAnswer::chooseFile(path)(w);
    };
}

} // namespace

// Each kind of file has its own folders and last name, for as long as the dialog lives; a name
// of another kind is never offered, a name the caller sets always is.
TEST(CommonDialog, RemembersFoldersAndNamesForEachKindForTheSessionOnly) {
    QTemporaryDir start;
    QTemporaryDir logs;
    QTemporaryDir trails;
    QTemporaryDir moreLogs;
    const QString log = writeFile(logs.filePath("plant.csv"), "x");
    const QString otherLog = writeFile(moreLogs.filePath("other.csv"), "x");
    const QString trail = writeFile(trails.filePath("audit.aud"), "x");
    std::vector<Shown> shown;
    const auto run = [&](const std::function<void(CommonDialog&)>& calls,
                         const QStringList& choices) {
        CommonDialog cmdFile(nullptr);
        cmdFile.InitDir = start.path();
        ModalAnswer answer;
        for (const QString& choice : choices) {
            answer.then(lookThenChoose(shown, choice));
        }
        calls(cmdFile);
    };
    const auto open = [](CommonDialog& d, const char* filter) {
        d.Filter = QString::fromLatin1(filter);
        d.ShowOpen();
    };
    run(
        [&](CommonDialog& d) {
            open(d, "Log Files(*.csv)|*.csv");
            d.Filter = "Jpeg Files(*.jpg)|*.jpg";
            d.FileName = "Data Viewer.jpg";
            d.ShowSave();
            open(d, "Audit Files(*.aud)|*.aud");
            open(d, "Log Files(*.csv)|*.csv");
            open(d, "Log Files(*.csv)|*.csv");
        },
        {log, start.filePath("trend.jpg"), trail, otherLog, log});
    run([&](CommonDialog& d) { open(d, "Log Files(*.csv)|*.csv"); }, {log});

    ASSERT_EQ(shown.size(), 6U);
    EXPECT_EQ(shown[0].name, "");
    EXPECT_EQ(shown[1].name, "Data Viewer.jpg");
    EXPECT_EQ(shown[2].name, "") << "the picture's name offered for an audit trail";
    EXPECT_EQ(shown[2].history, QStringList{});
    EXPECT_EQ(shown[3].name, "plant.csv");
    EXPECT_EQ(shown[4].folder, QFileInfo(otherLog).absolutePath());
    EXPECT_EQ(shown[4].name, "other.csv");
    EXPECT_EQ(shown[4].history, QStringList{QFileInfo(log).absolutePath()});
    // A new dialog (as in the next run) offers nothing from before, Qt's own memory included.
    EXPECT_EQ(shown[5].history, QStringList{});
    EXPECT_EQ(shown[5].folder, QFileInfo(start.path()).absoluteFilePath());
    EXPECT_EQ(shown[5].name, "");
    for (const Shown& s : shown) {
        EXPECT_LE(s.columnsCut, 0) << "the file list's columns do not fit";
    }
}
