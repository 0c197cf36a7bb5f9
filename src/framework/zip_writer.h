#pragma once
// A zip archive written front to back as its entries are made, never sought back into: each entry is
// deflated as it comes, and its checksum and sizes follow its data in a record of their own. An entry
// may be put together from runs deflated apart (a sheet's rows first, the head that depends on them
// later), since a run ended on a byte boundary is continued by the next as one stream.
#include "platform/legacy_text_file.h"

#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// A fast level of deflate: on a sheet of a million rows levels 1 to 3 take the same time within the
// noise, level 3 making a fifth fewer bytes than 1; from level 4 the time grows by half and more
// (bench/workbook_bench).
constexpr int fastDeflateLevel = 3;

// Raw deflate of one run of bytes into a sink, with the checksum and sizes of what went in.
class Deflater {
public:
    Deflater(ByteSink out, int level = fastDeflateLevel);
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    ~Deflater();

    void write(std::string_view bytes);
    // Ends the run: on a byte boundary that another run may continue, or (last) ending the stream.
    void end(bool last);

    std::uint32_t checksum() const { return checksum_; }
    std::uint64_t size() const { return size_; }

private:
    void deflateInput(int flush);

    ByteSink out_;
    z_stream stream_{};
    std::vector<unsigned char> buffer_;
    std::uint32_t checksum_ = 0;
    std::uint64_t size_ = 0;
};

// Throws PlatformError when the archive would need sizes or offsets beyond 4 GiB (the plain format's
// limit): a sheet holds at most 1,048,576 rows, whose XML stays well below it at any table this program
// writes, so a book that big is refused rather than written in the extended format.
class ZipWriter {
public:
    explicit ZipWriter(ByteSink out);

    // An entry of these bytes, deflated.
    void add(std::string_view name, std::string_view bytes);

    // An entry written in runs: begin, the deflated bytes through raw (a Deflater's sink), then end with
    // the checksum and size of everything that went into the runs.
    void begin(std::string_view name);
    void raw(std::string_view deflated);
    void end(std::uint32_t checksum, std::uint64_t size);

    // The directory of the entries and the archive's comment (at most 0xFFFF bytes).
    void finish(std::string_view comment);

private:
    struct Entry {
        std::string name;
        std::uint32_t checksum = 0;
        std::uint64_t packedSize = 0, size = 0, offset = 0;
    };
    void emit(std::string_view bytes);

    ByteSink out_;
    std::vector<Entry> entries_;
    std::uint64_t written_ = 0;
    std::uint16_t time_ = 0, date_ = 0;
};

} // namespace qianyan
