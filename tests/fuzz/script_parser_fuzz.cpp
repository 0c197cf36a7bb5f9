// The driver's script over any bytes: splitting it into commands and running them against the windows.
// A sweep is left to the window fuzzers (a script may name one of a million candidates).
#include "cli/script_driver.h"
#include "fuzz_check.h"

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace qianyan;

namespace {

const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qianyan-fuzz-script-" + std::to_string(::getpid()));
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    std::vector<std::vector<std::string>> commands;
    std::string error;
    if (!splitScript(script, commands, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    for (const auto& words : commands) FUZZ_CHECK(!words.empty());
    if (script.find("YHcompute") != std::string_view::npos) return 0;

    std::filesystem::remove_all(scratchFolder());
    std::filesystem::create_directories(scratchFolder());
    ScriptedPlatform platform(scratchFolder().string(), {2024, 5, 6, 14, 3, 27});
    std::ostringstream out, err;
    ScriptDriver driver(platform, out, err);
    const bool ran = driver.run(script);
    FUZZ_CHECK(ran || !err.str().empty());
    return 0;
}
