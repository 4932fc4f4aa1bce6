// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole viewer opening generated record files through its real buttons and dialogs.

#include "RecordFiles.h"

#include "ui/viewer/frmHistory.h"

#include <QToolButton>

namespace tarvex::test {

class ViewerFilesTest : public RecordFilesTest {
protected:
    void SetUp() override { viewer = &startViewer(state, dir.path()); }

    // Presses a toolbar button, answers its file dialog with `path` ("" cancels it), then
    // clicks OK on `okClicks` message boxes. Returns the message boxes shown.
    static std::vector<ModalAnswer::Seen> open(QToolButton* button, const QString& path,
                                               int okClicks = 0) {
        return answered([button] { button->click(); }, path, okClicks);
    }
    std::vector<ModalAnswer::Seen> openDataLog(const QString& path, int okClicks = 0) {
        return open(viewer->DataBarBtn[0], path, okClicks);
    }

    frmHistory* viewer = nullptr;
};

// The same, with the signature and event readers that the open buttons call next recorded
// instead of run: they have tests of their own.
class RecordViewerTest : public ViewerFilesTest {
protected:
    void SetUp() override {
        ViewerFilesTest::SetUp();
        pointerEndsDefault = false;
        viewer->actions.loadSigFile = [this] { followUps << "loadSigFile"; };
        viewer->actions.loadOpEventsFile = [this] { followUps << "loadOpEventsFile"; };
        viewer->actions.loadAuditSigFile = [this] { followUps << "loadAuditSigFile"; };
    }

    QStringList followUps;
};

} // namespace tarvex::test
