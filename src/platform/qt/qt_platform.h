#pragma once
// The desktop platform: the documents folder of the desktop, the one legacy-code-page file writer,
// message boxes, the local clock and the system's link handler. The dialogs are virtual so that a test
// can answer them without a person.
#include "platform/platform.h"

#include <functional>

class QTranslator;
class QWidget;

namespace qianyan {

class QtPlatform : public Platform {
public:
    std::string documentsFolder() override;
    bool fileExists(const std::string& path) override;
    void checkReplaceable(const std::string& path) override;
    void writeTextFile(const std::string& path, const LineSource& lines) override;
    void writeUtf8File(const std::string& path, const LineSource& lines) override;
    std::string readFile(const std::string& path, std::size_t limit) override;
    // A file dialog in the documents folder, over the window in use.
    std::string askProjectPath(bool saving) override;
    // Desktop systems have no separate storage permission.
    bool requestWritePermission() override { return true; }

    std::string askSavePath(const std::string& suggestedPath, std::string_view filter) override;
    bool askYesNo(std::string_view question) override;
    SaveChoice askSaveDiscardCancel(std::string_view question) override;
    void inform(std::string_view message) override;
    void reportError(std::string_view message) override;

    DateTime now() override;
    void openLink(std::string_view link) override;
    void showAboutWindow() override;

    // The program shows its About window through this; until it is set, © does nothing.
    void setAboutWindow(std::function<void()> show) { showAbout_ = std::move(show); }

private:
    std::function<void()> showAbout_;
};

// The program speaks Chinese throughout, so Qt's own dialogs (their buttons, the file and print dialogs)
// do too, whatever the system's language: Qt's translations as the system installs them, loaded into
// translator and installed. Whether they were found.
bool speakChineseInQtDialogs(QTranslator& translator);

} // namespace qianyan
