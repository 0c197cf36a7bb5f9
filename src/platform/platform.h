#pragma once
// Everything a window model reaches outside itself goes through this interface: the documents folder,
// text files in the legacy code page, dialogs, the clock, links and the other windows of the program.
// The desktop implements it with Qt; the scripted implementation serves the tests and the driver.
#include "platform/date_time.h"

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qianyan {

// A file operation that failed; the message says why, in Chinese.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

// Receives the lines of a text file one at a time, without line ends.
using LineSink = std::function<void(std::string_view line)>;
// Produces the lines of a text file into the sink it is given.
using LineSource = std::function<void(const LineSink&)>;

// The extension of project files, which the dialog of 打开项目 filters on.
inline constexpr std::string_view projectFileExtension = "json";

// The answer to a question about work that would be lost.
enum class SaveChoice { Save, Discard, Cancel };

class Platform {
public:
    virtual ~Platform() = default;

    // The user's documents folder, created when missing; throws PlatformError when it cannot be.
    virtual std::string documentsFolder() = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Throws PlatformError saying why when an existing path may not be written over (a folder, a
    // read-only file).
    virtual void checkReplaceable(const std::string& path) = 0;
    // Writes the lines whole (GBK, CR LF after every line, no byte-order mark) or throws
    // PlatformError and leaves an existing file as it was.
    virtual void writeTextFile(const std::string& path, const LineSource& lines) = 0;
    // Writes a UTF-8 text file whole (LF after every line) in the same safe way.
    virtual void writeUtf8File(const std::string& path, const LineSource& lines) = 0;
    // The bytes of a file of at most limit bytes; throws PlatformError saying why otherwise.
    virtual std::string readFile(const std::string& path, std::size_t limit) = 0;
    // The path of a project file to save (or to open): asked of the person among the files named
    // *.projectFileExtension; empty when cancelled.
    virtual std::string askProjectPath(bool saving) = 0;
    // The permission to write shared storage; false when refused.
    virtual bool requestWritePermission() = 0;

    // The path to save a file at, asked of the person starting from suggestedPath; filter names the kind
    // of file ("PDF (*.pdf)"). Empty when the person declines. The dialog itself asks before replacing.
    virtual std::string askSavePath(const std::string& suggestedPath, std::string_view filter) = 0;
    // A Yes/No question with No as the default; true for Yes.
    virtual bool askYesNo(std::string_view question) = 0;
    // A question about unsaved work with 保存, 不保存 and 取消: 保存 the default, Escape cancels.
    virtual SaveChoice askSaveDiscardCancel(std::string_view question) = 0;
    // An information box with an OK button.
    virtual void inform(std::string_view message) = 0;
    // A failure that ended an operation: a conversion failure or a failed write.
    virtual void reportError(std::string_view message) = 0;

    virtual DateTime now() = 0;
    virtual void openLink(std::string_view link) = 0;
    // The About window of the program run: created on first use, then shown again.
    virtual void showAboutWindow() = 0;
};

// path of a file named `name` in `folder`.
std::string joinPath(const std::string& folder, std::string_view name);

} // namespace qianyan
