#include "framework/workbook_archive.h"

#include "platform/platform.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace qianyan {

namespace {

// The end record of a zip archive: a signature, the entries' count, the central directory's size and
// offset, and the length of the archive's comment (which follows the record) in its last two bytes. Every
// number is least significant byte first.
constexpr std::string_view endRecordSignature = "PK\x05\x06";
constexpr std::size_t endRecordSize = 22;
constexpr std::string_view centralSignature = "PK\x01\x02";
constexpr std::size_t centralHeaderSize = 46;
constexpr std::string_view localSignature = "PK\x03\x04";
constexpr std::size_t localHeaderSize = 30;
constexpr std::uint16_t storedMethod = 0, deflatedMethod = 8;
constexpr std::uint16_t sizesFollowData = 0x8; // the sizes and checksum are in a record after the data
constexpr std::string_view appEntry = "docProps/app.xml";

std::uint32_t number(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

void setNumber(std::string& bytes, std::size_t at, int size, std::uint32_t value) {
    for (int k = 0; k < size; ++k)
        bytes[at + static_cast<std::size_t>(k)] = static_cast<char>(value >> (8 * k));
}

[[noreturn]] void failRewrite() {
    throw PlatformError("无法生成Excel工作簿：工作簿属性无法写入");
}

std::string readRange(std::ifstream& in, std::uint64_t from, std::uint64_t size) {
    std::string bytes(size, '\0');
    if (!in.seekg(static_cast<std::streamoff>(from)) ||
        !in.read(bytes.data(), static_cast<std::streamsize>(size)))
        failRewrite();
    return bytes;
}

void copyRange(std::ifstream& in, std::ofstream& out, std::uint64_t from, std::uint64_t to) {
    if (!in.seekg(static_cast<std::streamoff>(from))) failRewrite();
    std::vector<char> buffer(1 << 20);
    for (std::uint64_t left = to - from; left > 0;) {
        const auto piece = static_cast<std::streamsize>(std::min<std::uint64_t>(left, buffer.size()));
        if (!in.read(buffer.data(), piece) || !out.write(buffer.data(), piece)) failRewrite();
        left -= static_cast<std::uint64_t>(piece);
    }
}

std::string inflated(std::string_view deflated, std::size_t size) {
    std::string text(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) failRewrite();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    stream.avail_in = static_cast<uInt>(deflated.size());
    stream.next_out = reinterpret_cast<Bytef*>(text.data());
    stream.avail_out = static_cast<uInt>(text.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.total_out != size) failRewrite();
    return text;
}

// The properties with program as the application; the library's application version goes with its name.
std::string withApplication(std::string xml, std::string_view program) {
    const auto replaceElement = [&xml](std::string_view name, std::string_view content, bool required) {
        const std::string open = "<" + std::string(name) + ">", close = "</" + std::string(name) + ">";
        const std::size_t start = xml.find(open), end = xml.find(close);
        if (start == std::string::npos || end == std::string::npos || end < start) {
            if (required) failRewrite();
            return;
        }
        if (content.empty())
            xml.erase(start, end + close.size() - start);
        else
            xml.replace(start + open.size(), end - start - open.size(), content);
    };
    replaceElement("Application", program, true);
    replaceElement("AppVersion", {}, false);
    return xml;
}

} // namespace

void addArchiveComment(const std::string& file, std::string_view comment) {
    const auto fail = [] { throw PlatformError("无法生成Excel工作簿：工作簿无法标记"); };
    if (comment.size() > archiveCommentLimit) fail();
    std::fstream book(file, std::ios::binary | std::ios::in | std::ios::out);
    std::string record(endRecordSize, '\0');
    if (!book.seekg(-static_cast<std::streamoff>(endRecordSize), std::ios::end) ||
        !book.read(record.data(), static_cast<std::streamsize>(endRecordSize)))
        fail();
    if (!record.starts_with(endRecordSignature) || number(record, 20, 2) != 0) fail();
    const char length[] = {static_cast<char>(comment.size() & 0xFF), static_cast<char>(comment.size() >> 8)};
    if (!book.seekp(-2, std::ios::end) || !book.write(length, 2) || !book.seekp(0, std::ios::end) ||
        !book.write(comment.data(), static_cast<std::streamsize>(comment.size())) || !book.flush())
        fail();
}

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

void nameArchiveApplication(const std::string& file, std::string_view program) {
    std::uint64_t fileSize = 0;
    std::string record, central;
    std::vector<std::size_t> entries; // where each entry's header starts in the central directory
    std::size_t app = 0;
    std::uint64_t appStart = 0, appEnd = 0;
    std::string newEntry;
    {
        std::ifstream in(file, std::ios::binary);
        if (!in.seekg(0, std::ios::end)) failRewrite();
        fileSize = static_cast<std::uint64_t>(in.tellg());
        if (fileSize < endRecordSize) failRewrite();
        // The book has no comment yet, so its end record is its last bytes.
        record = readRange(in, fileSize - endRecordSize, endRecordSize);
        if (!record.starts_with(endRecordSignature) || number(record, 20, 2) != 0) failRewrite();
        const std::uint32_t centralSize = number(record, 12, 4), centralOffset = number(record, 16, 4);
        if (std::uint64_t{centralOffset} + centralSize > fileSize - endRecordSize) failRewrite();
        central = readRange(in, centralOffset, centralSize);
        std::vector<std::uint64_t> offsets{centralOffset};
        bool found = false;
        for (std::size_t at = 0; at < central.size();) {
            if (central.size() - at < centralHeaderSize || !central.substr(at).starts_with(centralSignature))
                failRewrite();
            const std::size_t nameLength = number(central, at + 28, 2);
            const std::size_t size =
                centralHeaderSize + nameLength + number(central, at + 30, 2) + number(central, at + 32, 2);
            if (at + size > central.size()) failRewrite();
            if (std::string_view(central).substr(at + centralHeaderSize, nameLength) == appEntry) {
                app = entries.size();
                found = true;
            }
            offsets.push_back(number(central, at + 42, 4));
            entries.push_back(at);
            at += size;
        }
        if (!found) failRewrite();
        const std::size_t appHeader = entries[app];
        appStart = number(central, appHeader + 42, 4);
        // The entry runs up to the next one in the file, or to the central directory.
        std::sort(offsets.begin(), offsets.end());
        appEnd = *std::upper_bound(offsets.begin(), offsets.end(), appStart);
        const std::string local = readRange(in, appStart, localHeaderSize);
        if (!local.starts_with(localSignature)) failRewrite();
        const std::uint64_t dataStart =
            appStart + localHeaderSize + number(local, 26, 2) + number(local, 28, 2);
        const std::uint32_t packedSize = number(central, appHeader + 20, 4),
                            size = number(central, appHeader + 24, 4);
        const std::uint16_t method = static_cast<std::uint16_t>(number(central, appHeader + 10, 2));
        if (dataStart + packedSize > appEnd || (method != storedMethod && method != deflatedMethod))
            failRewrite();
        const std::string data = readRange(in, dataStart, packedSize);
        const std::string xml =
            withApplication(method == storedMethod ? data : inflated(data, size), program);
        const auto checksum = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(xml.data()), static_cast<uInt>(xml.size())));
        // Stored whole after a header that gives its sizes, in the directory the same.
        const std::uint16_t flags =
            static_cast<std::uint16_t>(number(central, appHeader + 8, 2) & ~sizesFollowData);
        std::string header(localHeaderSize, '\0');
        header.replace(0, 4, localSignature);
        setNumber(header, 4, 2, 20);
        setNumber(header, 6, 2, flags);
        setNumber(header, 8, 2, storedMethod);
        setNumber(header, 10, 4, number(central, appHeader + 12, 4)); // time and date
        setNumber(header, 14, 4, checksum);
        setNumber(header, 18, 4, static_cast<std::uint32_t>(xml.size()));
        setNumber(header, 22, 4, static_cast<std::uint32_t>(xml.size()));
        setNumber(header, 26, 2, static_cast<std::uint32_t>(appEntry.size()));
        newEntry = header + std::string(appEntry) + xml;
        setNumber(central, appHeader + 8, 2, flags);
        setNumber(central, appHeader + 10, 2, storedMethod);
        setNumber(central, appHeader + 16, 4, checksum);
        setNumber(central, appHeader + 20, 4, static_cast<std::uint32_t>(xml.size()));
        setNumber(central, appHeader + 24, 4, static_cast<std::uint32_t>(xml.size()));
    }
    // Every entry after the rewritten one moves by the difference in length.
    const std::int64_t shift =
        static_cast<std::int64_t>(newEntry.size()) - static_cast<std::int64_t>(appEnd - appStart);
    const auto moved = [shift](std::uint64_t offset) {
        const auto value = static_cast<std::int64_t>(offset) + shift;
        if (value < 0 || value > 0xFFFFFFFE) failRewrite();
        return static_cast<std::uint32_t>(value);
    };
    for (const std::size_t at : entries)
        if (const std::uint32_t offset = number(central, at + 42, 4); offset > appStart)
            setNumber(central, at + 42, 4, moved(offset));
    const std::uint32_t centralOffset = number(record, 16, 4);
    setNumber(record, 16, 4, moved(centralOffset));

    const std::string rewritten = file + ".app";
    {
        std::ifstream in(file, std::ios::binary);
        std::ofstream out(rewritten, std::ios::binary | std::ios::trunc);
        if (!in || !out) failRewrite();
        copyRange(in, out, 0, appStart);
        out.write(newEntry.data(), static_cast<std::streamsize>(newEntry.size()));
        copyRange(in, out, appEnd, centralOffset);
        out.write(central.data(), static_cast<std::streamsize>(central.size()));
        out.write(record.data(), static_cast<std::streamsize>(record.size()));
        if (!out.flush()) failRewrite();
    }
    std::error_code error;
    std::filesystem::rename(rewritten, file, error);
    if (error) failRewrite();
}

} // namespace qianyan
