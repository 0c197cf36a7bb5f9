#include "platform/scripted_platform.h"

#include "platform/legacy_text_file.h"

namespace qianyan {

namespace {

// The next scripted answer, or the fallback once the script has none left.
template <class T> T nextAnswer(std::deque<T>& answers, T fallback) {
    if (answers.empty()) return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

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
    return nextAnswer(savePaths, suggestedPath);
}

void ScriptedPlatform::writeUtf8File(const std::string& path, const LineSource& lines) {
    writeUtf8TextFile(path, lines);
}

std::string ScriptedPlatform::readFile(const std::string& path, std::size_t limit) {
    return readWholeFile(path, limit);
}

std::string ScriptedPlatform::askProjectPath(bool /*saving*/) {
    return nextAnswer(projectPaths, std::string());
}

bool ScriptedPlatform::askYesNo(std::string_view question) {
    record(Dialog::Kind::Question, question);
    return nextAnswer(answers, defaultAnswer);
}

SaveChoice ScriptedPlatform::askSaveDiscardCancel(std::string_view question) {
    record(Dialog::Kind::Question, question);
    return nextAnswer(saveChoices, defaultSaveChoice);
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
