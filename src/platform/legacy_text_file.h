#pragma once
// Writing the saved sheets and tables: GBK, CR LF after every line, no byte-order mark, written to a
// temporary file in the same folder and renamed over the target so that a failed write never damages
// an existing file.
#include "platform/byte_digest.h"
#include "platform/platform.h"

#include <memory>
#include <string>
#include <string_view>

namespace qianyan {

// Converts UTF-8 to GBK; a character GBK cannot hold becomes "?", as the legacy conversion does.
std::string toGbk(std::string_view utf8);
std::string fromGbk(std::string_view gbk);
// The bytes GBK keeps a character in: 1 for ASCII (and the euro sign), 2 for the other characters it
// holds, 0 for one it cannot hold.
int gbkLength(char32_t codePoint);
// Why the lines cannot be written as GBK: names the first character GBK cannot hold (or a broken
// sequence) and the word holding it; empty when every character can be written.
std::string whyNotGbk(const LineSource& lines);

// A line holding a character GBK cannot hold fails the write (whyNotGbk says why).
// Throws PlatformError with the reason in Chinese when the file cannot be written whole, and then leaves
// no trace: an existing file stays as it was and no temporary file remains. A new file gets the mode the
// umask allows; a replaced one keeps its mode and owner. A folder or a read-only file is never replaced.
void writeLegacyTextFile(const std::string& path, const LineSource& lines);
// A file written whole beside path: a temporary in the same folder, with the mode and owner of the file it
// will replace, that commit() puts in place of path. Destroyed uncommitted, it leaves no trace, so several
// files can be written side by side and put in place together only when every one is complete. Throws
// PlatformError saying why (a folder or a read-only file at path, a failed write).
class FileDraft {
public:
    explicit FileDraft(const std::string& path);
    FileDraft(const FileDraft&) = delete;
    FileDraft& operator=(const FileDraft&) = delete;
    ~FileDraft();

    // The temporary, open for writing; or write it by its path with a writer that replaces files whole.
    int fd() const;
    std::string temporaryPath() const;
    // Makes what was written through fd() durable and closes it.
    void finish();
    // Puts the temporary in place of path.
    void commit();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

class GbkBlocks;
// A GBK text file (as writeLegacyTextFile writes it) made a line at a time into its draft, the size and
// digest of its bytes taken as they go out.
class LegacyTextDraft {
public:
    explicit LegacyTextDraft(const std::string& path);
    ~LegacyTextDraft();
    void line(std::string_view utf8);
    // Writes what is left; the digest of the whole file.
    const ByteDigest& finish();
    void commit() { draft_.commit(); }

private:
    FileDraft draft_;
    ByteDigest digest_;
    std::unique_ptr<GbkBlocks> blocks_;
};

// The same for bytes written as they stand (a workbook, a PDF).
void writeBinaryFile(const std::string& path, std::string_view bytes);
// The same for bytes made as they are written (a workbook of a million rows): write hands each piece to
// the sink and may throw to abandon the file.
using ByteSink = std::function<void(std::string_view bytes)>;
void writeBinaryFile(const std::string& path, const std::function<void(const ByteSink&)>& write);
// The same safe write for UTF-8 text with LF line ends (project files).
void writeUtf8TextFile(const std::string& path, const LineSource& lines);
// The bytes of a regular file of at most limit bytes; throws PlatformError saying why otherwise.
std::string readWholeFile(const std::string& path, std::size_t limit);
// The same a block at a time, for a file too long to hold.
class FileBlocks {
public:
    FileBlocks(const std::string& path, std::size_t limit);
    FileBlocks(const FileBlocks&) = delete;
    FileBlocks& operator=(const FileBlocks&) = delete;
    ~FileBlocks();
    // The next block (valid until the next call); empty at the end.
    std::string_view next();

private:
    [[noreturn]] void refuse(int error) const;
    struct Open;
    std::unique_ptr<Open> open_;
};
// Throws PlatformError saying why when something at path may not be written over: a folder, a
// read-only file. Nothing there passes.
void checkReplaceable(const std::string& path);

// Whether anything, a folder included, has that name.
bool regularFileExists(const std::string& path);
// Creates the folder and its parents when missing; throws PlatformError when it cannot, having removed
// again what it made.
void ensureFolder(const std::string& folder);

} // namespace qianyan
