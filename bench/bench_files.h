#pragma once
// The files of the save benchmarks: their scratch folder, and the floor of every save, the bytes a save
// wrote read back and written again at once with fwrite, made durable as a save is. Plain C stdio only, so
// the ratio shows what our writer costs.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qianyan::bench {

// The documents folder of one benchmark run, apart from every other run's.
inline std::filesystem::path benchFolder() {
    return std::filesystem::temp_directory_path() / ("qianyan-bench-" + std::to_string(::getpid()));
}

inline std::string readAll(const std::filesystem::path& file) {
    std::string bytes;
    if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
        char buffer[1 << 16];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            bytes.append(buffer, got);
        std::fclose(in);
    }
    return bytes;
}

// Seconds to write bytes into file in one fwrite, flushed and synced.
inline double plainWrite(const std::string& bytes, const std::filesystem::path& file) {
    const auto start = std::chrono::steady_clock::now();
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fflush(out);
        ::fsync(::fileno(out));
        std::fclose(out);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace qianyan::bench
