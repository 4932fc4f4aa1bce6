// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"

#include "ui/shell/DoEvents.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <map>
#include <vector>

namespace bench {
namespace {

std::vector<Workload>& registry() {
    static std::vector<Workload> workloads;
    return workloads;
}

QString& dataDirOption() {
    static QString dir;
    return dir;
}

std::string& currentName() {
    static std::string name;
    return name;
}

} // namespace

void registerWorkload(Workload workload) {
    registry().push_back(std::move(workload));
}

QString scratchDir() {
    // Removed by its destructor when the program ends.
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tarvex-bench-XXXXXX"));
    return dir.path();
}

QString dataDir() {
    return dataDirOption().isEmpty() ? scratchDir() : dataDirOption();
}

void note(const char* format, ...) {
    std::fprintf(stderr, "%s: ", currentName().c_str());
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
}

} // namespace bench

namespace {

// A field of /proc/self/status in kB, or -1.
long long statusKb(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':')) {
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// Sets the peak resident size back to the current one.
bool resetPeak() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double timeMs(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

void runWorkload(const bench::Workload& w, int runsOverride) {
    if (w.files) {
        w.files();
    }
    if (w.setup) {
        w.setup();
    }
    const int runs = std::max(runsOverride > 0 ? runsOverride : w.runs, 1);
    std::vector<double> ours;
    ours.reserve(runs);
    double peakKb = 0; // the largest growth of any run: memory goals are about the worst case
    for (int i = 0; i < runs; ++i) {
        if (!resetPeak()) {
            bench::note("cannot reset the peak memory mark");
        }
        const long long before = statusKb("VmRSS");
        ours.push_back(timeMs(w.ours));
        peakKb = std::max(peakKb, double(statusKb("VmHWM") - before));
    }
    const double peakMb = peakKb / 1024; // MB here are MiB, as /proc counts in KiB
    std::printf("%s: ours %.1f ms", w.name.c_str(), median(ours));
    if (w.reference) {
        std::vector<double> reference;
        reference.reserve(runs);
        for (int i = 0; i < runs; ++i) {
            reference.push_back(timeMs(w.reference));
        }
        const double ref = median(reference);
        std::printf(", reference %.1f ms, ratio %.2f", ref, median(ours) / ref);
    }
    std::printf(", peak %.1f MB\n", peakMb);
    std::fflush(stdout);
    if (w.teardown) {
        w.teardown();
    }
}

int usage(const std::map<std::string, const bench::Workload*>& byName) {
    std::fprintf(stderr, "usage: tarvex-bench [--data DIR] [--runs N] [--files] [NAME...]\n"
                         "  --data DIR  generated inputs go to DIR and are used again from there\n"
                         "  --runs N    runs per workload instead of each one's own count\n"
                         "  --files     only write the input files of the named workloads\n"
                         "workloads:");
    for (const auto& [name, w] : byName) {
        std::fprintf(stderr, " %s", name.c_str());
    }
    std::fprintf(stderr, "\n");
    return 2;
}

} // namespace

// tarvex-bench [options] [NAME...]: runs every workload but the soak, or the named ones in the
// order given, printing one line per workload on stdout and notes on stderr.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tarvex::chooseEventLoop(); // as the viewer runs
    QApplication app(argc, argv);
    std::map<std::string, const bench::Workload*> byName;
    for (const bench::Workload& w : bench::registry()) {
        byName[w.name] = &w;
    }
    std::vector<const bench::Workload*> selected;
    int runs = 0;
    bool filesOnly = false;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--data" && i + 1 < args.size()) {
            bench::dataDirOption() = QDir(args[++i]).absolutePath();
            if (!QDir().mkpath(bench::dataDirOption())) {
                std::fprintf(stderr, "tarvex-bench: cannot make %s\n", qPrintable(args[i]));
                return 2;
            }
        } else if (arg == u"--runs" && i + 1 < args.size()) {
            runs = args[++i].toInt();
        } else if (arg == u"--files") {
            filesOnly = true;
        } else if (const auto it = byName.find(arg.toStdString()); it != byName.end()) {
            selected.push_back(it->second);
        } else {
            std::fprintf(stderr, "tarvex-bench: unknown argument \"%s\"\n", qPrintable(arg));
            return usage(byName);
        }
    }
    if (selected.empty()) {
        for (const auto& [name, w] : byName) {
            if (name != "soak") { // minutes long: only when named
                selected.push_back(w);
            }
        }
    }
    try {
        for (const bench::Workload* w : selected) {
            bench::currentName() = w->name;
            if (filesOnly) {
                if (w->files) {
                    w->files();
                }
            } else {
                runWorkload(*w, runs);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvex-bench: %s: %s\n", bench::currentName().c_str(), e.what());
        return 1;
    }
    return 0;
}
