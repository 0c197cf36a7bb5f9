#pragma once
// The fuzzer's input read as a sequence of choices: small numbers, texts of its own, a double.
#include "support/window_session.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace qianyan::fuzzing {

class FuzzBytes : public testing::SessionChoices {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // As many bytes as count needs, taken modulo count; 0 once the bytes have run out.
    std::uint64_t pick(std::uint64_t count) override {
        std::uint64_t value = 0;
        for (std::uint64_t span = 1; span < count && span != 0; span <<= 8) value = value << 8 | byte();
        return value % count;
    }
    // A quarter of the time a text of the fuzzer's own, up to 255 bytes long.
    std::optional<std::string> ownText() override {
        if (byte() >= 64) return std::nullopt;
        return text(byte());
    }
    bool exhausted() const override { return at_ >= size_; }

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string text(std::size_t length) {
        length = std::min(length, size_ - at_);
        std::string out(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return out;
    }
    double number() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = bits << 8 | byte();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string rest() { return text(size_ - at_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace qianyan::fuzzing
