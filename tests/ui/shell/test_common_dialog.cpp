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

// Each kind of file has its own folders and last name for as long as the dialog lives; a name
// of another kind is never offered, a name the caller sets always is; the columns fit.
TEST(CommonDialog, RemembersFoldersAndNamesForEachKindForTheSessionOnly) {
    QTemporaryDir start, logs, moreLogs, trails;
    const QString log = writeFile(logs.filePath("plant.csv"), "x");
    const QString otherLog = writeFile(moreLogs.filePath("other.csv"), "x");
    QStringList offered; // per dialog: its folder, its name, then its other folders
    const auto choose = [&offered](const QString& path) {
        return [&offered, path](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            const auto* list = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
            EXPECT_LE(list->header()->length(), list->viewport()->width()) << "columns cut";
            QStringList history = dlg->history();
            history.removeAll(dlg->directory().absolutePath());
            offered << (QStringList{dlg->directory().absolutePath(),
                                    dlg->findChild<QLineEdit*>("fileNameEdit")->text()} +
                        history)
                           .join('|');
            ModalAnswer::chooseFile(path)(w);
        };
    };
    const auto open = [](CommonDialog& d, const char* filter) {
        d.Filter = QString::fromLatin1(filter);
        d.ShowOpen();
    };
    for (const QStringList& choices :
         {QStringList{log, start.filePath("a.jpg"), trails.filePath("x.aud"), otherLog, log},
          QStringList{log}}) {
        CommonDialog d(nullptr);
        d.InitDir = start.path();
        ModalAnswer answer;
        for (const QString& c : choices) {
            answer.then(choose(c));
        }
        open(d, "Log Files(*.csv)|*.csv");
        if (choices.size() > 1) {
            d.Filter = "Jpeg Files(*.jpg)|*.jpg";
            d.FileName = "Data Viewer.jpg";
            d.ShowSave();
            open(d, "Audit Files(*.aud)|*.aud");
            open(d, "Log Files(*.csv)|*.csv");
            open(d, "Log Files(*.csv)|*.csv");
        }
    }
    const QString startDir = QFileInfo(start.path()).absoluteFilePath();
    const QString logsDir = QFileInfo(log).absolutePath();
    const QString moreDir = QFileInfo(otherLog).absolutePath();
    EXPECT_EQ(offered, (QStringList{startDir + "|", startDir + "|Data Viewer.jpg", startDir + "|",
                                    logsDir + "|plant.csv", moreDir + "|other.csv|" + logsDir,
                                    // a new dialog, as in the next run: nothing from before,
                                    // nor from Qt's own settings file
                                    startDir + "|"}));
}
