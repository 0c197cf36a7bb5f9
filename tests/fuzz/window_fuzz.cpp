// One calculator window (QIANYAN_FUZZ_WINDOW, its driver name) driven by commands the fuzzer's bytes
// choose among the window's declared controls and grids, with the session invariants after every step.
#include "fuzz_bytes.h"
#include "fuzz_check.h"
#include "support/window_session.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

using namespace qianyan;

// Sweeps kept small: a fuzzer learns more from many short sessions than from a few long sweeps.
constexpr std::uint64_t sweepLimit = 40;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path documents = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() /
            ("qianyan-fuzz-" QIANYAN_FUZZ_WINDOW "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        return folder;
    }();
    // Emptied, not made anew: each input starts without the sheets an earlier one saved.
    for (const auto& entry : std::filesystem::directory_iterator(documents))
        std::filesystem::remove_all(entry);
    // Built once: each input's session starts on a copy.
    static ScriptedPlatform unusedPlatform(documents.string(), {2024, 5, 6, 14, 3, 27});
    static const std::unique_ptr<CalculatorFrame> unused =
        makeCalculator(QIANYAN_FUZZ_WINDOW, unusedPlatform);
    fuzzing::FuzzBytes bytes(data, size);
    testing::WindowSession session(*unused, documents, bytes, sweepLimit);
    const std::string broken = session.run(200);
    if (!broken.empty()) std::fprintf(stderr, "%s: %s\n", QIANYAN_FUZZ_WINDOW, broken.c_str());
    FUZZ_CHECK(broken.empty());
    return 0;
}
