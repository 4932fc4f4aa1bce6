// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <vector>

class QWidget;

namespace bench {

// Answers the viewer's modal windows while it lives, as a user would: the Open dialog with
// `openPath`, the Save dialogs with `savePath`, the print dialog with "Print to File (PDF)" into
// `pdfPath`, and every message box with its accepting button after noting its text.
class ModalReplies : public QObject {
    Q_OBJECT
public:
    ModalReplies();

    QString openPath;
    QString savePath;
    QString pdfPath;

    // Message texts (and "?" plus the class of a window that found no answer) since the last call.
    QStringList takeSeen();

private:
    void poll();
    void answer(QWidget* w);

    QTimer timer_;
    QStringList seen_;
    std::vector<QPointer<QWidget>> handled_;
};

} // namespace bench
