// Random sessions: a few thousand seeded commands a person could give, picked from each window's own
// declared controls, with the checks that must hold after every step. QIANYAN_SESSION_SEED=n replays a
// session; a failure names the seed, the step and the command.
#include "cli/calculators.h"
#include "framework/calculator_frame.h"
#include "framework/text_layout.h"
#include "platform/legacy_text_file.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qianyan {
namespace {

using testing::freshFolder;
using testing::savedLines;

constexpr int sessionSteps = 3000;
constexpr std::uint64_t defaultSeed = 20240506;
// Above this many candidates the workbench's 计算 is left alone, so that a session stays quick.
constexpr std::uint64_t sweepLimit = 300;

std::uint64_t sessionSeed() {
    const char* text = std::getenv("QIANYAN_SESSION_SEED");
    return text && *text ? std::strtoull(text, nullptr, 10) : defaultSeed;
}

// What a person types or pastes: plain numbers and the texts that have broken programs before.
const std::vector<std::string>& personTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t{
            "0",    "1",     "2",        "3",        "-1",      "-250",     "800",    "1000",  "1200",
            "1500", "2.5",   "30",       "0.001",    "1e400",   "-1e400",   "1e-320", "9e307", "nan",
            "NaN",  "inf",   "-inf",     "abc",      "C30",     "C60",      "2.0d",   "1.5d",  "",
            "  ",   "1,500", "12,000.5", "1200\r\n", "\t800\t", "12\r\n34", "3\t4",   "嵌岩",  "-0"};
        t.push_back(std::string(10000, '9'));
        t.push_back(std::string(3000, 'x') + "岩");
        return t;
    }();
    return texts;
}

// A text as a replayable driver word: control characters escaped, long texts cut.
std::string shown(const std::string& text) {
    std::string out = "\"";
    std::size_t cut = std::min<std::size_t>(text.size(), 40);
    while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) ++cut;
    for (const char c : text.substr(0, cut)) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    if (cut < text.size()) out += "…(" + std::to_string(text.size()) + " bytes)";
    return out + "\"";
}

// A word of letters that reads as a non-finite number ("nan", "-inf", "Infinity" …), or a control
// character (a label's notes may break lines).
bool badText(std::string_view text, bool lineBreaks = false) {
    for (const char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && !(lineBreaks && (c == '\n' || c == '\r'))) || c == 0x7F)
            return true;
    std::string word;
    const auto nonFinite = [&] { return word == "nan" || word == "inf" || word == "infinity"; };
    for (const char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            continue;
        }
        if (nonFinite()) return true;
        word.clear();
    }
    return nonFinite();
}

bool programColour(std::uint32_t colour) {
    return colour == argb::black || colour == argb::red || colour == argb::green || colour == argb::magenta ||
           colour == argb::blue;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Whether the line holds the label "ZH<number>" with no further digit after it.
bool holdsLabel(std::string_view line, int number) {
    const std::string label = "ZH" + std::to_string(number);
    for (std::size_t at = line.find(label); at != std::string_view::npos; at = line.find(label, at + 1)) {
        const std::size_t after = at + label.size();
        if (after == line.size() || !std::isdigit(static_cast<unsigned char>(line[after]))) return true;
    }
    return false;
}

class Session {
public:
    Session(std::string_view windowName, std::uint64_t seed)
        : documents_(freshFolder("session")), platform_(documents_.string(), {2024, 5, 6, 14, 3, 27}),
          window_(makeCalculator(windowName, platform_)), random_(seed) {
        std::filesystem::create_directories(documents_);
        for (const DeclaredControl& c : window_->declaration().all()) {
            firstTexts_[c.control] = c.control->text;
            if (const Grid* grid = c.asGrid()) {
                Table& cells = firstCells_[grid];
                for (std::size_t r = 0; r < grid->rows.rowCount(); ++r) {
                    cells.emplace_back();
                    for (std::size_t col = 0; col < grid->rows.columnCount(); ++col)
                        cells.back().emplace_back(grid->rows.cell(r, col));
                }
            }
        }
    }
    ~Session() { std::filesystem::remove_all(documents_); }

    // What a session reached, so that a change to the generator that stops reaching it shows.
    struct Reach {
        int mostDesigns = 0, sweeps = 0, savesCompared = 0;
    };
    const Reach& reach() const { return reach_; }

    // Runs the session; the first broken check, with its step and command, or nothing.
    std::string run(int steps) {
        for (int step = 1; step <= steps; ++step) {
            const std::string command = act();
            reach_.mostDesigns = std::max(reach_.mostDesigns, window_->sheet().designCount());
            const std::string broken = check();
            if (!broken.empty()) return "step " + std::to_string(step) + ": " + command + "\n  " + broken;
        }
        return {};
    }

private:
    template <class T> T pick(T count) { return std::uniform_int_distribution<T>(0, count - 1)(random_); }
    bool chance(int percent) { return pick(100) < percent; }

    std::string personText() {
        const auto& texts = personTexts();
        std::string text = texts[pick(texts.size())];
        typed_.insert(text);
        typed_.insert(oneLine(text));
        return text;
    }

    // One command a person could give to a control that is reachable now; its driver form.
    std::string act() {
        std::vector<const DeclaredControl*> reachable, buttons;
        for (const DeclaredControl& c : window_->declaration().all())
            if (c.name != "cbt_tuichu" && window_->reachable(c.name)) {
                reachable.push_back(&c);
                if (c.control->kind == ControlKind::Button) buttons.push_back(&c);
            }
        // Buttons get a fair share although a page has many more inputs.
        const auto& among = !buttons.empty() && chance(30) ? buttons : reachable;
        const DeclaredControl& c = *among[pick(among.size())];
        const std::string name(c.name);
        Control& control = *c.control;
        switch (control.kind) {
        case ControlKind::Button:
            return clickButton(name);
        case ControlKind::Edit:
        case ControlKind::EditableCombo:
            if (control.kind == ControlKind::EditableCombo && !control.items.empty() && chance(50))
                return choose(name, control);
            if (control.readOnly) break;
            {
                // Often the text the window started with, so that computations go through again.
                const std::string text = chance(40) ? firstTexts_[&control] : personText();
                window_->typeText(name, text);
                return "set " + name + " " + shown(text);
            }
        case ControlKind::ComboBox:
        case ControlKind::PopupList:
            if (!control.items.empty()) return choose(name, control);
            break;
        case ControlKind::CheckBox: {
            const bool on = chance(50);
            window_->setChecked(name, on);
            return "tick " + name + (on ? " 1" : " 0");
        }
        case ControlKind::TrackBar: {
            const std::string text = std::to_string(pick(60));
            window_->typeText(name, text);
            return "set " + name + " " + text;
        }
        case ControlKind::Grid:
            return gridCommand(name, static_cast<Grid&>(control));
        default:
            break;
        }
        return "(nothing on " + name + ")";
    }

    std::string choose(const std::string& name, const Control& list) {
        const int index = static_cast<int>(pick(list.items.size()));
        window_->chooseItem(name, index);
        return "choose " + name + " " + std::to_string(index);
    }

    std::string clickButton(const std::string& name) {
        if (name == "cbt_YHcompute") {
            if (sweepSize() > sweepLimit) return "(skipped a large sweep)";
            ++reach_.sweeps;
        }
        const bool savingSheet = name == "cbt_Save" && window_->cbt_Save.enabled;
        if (savingSheet) platform_.defaultAnswer = chance(50);
        window_->click(name);
        if (savingSheet && !window_->cbt_Save.enabled) savedSheetFile_ = newestFile();
        return "click " + name;
    }

    // The candidates the workbench's 计算 would sweep, read on a copy of the window; 0 when it refuses.
    std::uint64_t sweepSize() {
        WorkbenchCalculator* adapter = window_->workbenchAdapter();
        if (!adapter) return 0;
        const std::unique_ptr<CalculatorFrame> copy = adapter->clone();
        std::uint64_t total = 0;
        try {
            for (const LoopCounts& counts : copy->workbenchAdapter()->readOptionRows()) {
                std::uint64_t product = 1;
                for (const std::uint64_t count : counts)
                    if (__builtin_mul_overflow(product, count, &product)) return UINT64_MAX;
                if (__builtin_add_overflow(total, product, &total)) return UINT64_MAX;
            }
        } catch (...) {
            return 0;
        }
        return total;
    }

    std::string gridCommand(const std::string& name, Grid& grid) {
        const std::size_t rows = grid.rows.rowCount(), columns = grid.columns.size();
        const int what = static_cast<int>(pick(10));
        if (what < 6 && rows > 0) {
            // A cell a person can edit, found by a few tries.
            for (int attempt = 0; attempt < 20; ++attempt) {
                const int row = static_cast<int>(pick(rows)), column = static_cast<int>(pick(columns));
                if (!window_->cellEditable(name, row, column)) continue;
                // Often the cell's first text or another text of the row (another bound of a range), so
                // that sweeps stay small and computations go through again.
                const auto r = static_cast<std::size_t>(row), col = static_cast<std::size_t>(column);
                const Table& first = firstCells_[&grid];
                std::string text;
                if (chance(40) && r < first.size() && col < first[r].size())
                    text = first[r][col];
                else if (chance(50))
                    text = grid.rows.cell(r, pick(grid.rows.columnCount()));
                else
                    text = personText();
                window_->editCell(name, row, column, text);
                return "cell " + name + " " + std::to_string(row) + " " + std::to_string(column) + " " +
                       shown(text);
            }
        }
        if (what < 8 && rows > 0) {
            const int row = static_cast<int>(pick(rows));
            window_->doubleClick(name, row);
            return "dblclick " + name + " " + std::to_string(row);
        }
        if (columns == 0) return "(nothing on " + name + ")";
        const int column = static_cast<int>(pick(columns));
        window_->headerClick(name, column);
        return "header " + name + " " + std::to_string(column);
    }

    std::filesystem::path newestFile() const {
        std::filesystem::path newest;
        std::filesystem::file_time_type newestTime{};
        for (const auto& entry : std::filesystem::directory_iterator(documents_))
            if (newest.empty() || entry.last_write_time() > newestTime) {
                newest = entry.path();
                newestTime = entry.last_write_time();
            }
        return newest;
    }

    // --- The checks after every step ---

    std::string check() {
        const CalculationSheet& sheet = window_->sheet();
        const int n = sheet.designCount();
        if (std::string broken = checkXls(sheet.xls(), n); !broken.empty()) return "Xls sheet: " + broken;
        if (std::string broken = checkDoc(sheet.doc(), n); !broken.empty()) return "Doc sheet: " + broken;
        if (sheet.nextPileLabel() != "ZH" + std::to_string(n + 1))
            return "next label " + sheet.nextPileLabel();
        for (const auto* lines : {&sheet.xls(), &sheet.doc()})
            for (const std::string& line : *lines)
                if (badText(line)) return "sheet line " + shown(line);
        for (const DeclaredControl& c : window_->declaration().all()) {
            const Control& control = *c.control;
            if (!programColour(control.color)) return std::string(c.name) + " has a foreign colour";
            if (badText(control.text, control.kind == ControlKind::Label) && !typed_.contains(control.text))
                return std::string(c.name) + " holds " + shown(control.text);
            if (const Grid* grid = c.asGrid()) {
                if (std::string broken = checkGrid(c.name, *grid); !broken.empty()) return broken;
            }
        }
        const PileDrawing drawing = window_->pileDrawing();
        for (const DrawingView* view : {&drawing.section, &drawing.elevation}) {
            if (!view->finite()) return "a pile drawing coordinate that is not finite";
            for (const DrawingText& t : view->texts)
                if (badText(t.text)) return "pile drawing text " + shown(t.text);
        }
        if (!savedSheetFile_.empty()) {
            const std::filesystem::path file = std::exchange(savedSheetFile_, {});
            ++reach_.savesCompared;
            const bool doc = window_->meo_jisuanjieguo_Doc.visible;
            std::vector<std::string> expected;
            for (const std::string& line : doc ? sheet.doc() : sheet.xls())
                expected.push_back(fromGbk(toGbk(line)));
            if (savedLines(file) != expected)
                return "saved file " + file.filename().string() + " differs from the sheet";
        }
        return {};
    }

    std::string checkGrid(std::string_view name, const Grid& grid) {
        for (std::size_t r = 0; r < grid.rows.rowCount(); ++r) {
            if (!programColour(window_->rowColor(name, r))) return std::string(name) + " row colour";
            for (std::size_t col = 0; col < grid.rows.columnCount(); ++col) {
                const std::string_view cell = grid.rows.cell(r, col);
                if (badText(cell) && !typed_.contains(std::string(cell)))
                    return std::string(name) + " cell " + std::to_string(r) + "," + std::to_string(col) +
                           " holds " + shown(std::string(cell));
            }
        }
        return {};
    }

    // Empty, or header + n rows (ZH1 … ZHn) + the footer that ends with the time line.
    std::string checkXls(const std::vector<std::string>& xls, int n) {
        if (n == 0) {
            xlsHeader_ = 0;
            return xls.empty() ? "" : "lines without a design";
        }
        constexpr std::size_t footer = 4;
        if (xls.size() < footer + static_cast<std::size_t>(n) + 1) return "too few lines";
        if (!startsWith(xls.back(), timeLinePrefix)) return "no time line at the end";
        const std::size_t header = xls.size() - footer - static_cast<std::size_t>(n);
        // The header is written with the first design and stays as it is until the sheet is emptied.
        if (xlsHeader_ == 0) xlsHeader_ = header;
        if (header != xlsHeader_)
            return "a header of " + std::to_string(header) + " lines after one of " +
                   std::to_string(xlsHeader_);
        for (int k = 0; k < n; ++k)
            if (!holdsLabel(xls[header + static_cast<std::size_t>(k)], k + 1))
                return "row of ZH" + std::to_string(k + 1);
        return {};
    }

    // Empty, or n blocks (each ending with the block rule) + one time line.
    std::string checkDoc(const std::vector<std::string>& doc, int n) {
        if (n == 0) return doc.empty() ? "" : "lines without a design";
        if (doc.size() < 2 || !startsWith(doc.back(), timeLinePrefix) || doc[doc.size() - 2] != blockRule())
            return "does not end with a block and the time line";
        if (std::count(doc.begin(), doc.end(), blockRule()) != n)
            return "block count differs from " + std::to_string(n);
        return {};
    }

    std::filesystem::path documents_;
    ScriptedPlatform platform_;
    std::unique_ptr<CalculatorFrame> window_;
    std::mt19937_64 random_;
    std::set<std::string, std::less<>> typed_; // a person's own texts may read "nan"
    std::map<const Control*, std::string> firstTexts_;
    using Table = std::vector<std::vector<std::string>>;
    std::map<const Grid*, Table> firstCells_;
    std::filesystem::path savedSheetFile_;
    std::size_t xlsHeader_ = 0; // lines, while the Xls sheet holds a design
    Reach reach_;
};

class RandomSession : public ::testing::TestWithParam<std::string_view> {};

TEST_P(RandomSession, KeepsEveryWindowInvariant) {
    const std::uint64_t seed = sessionSeed();
    Session session(GetParam(), seed);
    const std::string broken = session.run(sessionSteps);
    EXPECT_EQ(broken, "") << "QIANYAN_SESSION_SEED=" << seed << " window " << GetParam();
    const auto& reach = session.reach();
    std::cout << "seed " << seed << ": up to " << reach.mostDesigns << " designs, " << reach.sweeps
              << " sweeps, " << reach.savesCompared << " saved sheets compared\n";
}

INSTANTIATE_TEST_SUITE_P(Windows, RandomSession, ::testing::ValuesIn(calculatorNames()),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
} // namespace qianyan
