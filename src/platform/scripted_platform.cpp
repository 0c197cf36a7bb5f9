#include "platform/scripted_platform.h"

#include "platform/legacy_text_file.h"

namespace qianyan {

ScriptedPlatform::ScriptedPlatform(std::string documentsFolder, DateTime clock)
    : clock(clock), folder_(std::move(documentsFolder)) {}

std::string ScriptedPlatform::documentsFolder() {
    ensureFolder(folder_);
    return folder_;
}

bool ScriptedPlatform::fileExists(const std::string& path) {
    return regularFileExists(path);
}
void ScriptedPlatform::checkReplaceable(const std::string& path) {
    qianyan::checkReplaceable(path);
}

void ScriptedPlatform::writeTextFile(const std::string& path, const LineSource& lines) {
    writeLegacyTextFile(path, lines);
}

std::string ScriptedPlatform::askSavePath(const std::string& suggestedPath, std::string_view) {
    if (savePaths.empty()) return suggestedPath;
    std::string path = std::move(savePaths.front());
    savePaths.pop_front();
    return path;
}

void ScriptedPlatform::writeUtf8File(const std::string& path, const LineSource& lines) {
    writeUtf8TextFile(path, lines);
}

std::string ScriptedPlatform::readFile(const std::string& path, std::size_t limit) {
    return readWholeFile(path, limit);
}

std::string ScriptedPlatform::askProjectPath(bool /*saving*/) {
    if (projectPaths.empty()) return {};
    std::string path = std::move(projectPaths.front());
    projectPaths.pop_front();
    return path;
}

bool ScriptedPlatform::askYesNo(std::string_view question) {
    record(Dialog::Kind::Question, question);
    if (answers.empty()) return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

SaveChoice ScriptedPlatform::askSaveDiscardCancel(std::string_view question) {
    record(Dialog::Kind::Question, question);
    if (saveChoices.empty()) return defaultSaveChoice;
    const SaveChoice choice = saveChoices.front();
    saveChoices.pop_front();
    return choice;
}

void ScriptedPlatform::inform(std::string_view message) {
    record(Dialog::Kind::Information, message);
}
void ScriptedPlatform::reportError(std::string_view message) {
    record(Dialog::Kind::Error, message);
}
void ScriptedPlatform::openLink(std::string_view link) {
    record(Dialog::Kind::Link, link);
}
void ScriptedPlatform::showAboutWindow() {
    record(Dialog::Kind::About, "关于");
}

void ScriptedPlatform::record(Dialog::Kind kind, std::string_view text) {
    dialogs.push_back({kind, std::string(text)});
    if (observer) observer(dialogs.back());
}

} // namespace qianyan
