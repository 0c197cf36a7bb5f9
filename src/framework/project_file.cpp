#include "framework/project_file.h"

#include "framework/calculator_registry.h"
#include "framework/text_layout.h"

#include <nlohmann/json.hpp>

#include <climits>

namespace qianyan {

namespace {

using nlohmann::json;

constexpr std::string_view formatName = "qianyan-project";

[[noreturn]] void damaged(std::string_view what) {
    throw WindowStateError("文件已损坏（" + std::string(what) + "）");
}

const json& member(const json& object, const char* key, json::value_t type) {
    const auto found = object.find(key);
    if (found == object.end()) damaged(std::string("缺少 ") + key);
    // Whole numbers of either sign read alike.
    const bool number = type == json::value_t::number_integer && found->is_number_integer();
    if (!number && found->type() != type) damaged(std::string(key) + " 的类型不对");
    return *found;
}

int smallInteger(const json& object, const char* key) {
    const std::int64_t value = member(object, key, json::value_t::number_integer).get<std::int64_t>();
    if (value < INT_MIN || value > INT_MAX) damaged(std::string(key) + " 超出范围");
    return static_cast<int>(value);
}

std::string text(const json& object, const char* key) {
    return member(object, key, json::value_t::string).get<std::string>();
}

InputState readInput(const json& item) {
    if (!item.is_object()) damaged("输入项不是对象");
    return {text(item, "name"), text(item, "text"), smallInteger(item, "item"),
            member(item, "checked", json::value_t::boolean).get<bool>()};
}

GridState readGrid(const json& item) {
    if (!item.is_object()) damaged("表格不是对象");
    GridState grid{text(item, "name"), {}};
    for (const json& row : member(item, "rows", json::value_t::array)) {
        if (!row.is_array()) damaged("表格行不是数组");
        auto& cells = grid.rows.emplace_back();
        for (const json& cell : row) {
            if (!cell.is_string()) damaged("表格单元不是文本");
            cells.push_back(cell.get<std::string>());
        }
    }
    return grid;
}

// A project file's JSON, its format and version checked.
json projectFile(std::string_view bytes) {
    json file = json::parse(bytes, nullptr, false);
    if (file.is_discarded() || !file.is_object()) damaged("不是 JSON 对象");
    const auto format = file.find("format");
    if (format == file.end() || !format->is_string() || format->get<std::string>() != formatName)
        throw WindowStateError("不是嵌岩项目文件");
    const int version = smallInteger(file, "version");
    if (version > projectFormatVersion)
        throw WindowStateError("文件来自更新的版本（格式 " + std::to_string(version) +
                               "），本程序只能打开格式 " + std::to_string(projectFormatVersion));
    if (version < 1) damaged("格式版本无效");
    return file;
}

} // namespace

std::string projectText(CalculatorFrame& window) {
    const WindowState state = captureState(window);
    // Written in this order for a person who reads the file; read by key.
    using ordered = nlohmann::ordered_json;
    ordered inputs = ordered::array(), grids = ordered::array();
    for (const InputState& input : state.inputs)
        inputs.push_back(
            {{"name", input.name}, {"text", input.text}, {"item", input.item}, {"checked", input.checked}});
    for (const GridState& grid : state.grids) grids.push_back({{"name", grid.name}, {"rows", grid.rows}});
    const ordered file = {{"format", formatName},
                          {"version", projectFormatVersion},
                          {"window", window.windowName()},
                          {"inputs", std::move(inputs)},
                          {"grids", std::move(grids)}};
    // A text the model never validated as UTF-8 (a pasted byte) is written with U+FFFD, not refused.
    return file.dump(1, ' ', false, ordered::error_handler_t::replace) + "\n";
}

std::string projectWindowName(std::string_view bytes) {
    return text(projectFile(bytes), "window");
}

WindowState readProjectText(CalculatorFrame& window, std::string_view bytes) {
    const json file = projectFile(bytes);
    const std::string owner = text(file, "window");
    if (owner != window.windowName()) {
        const std::string name = calculatorName(owner);
        throw WindowStateError(name.empty() ? "这不是本程序计算器的项目" : "这是“" + name + "”的项目");
    }
    WindowState state;
    for (const json& input : member(file, "inputs", json::value_t::array))
        state.inputs.push_back(readInput(input));
    for (const json& grid : member(file, "grids", json::value_t::array))
        state.grids.push_back(readGrid(grid));
    return state;
}

bool saveProject(CalculatorFrame& window, const std::string& path) {
    const std::string body = projectText(window);
    try {
        window.platform().checkReplaceable(path);
        window.platform().writeUtf8File(path, [&body](const LineSink& sink) {
            std::size_t start = 0;
            for (std::size_t end; (end = body.find('\n', start)) != std::string::npos; start = end + 1)
                sink(std::string_view(body).substr(start, end - start));
        });
        return true;
    } catch (const PlatformError& e) {
        window.platform().reportError(std::string("保存项目失败：") + e.what());
        return false;
    }
}

bool openProject(CalculatorFrame& window, const std::string& path) {
    try {
        const std::string bytes = window.platform().readFile(path, projectFileLimit);
        applyState(window, readProjectText(window, bytes));
        return true;
    } catch (const std::runtime_error& e) {
        // The reason may quote a name from the file.
        window.platform().reportError("打开项目失败：" + oneLine(e.what()));
        return false;
    }
}

std::string withProjectExtension(std::string path) {
    const std::size_t name = path.find_last_of('/') + 1; // 0 without a folder
    const std::size_t dot = path.find_last_of('.');
    // A leading dot names a hidden file, a trailing one no extension.
    if (dot != std::string::npos && dot > name && dot + 1 < path.size()) return path;
    if (path.empty() || path.back() != '.') path += '.';
    return path.append(projectFileExtension);
}

void saveProjectAsked(CalculatorFrame& window) {
    const std::string asked = window.platform().askProjectPath(true);
    if (asked.empty()) return;
    const std::string path = withProjectExtension(asked);
    // The dialog asked about the name as typed; a file of the name with the extension is asked about here.
    if (path != asked && window.platform().fileExists(path) &&
        !window.platform().askYesNo("文件已存在，是否覆盖?"))
        return;
    saveProject(window, path);
}

void openProjectAsked(CalculatorFrame& window) {
    const std::string path = window.platform().askProjectPath(false);
    if (!path.empty()) openProject(window, path);
}

} // namespace qianyan
