#pragma once
// A platform driven by a script: a given documents folder, a fixed clock, answers given in advance,
// and every dialog recorded (and passed to an observer, such as the driver's output).
#include "platform/platform.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace qianyan {

class ScriptedPlatform : public Platform {
public:
    struct Dialog {
        enum class Kind { Question, Information, Error, Link, About } kind;
        std::string text;
    };
    using DialogObserver = std::function<void(const Dialog&)>;

    ScriptedPlatform(std::string documentsFolder, DateTime clock);

    std::string documentsFolder() override;
    bool fileExists(const std::string& path) override;
    void checkReplaceable(const std::string& path) override;
    void writeTextFile(const std::string& path, const LineSource& lines) override;
    void writeUtf8File(const std::string& path, const LineSource& lines) override;
    std::string readFile(const std::string& path, std::size_t limit) override;
    // The next of projectPaths; empty (cancelled) when none is left.
    std::string askProjectPath(bool saving) override;
    bool requestWritePermission() override { return permissionGranted; }
    std::string askSavePath(const std::string& suggestedPath, std::string_view filter) override;
    bool askYesNo(std::string_view question) override;
    SaveChoice askSaveDiscardCancel(std::string_view question) override;
    void inform(std::string_view message) override;
    void reportError(std::string_view message) override;
    DateTime now() override { return clock; }
    void openLink(std::string_view link) override;
    void showAboutWindow() override;

    DateTime clock;
    bool permissionGranted = true;
    // Answers to Yes/No questions, used in order; when none is left, defaultAnswer.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    // Answers to save/discard/cancel questions, used in order; when none is left, defaultSaveChoice.
    std::deque<SaveChoice> saveChoices;
    SaveChoice defaultSaveChoice = SaveChoice::Cancel;
    // Answers to save-path questions, used in order (an empty one declines); when none is left, the
    // suggested path.
    std::deque<std::string> savePaths;
    std::deque<std::string> projectPaths;
    std::vector<Dialog> dialogs;
    DialogObserver observer;

private:
    void record(Dialog::Kind kind, std::string_view text);
    std::string folder_;
};

} // namespace qianyan
