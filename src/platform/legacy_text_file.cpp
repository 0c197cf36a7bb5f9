#include "platform/legacy_text_file.h"

#include "platform/byte_digest.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <iconv.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qianyan {

namespace {

// Where a strict conversion stopped: the byte offset of the character the target cannot hold.
struct Unconvertible {
    std::size_t offset;
};

// Converts text between encodings through one iconv handle, kept open for every line of a file. A strict
// converter throws Unconvertible where a lenient one writes "?".
class Converter {
public:
    Converter(const char* to, const char* from, bool strict = false)
        : cd_(iconv_open(to, from)), fromUtf8_(std::strcmp(from, "UTF-8") == 0), strict_(strict) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw PlatformError(std::string("无法转换字符编码：") + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends text converted; ASCII stays as it is in both encodings and is copied without iconv.
    void append(std::string& out, std::string_view text) {
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t j = i;
            while (j < text.size() && static_cast<unsigned char>(text[j]) < 0x80) ++j;
            out.append(text.data() + i, j - i);
            i = j;
            while (j < text.size() && static_cast<unsigned char>(text[j]) >= 0x80) ++j;
            if (j > i) convertRun(out, text.substr(i, j - i), i);
            i = j;
        }
    }

private:
    void convertRun(std::string& out, std::string_view text, std::size_t offset) {
        const std::size_t start = out.size();
        out.resize(start + text.size() * 2 + 16);
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        char* outPtr = out.data() + start;
        size_t outLeft = out.size() - start;
        const auto grow = [&] {
            const size_t used = static_cast<size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        };
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                grow();
                continue;
            }
            if (strict_) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                throw Unconvertible{offset + static_cast<std::size_t>(in - text.data())};
            }
            // A character the target cannot hold, or a broken sequence: write "?" and skip the whole
            // source character (one UTF-8 sequence, or one byte of anything else).
            size_t skip = 1;
            if (fromUtf8_)
                while (skip < inLeft && skip < 4 && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                    ++skip;
            in += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
            if (outLeft == 0) grow();
            *outPtr++ = '?';
            --outLeft;
        }
        out.resize(static_cast<size_t>(outPtr - out.data()));
    }

    iconv_t cd_;
    bool fromUtf8_;
    bool strict_;
};

// The UTF-8 sequence starting at offset (one byte when it starts none), and the word around it: the text
// between the blanks either side, as the person typed it into one input.
std::string unsavableMessage(std::string_view text, std::size_t offset) {
    std::size_t length = 1;
    while (offset + length < text.size() && length < 4 &&
           (static_cast<unsigned char>(text[offset + length]) & 0xC0) == 0x80)
        ++length;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '|'; };
    std::size_t start = offset, end = offset + length;
    while (start > 0 && !blank(text[start - 1])) --start;
    while (end < text.size() && !blank(text[end])) ++end;
    return "“" + std::string(text.substr(start, end - start)) + "”中的字符“" +
           std::string(text.substr(offset, length)) +
           "”不能存入 GBK 编码的文本文件，未保存任何内容；请在输入中改用其他字符（PDF 和 Excel "
           "文件可保留它）";
}

std::string convert(std::string_view text, const char* to, const char* from) {
    Converter converter(to, from);
    std::string out;
    converter.append(out, text);
    return out;
}

// The system's reason in Chinese: the person reads it in a message box of a Chinese program.
std::string reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case ENOSPC:
    case EDQUOT:
        return "磁盘空间不足";
    case EFBIG:
        return "文件超过系统允许的大小";
    case ENOENT:
        return "文件夹不存在";
    case EROFS:
        return "存储设备只读";
    case EISDIR:
        return "已有同名文件夹";
    case ENOTDIR:
        return "路径中有不是文件夹的部分";
    case ENAMETOOLONG:
        return "路径或文件名过长";
    case ELOOP:
        return "路径中的链接过多";
    case EMFILE:
    case ENFILE:
        return "打开的文件过多";
    case EBUSY:
    case ETXTBSY:
        return "文件正被占用";
    case EIO:
        return "存储设备读写出错";
    default:
        return "系统错误（代码 " + std::to_string(error) + "）";
    }
}

[[noreturn]] void fail(const std::string& path, int error) {
    throw PlatformError("文件“" + path + "”写入失败：" + reason(error));
}

// What an existing target allows: a folder is never written over, nor a file nobody may write.
void refuseUnreplaceable(const std::string& path, const struct stat& target, bool writable) {
    if (S_ISDIR(target.st_mode)) throw PlatformError("“" + path + "”是文件夹，不能保存为文件");
    // Root may write anything; a file without any write bit is still meant to be kept.
    if (!writable || (target.st_mode & 0222) == 0) throw PlatformError("文件“" + path + "”只读，未覆盖");
}

// The error number of a failed write, 0 when every byte went out.
constexpr std::size_t blockSize = 1u << 20;

int writeAll(int fd, const char* p, size_t left) {
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return 0;
}

// A file descriptor closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now, so that a failing close is seen; the error number, 0 when it closed.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::pair<std::string, std::string> splitPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A file is reached by its folder and bare name, so only the name itself counts against the system's
// limits; the folder needs no read permission for that.
int openFolder(const std::string& folderPath) {
    return ::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// What is at path, looked up as the writer will find it; false when nothing is.
bool lookUp(const std::string& path, struct stat& target, bool& writable) {
    const auto [folderPath, name] = splitPath(path);
    Descriptor folder(openFolder(folderPath));
    if (folder.get() < 0 || ::fstatat(folder.get(), name.c_str(), &target, 0) != 0) return false;
    writable = ::faccessat(folder.get(), name.c_str(), W_OK, AT_EACCESS) == 0;
    return true;
}

// A new file in the folder under a short name of its own (a name near the length limit must not fail
// for the sake of the temporary one), created with 0666 so that the umask applies.
std::pair<int, std::string> createTemporary(int folder, const std::string& path) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".qianyan-%08x", random());
        const int fd = ::openat(folder, name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return {fd, name};
        if (errno != EEXIST) fail(path, errno);
    }
    fail(path, EEXIST);
}

// Copies the finished temporary file into the target itself; the error number, 0 when all went in.
int copyInto(int from, int to) {
    if (::lseek(from, 0, SEEK_SET) != 0) return errno;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        if (const int error = writeAll(to, buffer.data(), static_cast<size_t>(n))) return error;
    }
    return ::fsync(to) == 0 ? 0 : errno;
}

} // namespace

std::string toGbk(std::string_view utf8) {
    return convert(utf8, "GBK", "UTF-8");
}
std::string fromGbk(std::string_view gbk) {
    return convert(gbk, "UTF-8", "GBK");
}

int gbkLength(char32_t codePoint) {
    // Every character of the basic plane converted once; GBK holds nothing beyond it.
    static const std::vector<std::uint8_t> lengths = [] {
        std::vector<std::uint8_t> table(0x10000, 0);
        Converter gbk("GBK", "UTF-8");
        std::string out;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c < 0x80) {
                table[c] = 1;
                continue;
            }
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            char utf8[3];
            std::size_t n = 0;
            if (c < 0x800) {
                utf8[n++] = static_cast<char>(0xC0 | (c >> 6));
            } else {
                utf8[n++] = static_cast<char>(0xE0 | (c >> 12));
                utf8[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            }
            utf8[n++] = static_cast<char>(0x80 | (c & 0x3F));
            out.clear();
            gbk.append(out, std::string_view(utf8, n));
            // A character GBK cannot hold comes out as "?", which no character it holds does.
            if (out != "?") table[c] = static_cast<std::uint8_t>(out.size());
        }
        return table;
    }();
    return codePoint < lengths.size() ? lengths[codePoint] : 0;
}

namespace {

// Which characters of the basic plane GBK holds, asked of iconv once per character: a sheet's lines are
// then checked at the speed of reading them, which matters on the thread that asks before a save.
const std::vector<bool>& gbkCharacters() {
    static const std::vector<bool> held = [] {
        std::vector<bool> table(0x10000);
        const iconv_t cd = iconv_open("GBK", "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1)) return table; // nothing is sure: iconv decides
        for (char32_t c = 0x80; c < 0x10000; ++c) {
            if (c >= 0xD800 && c < 0xE000) continue;
            char bytes[3] = {static_cast<char>(c < 0x800 ? 0xC0 | (c >> 6) : 0xE0 | (c >> 12)),
                             static_cast<char>(0x80 | ((c >> (c < 0x800 ? 0 : 6)) & 0x3F)),
                             static_cast<char>(0x80 | (c & 0x3F))};
            char out[8];
            char* in = bytes;
            char* outPtr = out;
            size_t inLeft = c < 0x800 ? 2 : 3, outLeft = sizeof out;
            table[c] = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        iconv_close(cd);
        return table;
    }();
    return held;
}

// Whether every character of line is one GBK surely holds: ASCII, or a well-formed two- or three-byte
// sequence of a character in the table. Anything else is left to iconv.
bool surelyGbk(std::string_view line) {
    const std::vector<bool>& held = gbkCharacters();
    const auto continuation = [&](std::size_t at) {
        return at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80;
    };
    for (std::size_t i = 0; i < line.size();) {
        const auto b = static_cast<unsigned char>(line[i]);
        char32_t c = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0 && continuation(i + 1)) {
            c = (static_cast<char32_t>(b & 0x1F) << 6) | (line[i + 1] & 0x3F);
            if (c < 0x80) return false;
            i += 2;
        } else if ((b & 0xF0) == 0xE0 && continuation(i + 1) && continuation(i + 2)) {
            c = (static_cast<char32_t>(b & 0x0F) << 12) | (static_cast<char32_t>(line[i + 1] & 0x3F) << 6) |
                (line[i + 2] & 0x3F);
            if (c < 0x800) return false;
            i += 3;
        } else {
            return false;
        }
        if (!held[c]) return false;
    }
    return true;
}

} // namespace

std::string whyNotGbk(const LineSource& lines) {
    Converter strict("GBK", "UTF-8", true);
    std::string out, why;
    lines([&](std::string_view line) {
        if (!why.empty() || surelyGbk(line)) return;
        try {
            out.clear();
            strict.append(out, line);
        } catch (const Unconvertible& u) {
            why = unsavableMessage(line, u.offset);
        }
    });
    return why;
}

void checkReplaceable(const std::string& path) {
    struct stat target {};
    bool writable = false;
    if (lookUp(path, target, writable)) refuseUnreplaceable(path, target, writable);
}

struct FileDraft::Parts {
    std::string path, temporaryName;
    Descriptor folder{-1}, file{-1};
    bool sameOwner = true;
    bool placed = false;
    std::string name;
};

FileDraft::FileDraft(const std::string& path) : parts_(std::make_unique<Parts>()) {
    Parts& p = *parts_;
    p.path = path;
    const auto [folderPath, name] = splitPath(path);
    p.name = name;
    p.folder.reset(openFolder(folderPath));
    if (p.folder.get() < 0) fail(path, errno);
    struct stat target {};
    const bool replacing = ::fstatat(p.folder.get(), name.c_str(), &target, 0) == 0;
    if (replacing)
        refuseUnreplaceable(path, target, ::faccessat(p.folder.get(), name.c_str(), W_OK, AT_EACCESS) == 0);

    auto [fd, temporaryName] = createTemporary(p.folder.get(), path);
    p.file.reset(fd);
    p.temporaryName = std::move(temporaryName);
    // A replaced file keeps its mode and, where the system lets us give the new file away, its owner.
    const auto fault = [&p](int error) {
        ::unlinkat(p.folder.get(), p.temporaryName.c_str(), 0); // no destructor runs for a draft not made
        fail(p.path, error);
    };
    if (replacing) {
        struct stat own {};
        if (::fstat(p.file.get(), &own) != 0) fault(errno);
        if (own.st_uid != target.st_uid || own.st_gid != target.st_gid)
            p.sameOwner = ::fchown(p.file.get(), target.st_uid, target.st_gid) == 0;
        if (::fchmod(p.file.get(), target.st_mode & 07777) != 0) fault(errno);
    }
}

FileDraft::~FileDraft() {
    if (parts_ && !parts_->placed) ::unlinkat(parts_->folder.get(), parts_->temporaryName.c_str(), 0);
}

int FileDraft::fd() const {
    return parts_->file.get();
}

std::string FileDraft::temporaryPath() const {
    return joinPath(splitPath(parts_->path).first, parts_->temporaryName);
}

void FileDraft::finish() {
    Parts& p = *parts_;
    if (p.file.get() < 0) return;
    if (::fsync(p.file.get()) != 0) fail(p.path, errno);
    if (const int error = p.file.close()) fail(p.path, error);
}

void FileDraft::commit() {
    finish();
    Parts& p = *parts_;
    if (!p.sameOwner) {
        // The person may write the file but not give a new one to its owner (a shared folder): the
        // finished text goes into the file itself, which keeps its owner. The draft is read by its name,
        // which a writer that replaces files whole (the workbook's) may have given to a new file.
        Descriptor from(::openat(p.folder.get(), p.temporaryName.c_str(), O_RDONLY | O_CLOEXEC));
        Descriptor into(::openat(p.folder.get(), p.name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (from.get() >= 0 && into.get() >= 0 && copyInto(from.get(), into.get()) == 0 && into.close() == 0)
            return; // the draft goes with the destructor
        // Cut short half-way: the finished temporary file takes its place after all, new owner or not.
    }
    if (::renameat(p.folder.get(), p.temporaryName.c_str(), p.folder.get(), p.name.c_str()) != 0)
        fail(p.path, errno);
    p.placed = true;
}

namespace {

// Writes a new file whole through fill (which returns an error number, 0 when all went out, or throws
// PlatformError) and puts it in place of path, or throws and leaves no trace.
void replaceWhole(const std::string& path, const std::function<int(int fd)>& fill) {
    FileDraft draft(path);
    if (const int error = fill(draft.fd())) fail(path, error);
    draft.commit();
}

} // namespace

// Converts the lines to GBK and writes them in blocks, each block written while the next is being made: a
// long table costs little more than its bytes take to write.
class GbkBlocks {
public:
    GbkBlocks(int fd, std::string path, ByteDigest* digest)
        : fd_(fd), path_(std::move(path)), digest_(digest) {
        buffer_.reserve(blockSize + 4096);
    }
    GbkBlocks(const GbkBlocks&) = delete;
    GbkBlocks& operator=(const GbkBlocks&) = delete;
    // A block still being written is waited for: its bytes are not ours to drop half-way.
    ~GbkBlocks() {
        if (writing_.valid()) writing_.wait();
    }

    // A character GBK cannot hold fails the save: a "?" in its place could make two names one.
    void line(std::string_view utf8) {
        try {
            gbk_.append(buffer_, utf8);
        } catch (const Unconvertible& u) {
            throw PlatformError(unsavableMessage(utf8, u.offset));
        }
        buffer_ += "\r\n";
        if (buffer_.size() >= blockSize) flush();
    }
    // Writes what is left and waits until every byte went out; throws PlatformError.
    void finish() {
        flush();
        wait();
    }

private:
    void wait() {
        if (!writing_.valid()) return;
        if (const int error = writing_.get()) fail(path_, error);
    }
    void flush() {
        wait();
        writing_ = std::async(std::launch::async, [fd = fd_, digest = digest_, block = std::move(buffer_)] {
            if (digest) digest->add(block);
            return writeAll(fd, block.data(), block.size());
        });
        buffer_ = std::string();
        buffer_.reserve(blockSize + 4096);
    }

    int fd_;
    std::string path_;
    ByteDigest* digest_;
    Converter gbk_{"GBK", "UTF-8", true};
    std::string buffer_;
    std::future<int> writing_;
};

void writeLegacyTextFile(const std::string& path, const LineSource& lines) {
    replaceWhole(path, [&](int fd) {
        GbkBlocks blocks(fd, path, nullptr);
        lines([&](std::string_view line) { blocks.line(line); });
        blocks.finish();
        return 0;
    });
}

LegacyTextDraft::LegacyTextDraft(const std::string& path)
    : draft_(path), blocks_(std::make_unique<GbkBlocks>(draft_.fd(), path, &digest_)) {}

LegacyTextDraft::~LegacyTextDraft() = default;

void LegacyTextDraft::line(std::string_view utf8) {
    blocks_->line(utf8);
}

const ByteDigest& LegacyTextDraft::finish() {
    blocks_->finish();
    draft_.finish();
    return digest_;
}

void writeBinaryFile(const std::string& path, std::string_view bytes) {
    replaceWhole(path, [bytes](int fd) { return writeAll(fd, bytes.data(), bytes.size()); });
}

void writeBinaryFile(const std::string& path, const std::function<void(const ByteSink&)>& write) {
    replaceWhole(path, [&](int fd) {
        write([&](std::string_view bytes) {
            if (const int error = writeAll(fd, bytes.data(), bytes.size())) fail(path, error);
        });
        return 0;
    });
}

void writeUtf8TextFile(const std::string& path, const LineSource& lines) {
    std::string text;
    lines([&](std::string_view line) {
        text += line;
        text += '\n';
    });
    writeBinaryFile(path, text);
}

struct FileBlocks::Open {
    std::string path;
    std::size_t limit = 0, read = 0;
    Descriptor file{-1};
    char block[65536];
};

FileBlocks::FileBlocks(const std::string& path, std::size_t limit) : open_(std::make_unique<Open>()) {
    open_->path = path;
    open_->limit = limit;
    open_->file.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (open_->file.get() < 0 || ::fstat(open_->file.get(), &st) != 0) refuse(errno);
    if (S_ISDIR(st.st_mode)) refuse(EISDIR);
    if (!S_ISREG(st.st_mode)) throw PlatformError("“" + path + "”不是普通文件");
}

FileBlocks::~FileBlocks() = default;

void FileBlocks::refuse(int error) const {
    throw PlatformError("文件“" + open_->path + "”读取失败：" +
                        (error == ENOENT ? "文件不存在" : reason(error)));
}

std::string_view FileBlocks::next() {
    for (;;) {
        const ssize_t n = ::read(open_->file.get(), open_->block, sizeof open_->block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) refuse(errno);
        open_->read += static_cast<std::size_t>(n);
        if (open_->read > open_->limit)
            throw PlatformError("文件“" + open_->path + "”过大（超过 " + std::to_string(open_->limit >> 20) +
                                " MB）");
        return {open_->block, static_cast<std::size_t>(n)};
    }
}

std::string readWholeFile(const std::string& path, std::size_t limit) {
    FileBlocks file(path, limit);
    std::string text;
    for (std::string_view block = file.next(); !block.empty(); block = file.next()) text += block;
    return text;
}

bool regularFileExists(const std::string& path) {
    struct stat st {};
    bool writable = false;
    return lookUp(path, st, writable);
}

void ensureFolder(const std::string& folder) {
    // The folders this call makes, outermost first; a failure further down removes them again.
    std::vector<std::string> made;
    try {
        std::vector<std::string> missing;
        std::string at = folder;
        while (!at.empty() && at != "/") {
            struct stat st {};
            if (::stat(at.c_str(), &st) == 0) {
                if (!S_ISDIR(st.st_mode)) throw PlatformError("“" + at + "”不是文件夹");
                break;
            }
            missing.push_back(at);
            const auto slash = at.find_last_of('/');
            at = slash == std::string::npos ? std::string() : at.substr(0, slash);
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (::mkdir(it->c_str(), 0777) == 0)
                made.push_back(*it);
            else if (errno != EEXIST)
                throw PlatformError("无法创建文件夹“" + folder + "”：" + reason(errno));
        }
    } catch (...) {
        for (auto it = made.rbegin(); it != made.rend(); ++it) ::rmdir(it->c_str());
        throw;
    }
}

std::string joinPath(const std::string& folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string path = folder;
    if (path.back() != '/') path += '/';
    path += name;
    return path;
}

} // namespace qianyan
