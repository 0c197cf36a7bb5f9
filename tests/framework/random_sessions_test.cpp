// Random sessions: a few thousand seeded commands a person could give, picked from each window's own
// declared controls, with the checks that must hold after every step. QIANYAN_SESSION_SEED=n replays a
// session; a failure names the seed, the step and the command.
#include "cli/calculators.h"
#include "support/calculator_fixture.h"
#include "support/window_fixture.h"
#include "support/window_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

namespace qianyan {
namespace {

constexpr int sessionSteps = 3000;
constexpr std::uint64_t defaultSeed = 20240506;

std::uint64_t sessionSeed() {
    const char* text = std::getenv("QIANYAN_SESSION_SEED");
    return text && *text ? std::strtoull(text, nullptr, 10) : defaultSeed;
}

class SeededChoices : public testing::SessionChoices {
public:
    explicit SeededChoices(std::uint64_t seed) : random_(seed) {}
    std::uint64_t pick(std::uint64_t count) override {
        return std::uniform_int_distribution<std::uint64_t>(0, count - 1)(random_);
    }

private:
    std::mt19937_64 random_;
};

class RandomSession : public ::testing::TestWithParam<std::string_view> {};

TEST_P(RandomSession, KeepsEveryWindowInvariant) {
    const std::uint64_t seed = sessionSeed();
    const std::filesystem::path documents = testing::freshFolder("session");
    std::filesystem::create_directories(documents);
    SeededChoices choices(seed);
    testing::WindowSession session(GetParam(), documents, choices);
    const std::string broken = session.run(sessionSteps);
    EXPECT_EQ(broken, "") << "QIANYAN_SESSION_SEED=" << seed << " window " << GetParam();
    const auto reach = session.reach();
    std::cout << "seed " << seed << ": up to " << reach.mostDesigns << " designs, " << reach.sweeps
              << " sweeps, " << reach.savesCompared << " saved sheets compared\n";
    std::filesystem::remove_all(documents);
}

INSTANTIATE_TEST_SUITE_P(Windows, RandomSession, testing::everyCalculator(), testing::ByCalculator());

} // namespace
} // namespace qianyan
