// SPDX-License-Identifier: GPL-3.0-or-later
// soak: one process runs the viewer's own button procedures over the sample data set, round
// after round: open the data log (with its signatures and events), verify every signature, open
// the audit trail and verify its signatures, open the alarm history, plot every channel, save
// the trend as JPEG, export and print every grid into PDF files. Resident memory is printed
// after rounds 20, 100 and 200; the goal is round 200 within 5% of round 20. Not run unless named.
#include "Bench.h"
#include "BenchFiles.h"
#include "ModalReplies.h"

#include "core/recordfiles/SampleData.h"
#include "ui/recordfiles/GridModel.h"
#include "ui/recordfiles/SpreadGrid.h"
#include "ui/shell/SharedState.h"
#include "ui/shell/frmSplash.h"
#include "ui/viewer/ProgramStart.h"
#include "ui/viewer/frmHistory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kDataChannels = 6; // after date, time and the three note columns
constexpr int kFirstChannel = 5; // grid column

long long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// Lets the viewer paint and its timers run, as between a user's clicks.
void settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void click(QToolButton* button) {
    button->click();
    settle();
}

// A user selects what the grid shows: the view is brought up to date first.
void selectRow(SpreadGrid& grid, int row) {
    grid.updateView();
    const QAbstractItemModel* model = grid.view()->model();
    grid.view()->selectionModel()->select(
        QItemSelection(model->index(row - 1, 0), model->index(row - 1, model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

void verifyEach(SpreadGrid& signatures, QToolButton* verify) {
    for (int row = 1; row <= signatures.RowCount(); ++row) {
        selectRow(signatures, row);
        click(verify);
    }
}

class Soak {
public:
    explicit Soak(const QString& dir) : dir_(dir), files_(writeSampleData(dir)) {}

    void round() {
        frmHistory& v = *frmHistory::existing();
        replies_.openPath = files_.dataLog;
        click(v.DataBarBtn[0]);
        verifyEach(*v.digiSigGrid, v.DataBarBtn[5]);
        replies_.openPath = files_.auditTrail;
        click(v.auditBarBtn[0]);
        verifyEach(*v.auditSigGrid, v.auditBarBtn[3]);
        replies_.openPath = files_.alarmHistory;
        click(v.almBarBtn[0]);

        SpreadGrid& grid = *v.vaGrid;
        grid.updateView();
        grid.view()->selectionModel()->select(
            QItemSelection(
                grid.model()->index(0, kFirstChannel - 1),
                grid.model()->index(grid.RowCount() - 1, kFirstChannel + kDataChannels - 2)),
            QItemSelectionModel::ClearAndSelect);
        v.DataTab->setCurrentIndex(frmHistory::TabData);
        click(v.DataBarBtn[1]);
        output(v.histBarBtn[2], QStringLiteral("trend.jpg"), {});

        output(v.DataBarBtn[4], QStringLiteral("data.csv"), {});
        output(v.opBarBtn[1], QStringLiteral("events.csv"), {});
        output(v.auditBarBtn[2], QStringLiteral("audit.csv"), {});
        output(v.almBarBtn[2], QStringLiteral("alarms.csv"), {});
        grid.view()->clearSelection(); // the whole grid
        output(v.DataBarBtn[2], {}, QStringLiteral("data.pdf"));
        output(v.opBarBtn[0], {}, QStringLiteral("events.pdf"));
        output(v.auditBarBtn[1], {}, QStringLiteral("audit.pdf"));
        output(v.almBarBtn[1], {}, QStringLiteral("alarms.pdf"));
    }

    // What the viewer said in the round; the first round's texts are what every round must say.
    bool sameAsFirst(int number) {
        const QStringList seen = replies_.takeSeen();
        if (first_.isEmpty()) {
            first_ = seen;
            std::printf("soak: round 1 said %lld things:", static_cast<long long>(seen.size()));
            for (const QString& text : seen) {
                std::printf(" \"%s\"", qPrintable(QString(text).replace(QStringLiteral("\r\n"),
                                                                        QStringLiteral(" / "))));
            }
            std::printf("\n");
            return std::none_of(seen.begin(), seen.end(),
                                [](const QString& t) { return t.startsWith(u"? "); });
        }
        if (seen != first_) {
            std::printf("soak: round %d said something else: %s\n", number,
                        qPrintable(seen.join(QStringLiteral(" | "))));
            return false;
        }
        return true;
    }

private:
    // An export or a printout into a fresh file of the output folder.
    void output(QToolButton* button, const QString& save, const QString& pdf) {
        const QString out = QDir(dir_).filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        replies_.savePath = save.isEmpty() ? QString() : QDir(out).filePath(save);
        replies_.pdfPath = pdf.isEmpty() ? QString() : QDir(out).filePath(pdf);
        for (const QString& path : {replies_.savePath, replies_.pdfPath}) {
            if (!path.isEmpty()) {
                QFile::remove(path);
            }
        }
        click(button);
        for (const QString& path : {replies_.savePath, replies_.pdfPath}) {
            if (!path.isEmpty() && !QFile::exists(path)) {
                replies_.takeSeen();
                std::printf("soak: %s was not written\n", qPrintable(path));
            }
        }
    }

    QString dir_;
    SampleFiles files_;
    bench::ModalReplies replies_;
    QStringList first_;
};

void soak() {
    const int rounds = qEnvironmentVariableIsSet("TARVEX_BENCH_SOAK_ROUNDS")
                           ? qEnvironmentVariableIntValue("TARVEX_BENCH_SOAK_ROUNDS")
                           : 200;
    // Kept with --data, so that what the rounds wrote can be looked at.
    const QString dir = QDir(bench::dataDir()).filePath(QStringLiteral("soak"));
    SharedState& state = bench::sharedState();
    frmSplash::createSharedObjects(state);
    state.startDir = dir;
    makeViewerTheMessageOwner(state);
    frmHistory::load(state).showViewer();
    Soak soak(dir);
    long long at20 = -1;
    QElapsedTimer timer;
    timer.start();
    for (int n = 1; n <= rounds; ++n) {
        soak.round();
        if (!soak.sameAsFirst(n)) {
            std::printf("soak: stopped at round %d\n", n);
            return;
        }
        if (n == 20 || n == 100 || n == 200 || n == rounds) {
            const long long kb = residentKb();
            at20 = n == 20 ? kb : at20;
            std::printf("soak: round %d resident %.1f MB", n, double(kb) / 1024);
            if (at20 > 0 && n > 20) {
                const double growth = 100.0 * double(kb - at20) / double(at20);
                std::printf(" (%+.1f%% of round 20, goal within 5%%: %s)", growth,
                            std::abs(growth) <= 5 ? "met" : "not met");
            }
            std::printf(", %lld widgets, %.1f s a round\n",
                        static_cast<long long>(QApplication::allWidgets().size()),
                        timer.elapsed() / 1000.0 / n);
            std::fflush(stdout);
        }
    }
}

const bench::Registrar registrar{{
    .name = "soak",
    .setup = {},
    .ours = soak,
    .reference = {},
    .runs = 1,
}};

} // namespace
