#include "Bench.h"

#include <vector>

// Placeholder driver; the benchmark work replaces it.
namespace bench {
namespace {
std::vector<Workload>& registry() {
    static std::vector<Workload> r;
    return r;
}
} // namespace
void registerWorkload(Workload workload) {
    registry().push_back(std::move(workload));
}
QString scratchDir() {
    return {};
}
} // namespace bench

int main() {
    return 0;
}
