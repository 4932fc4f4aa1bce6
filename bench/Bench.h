#pragma once

#include <QString>

#include <functional>
#include <string>

namespace bench {

// One workload of the benchmark program. `setup` runs once, untimed (it generates inputs);
// `ours` and `reference` run `runs` times each and the median is printed. `reference` is the
// same work done the plainest way; leave it empty where a workload has none.
struct Workload {
    std::string name;
    std::function<void()> setup;
    std::function<void()> ours;
    std::function<void()> reference;
    int runs = 5;
};

void registerWorkload(Workload workload);

// Registers a workload at static initialisation: `static bench::Registrar r{{...}};`
struct Registrar {
    explicit Registrar(Workload workload) { registerWorkload(std::move(workload)); }
};

// A scratch folder for generated inputs, removed when the program ends.
QString scratchDir();

} // namespace bench
