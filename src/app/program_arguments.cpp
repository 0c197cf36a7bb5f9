#include "app/program_arguments.h"

namespace qianyan {

ProgramArguments readProgramArguments(const std::vector<std::string>& arguments) {
    ProgramArguments read;
    const auto refuse = [&](std::string why) {
        read.action = ProgramArguments::Action::Refused;
        read.refusal = std::move(why);
        return read;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--help" || a == "-h")) {
            read.action = ProgramArguments::Action::Help;
            return read;
        } else if (!optionsEnded && (a == "--version" || a == "-v")) {
            read.action = ProgramArguments::Action::Version;
            return read;
        } else if (!optionsEnded && a == "--screenshots") {
            read.action = ProgramArguments::Action::Screenshots;
            read.screenshotFolder = i + 1 < arguments.size() ? arguments[++i] : "docs/screenshots";
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            return refuse("未知选项“" + a + "”；qianyan --help 列出可用的选项");
        } else if (!read.projectFile.empty()) {
            return refuse("只能打开一个项目文件：“" + read.projectFile + "”之后又有“" + a + "”");
        } else {
            read.projectFile = a;
        }
    }
    return read;
}

std::string programHelp() {
    return "用法: qianyan [选项] [项目文件]\n"
           "\n"
           "嵌岩桩承载力计算：启动计算窗口选择界面；给出项目文件(.json)时，直接在其计算窗口中打开。\n"
           "\n"
           "选项:\n"
           "  -h, --help               显示本说明后退出\n"
           "  -v, --version            显示版本后退出\n"
           "  --screenshots [文件夹]   把每个窗口绘制成图片存入文件夹(默认 docs/screenshots)后退出\n"
           "\n"
           "批量计算与脚本驱动请用 qianyan-cli (qianyan-cli --help)。\n";
}

} // namespace qianyan
