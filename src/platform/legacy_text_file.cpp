#include "platform/legacy_text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qianyan {

namespace {

std::string convert(std::string_view text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw PlatformError(std::string("无法转换字符编码：") + to);
    std::string out;
    out.resize(text.size() * 2 + 16);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = static_cast<size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // A character the target cannot hold, or a broken sequence: write "?" and skip the whole
        // source character (one UTF-8 sequence, or one byte of anything else).
        size_t skip = 1;
        if (std::strcmp(from, "UTF-8") == 0)
            while (skip < inLeft && skip < 4 && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
        in += skip;
        inLeft -= skip;
        if (outLeft == 0) {
            const size_t used = static_cast<size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        *outPtr++ = '?';
        --outLeft;
    }
    out.resize(static_cast<size_t>(outPtr - out.data()));
    iconv_close(cd);
    return out;
}

std::string reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM: return "没有写入权限";
    case ENOSPC: return "磁盘空间不足";
    case ENOENT: return "文件夹不存在";
    case EROFS: return "存储设备只读";
    default: return std::strerror(error);
    }
}

[[noreturn]] void fail(const std::string& path, int error) {
    throw PlatformError("文件“" + path + "”写入失败：" + reason(error));
}

void writeAll(int fd, const std::string& bytes, const std::string& path) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(path, errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
}

} // namespace

std::string toGbk(std::string_view utf8) { return convert(utf8, "GBK", "UTF-8"); }
std::string fromGbk(std::string_view gbk) { return convert(gbk, "UTF-8", "GBK"); }

void writeLegacyTextFile(const std::string& path, const LineSource& lines) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) fail(path, errno);
    ::fchmod(fd, 0644);
    try {
        std::string buffer;
        const auto flush = [&] {
            writeAll(fd, buffer, path);
            buffer.clear();
        };
        lines([&](std::string_view line) {
            buffer += toGbk(line);
            buffer += "\r\n";
            if (buffer.size() >= (1u << 20)) flush();
        });
        flush();
        if (::fsync(fd) != 0) fail(path, errno);
        if (::close(fd) != 0) {
            const int error = errno;
            ::unlink(temp.c_str());
            fail(path, error);
        }
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(path, error);
    }
}

bool regularFileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void ensureFolder(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return;
        throw PlatformError("“" + folder + "”不是文件夹");
    }
    const auto slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0) ensureFolder(folder.substr(0, slash));
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
        throw PlatformError("无法创建文件夹“" + folder + "”：" + reason(errno));
}

std::string joinPath(const std::string& folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string path = folder;
    if (path.back() != '/') path += '/';
    path += name;
    return path;
}

} // namespace qianyan
