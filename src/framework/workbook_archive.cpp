#include "framework/workbook_archive.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string_view>

namespace qianyan {

namespace {

// The end record of a zip archive: a signature, the entries' count, the central directory's size and
// offset, and the length of the archive's comment (which follows the record) in its last two bytes. Every
// number is least significant byte first.
constexpr std::string_view endRecordSignature = "PK\x05\x06";
constexpr std::size_t endRecordSize = 22;

std::uint32_t number(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

} // namespace

std::string archiveComment(const std::string& file) {
    std::ifstream book(file, std::ios::binary);
    if (!book.seekg(0, std::ios::end)) return {};
    const auto size = static_cast<std::size_t>(std::max<std::streamoff>(book.tellg(), 0));
    const std::size_t tailSize = std::min(size, endRecordSize + archiveCommentLimit);
    std::string tail(tailSize, '\0');
    if (tailSize < endRecordSize || !book.seekg(static_cast<std::streamoff>(size - tailSize)) ||
        !book.read(tail.data(), static_cast<std::streamsize>(tailSize)))
        return {};
    // The end record is the one whose comment runs exactly to the end of the file.
    for (std::size_t at = tailSize - endRecordSize;; --at) {
        if (std::string_view(tail).substr(at, 4) == endRecordSignature &&
            number(tail, at + 20, 2) == tailSize - at - endRecordSize)
            return tail.substr(at + endRecordSize);
        if (at == 0) return {};
    }
}

} // namespace qianyan
