#pragma once
// The size and FNV-1a digest of bytes taken in pieces: enough to tell a file from one edited since, and
// taken as the bytes go by, so a long file costs no memory.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace qianyan {

struct ByteDigest {
    std::uint64_t size = 0;
    std::uint64_t value = 14695981039346656037u;

    void add(std::string_view bytes) {
        for (const char c : bytes) value = (value ^ static_cast<unsigned char>(c)) * 1099511628211u;
        size += bytes.size();
    }
    std::string hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
        return text;
    }
};

} // namespace qianyan
