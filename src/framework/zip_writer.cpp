#include "framework/zip_writer.h"

#include "platform/platform.h"

#include <algorithm>
#include <ctime>
#include <limits>

namespace qianyan {

namespace {

constexpr std::size_t deflatedBufferSize = 1 << 18;
constexpr std::uint64_t plainLimit = 0xFFFFFFFF; // the extended format's marker, not a size
constexpr std::uint16_t versionNeeded = 20;
constexpr std::uint16_t deflatedMethod = 8;
constexpr std::uint16_t sizesFollowData = 0x8;

[[noreturn]] void failBook(const std::string& why) {
    throw PlatformError("无法生成Excel工作簿：" + why);
}

// Every number of a zip archive is least significant byte first.
void put(std::string& bytes, std::uint64_t value, int size) {
    for (int k = 0; k < size; ++k) bytes += k < 8 ? static_cast<char>(value >> (8 * k)) : '\0';
}

std::uint32_t plain(std::uint64_t value) {
    if (value >= plainLimit) failBook("工作簿超过4 GB");
    return static_cast<std::uint32_t>(value);
}

} // namespace

Deflater::Deflater(ByteSink out, int level) : out_(std::move(out)), buffer_(deflatedBufferSize) {
    if (deflateInit2(&stream_, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        failBook("内存不足");
}

Deflater::~Deflater() {
    deflateEnd(&stream_);
}

void Deflater::write(std::string_view bytes) {
    checksum_ = static_cast<std::uint32_t>(
        crc32_z(checksum_, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
    size_ += bytes.size();
    while (!bytes.empty()) {
        const std::size_t piece = std::min<std::size_t>(bytes.size(), std::numeric_limits<uInt>::max());
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        stream_.avail_in = static_cast<uInt>(piece);
        deflateInput(Z_NO_FLUSH);
        bytes.remove_prefix(piece);
    }
}

void Deflater::end(bool last) {
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    deflateInput(last ? Z_FINISH : Z_SYNC_FLUSH);
}

void Deflater::deflateInput(int flush) {
    for (;;) {
        stream_.next_out = buffer_.data();
        stream_.avail_out = static_cast<uInt>(buffer_.size());
        const int result = deflate(&stream_, flush);
        if (result == Z_STREAM_ERROR) failBook("压缩失败");
        const std::size_t made = buffer_.size() - stream_.avail_out;
        if (made > 0) out_(std::string_view(reinterpret_cast<const char*>(buffer_.data()), made));
        // Done when deflate had room to spare: all input taken and, for a flush, all of it written.
        if (stream_.avail_out != 0 || result == Z_STREAM_END) return;
    }
}

ZipWriter::ZipWriter(ByteSink out) : out_(std::move(out)) {
    // The entries' time, as the archive's format keeps it: local time in two-second steps from 1980.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) && local.tm_year >= 80) {
        time_ = static_cast<std::uint16_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
        date_ =
            static_cast<std::uint16_t>((local.tm_year - 80) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    }
}

void ZipWriter::add(std::string_view name, std::string_view bytes) {
    begin(name);
    Deflater deflater([this](std::string_view deflated) { raw(deflated); });
    deflater.write(bytes);
    deflater.end(true);
    end(deflater.checksum(), deflater.size());
}

void ZipWriter::emit(std::string_view bytes) {
    out_(bytes);
    written_ += bytes.size();
}

void ZipWriter::begin(std::string_view name) {
    if (entries_.size() >= 0xFFFF) failBook("工作表过多");
    Entry& entry = entries_.emplace_back();
    entry.name = name;
    entry.offset = written_;
    std::string header;
    put(header, 0x04034b50, 4);
    put(header, versionNeeded, 2);
    put(header, sizesFollowData, 2);
    put(header, deflatedMethod, 2);
    put(header, time_, 2);
    put(header, date_, 2);
    put(header, 0, 12); // checksum and sizes: in the record after the data
    put(header, name.size(), 2);
    put(header, 0, 2);
    header += name;
    emit(header);
}

void ZipWriter::raw(std::string_view deflated) {
    entries_.back().packedSize += deflated.size();
    emit(deflated);
}

void ZipWriter::end(std::uint32_t checksum, std::uint64_t size) {
    Entry& entry = entries_.back();
    entry.checksum = checksum;
    entry.size = size;
    std::string record;
    put(record, 0x08074b50, 4);
    put(record, checksum, 4);
    put(record, plain(entry.packedSize), 4);
    put(record, plain(size), 4);
    emit(record);
}

void ZipWriter::finish(std::string_view comment) {
    if (comment.size() > 0xFFFF) failBook("工作簿无法标记");
    const std::uint64_t directoryOffset = written_;
    std::string directory;
    for (const Entry& entry : entries_) {
        put(directory, 0x02014b50, 4);
        put(directory, versionNeeded, 2); // made by
        put(directory, versionNeeded, 2);
        put(directory, sizesFollowData, 2);
        put(directory, deflatedMethod, 2);
        put(directory, time_, 2);
        put(directory, date_, 2);
        put(directory, entry.checksum, 4);
        put(directory, plain(entry.packedSize), 4);
        put(directory, plain(entry.size), 4);
        put(directory, entry.name.size(), 2);
        put(directory, 0, 8); // extra field, comment, disk, internal attributes
        put(directory, 0, 4); // external attributes
        put(directory, plain(entry.offset), 4);
        directory += entry.name;
    }
    const std::uint64_t directorySize = directory.size();
    put(directory, 0x06054b50, 4);
    put(directory, 0, 4); // this disk, the directory's disk
    put(directory, entries_.size(), 2);
    put(directory, entries_.size(), 2);
    put(directory, plain(directorySize), 4);
    put(directory, plain(directoryOffset), 4);
    put(directory, comment.size(), 2);
    directory += comment;
    emit(directory);
}

} // namespace qianyan
