#include "Bench.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace bench {
namespace {

std::vector<Workload>& registry() {
    static std::vector<Workload> workloads;
    return workloads;
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

void runWorkload(const bench::Workload& w) {
    if (w.setup) {
        w.setup();
    }
    const int runs = std::max(w.runs, 1);
    std::vector<double> ours;
    ours.reserve(runs);
    double peakKb = 0; // the largest growth of any run: memory goals are about the worst case
    for (int i = 0; i < runs; ++i) {
        if (!resetPeak()) {
            std::fprintf(stderr, "%s: cannot reset the peak memory mark\n", w.name.c_str());
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
}

} // namespace

// tarvex-bench [NAME...]: runs every workload, or the named ones in the order given.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::map<std::string, const bench::Workload*> byName;
    for (const bench::Workload& w : bench::registry()) {
        byName[w.name] = &w;
    }
    std::vector<const bench::Workload*> selected;
    for (int i = 1; i < argc; ++i) {
        const auto it = byName.find(argv[i]);
        if (it == byName.end()) {
            std::fprintf(stderr, "tarvex-bench: unknown workload \"%s\"; known:", argv[i]);
            for (const auto& [name, w] : byName) {
                std::fprintf(stderr, " %s", name.c_str());
            }
            std::fprintf(stderr, "\n");
            return 2;
        }
        selected.push_back(it->second);
    }
    if (selected.empty()) {
        for (const auto& [name, w] : byName) {
            selected.push_back(w);
        }
    }
    for (const bench::Workload* w : selected) {
        runWorkload(*w);
    }
    return 0;
}
