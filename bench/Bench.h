// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string>

namespace bench {

// One workload of the benchmark program. `files` writes the input files that other tools can
// read too (bench/peers times them on the same files); it runs before `setup` and alone with
// --files. `setup` runs once, untimed; `ours` and `reference` run `runs` times each and the
// median is printed; `teardown` runs once at the end. `reference` is the same work done the
// plainest way; leave it empty where a workload has none.
struct Workload {
    std::string name;
    std::function<void()> setup;
    std::function<void()> ours;
    std::function<void()> reference;
    int runs = 5;
    std::function<void()> files = {};
    std::function<void()> teardown = {};
};

void registerWorkload(Workload workload);

// Registers a workload at static initialisation: `static bench::Registrar r{{...}};`
struct Registrar {
    explicit Registrar(Workload workload) { registerWorkload(std::move(workload)); }
};

// The folder of the generated input files: --data DIR (kept, and files found there are used
// again), else a scratch folder removed when the program ends.
QString dataDir();
// A scratch folder for outputs, removed when the program ends.
QString scratchDir();

// Prints a note on the workload being run ("name: text") to stderr.
void note(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace bench
