// SPDX-License-Identifier: GPL-3.0-or-later
// Replays each fuzz target's committed seed corpus without libFuzzer, as a case of the core
// test program, so that any compiler runs it. A failed check aborts the case.
#include "FuzzCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::string> targetNames() {
    std::vector<std::string> names;
    for (const auto& entry : tarvex::fuzz::targets()) {
        names.push_back(entry.first);
    }
    return names;
}

class FuzzCorpus : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(FuzzCorpus, EverySeedPassesItsTargetsChecks) {
    const std::filesystem::path folder = std::filesystem::path(TARVEX_FUZZ_CORPUS) / GetParam();
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        // A copy of exactly the input's size, so that a read past its end is caught.
        const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        EXPECT_EQ(tarvex::fuzz::targets().at(GetParam())(input.data(), input.size()), 0);
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no seeds in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(targetNames()),
                         [](const auto& info) { return info.param; });
