#pragma once
// A session in one calculator window: commands a person could give, picked from the window's own
// declared controls (texts, choices, ticks, clicks, cell edits, header clicks, double-clicks, sheet
// saves), each followed by the session invariants. What is picked comes from a SessionChoices: a seeded
// generator for the random-session test, the fuzzer's bytes for the window fuzzers.
#include "cli/calculators.h"
#include "framework/calculator_frame.h"
#include "platform/scripted_platform.h"
#include "support/session_invariants.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan::testing {

class SessionChoices {
public:
    virtual ~SessionChoices() = default;
    // A number in [0, count), count > 0.
    virtual std::uint64_t pick(std::uint64_t count) = 0;
    // A text of the chooser's own to type, or nothing to take one of the person's usual texts.
    virtual std::optional<std::string> ownText() { return std::nullopt; }
    // Whether nothing is left to choose from, which ends the session.
    virtual bool exhausted() const { return false; }
};

// What a person types or pastes: plain numbers and the texts that have broken programs before.
inline const std::vector<std::string>& personTexts() {
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

class WindowSession {
public:
    // The documents folder must exist; the session saves its sheets there. Above sweepLimit candidates
    // the workbench's 计算 is left alone, so that a session stays quick.
    WindowSession(std::string_view windowName, const std::filesystem::path& documents,
                  SessionChoices& choices, std::uint64_t sweepLimit = 300)
        : sweepLimit_(sweepLimit), documents_(documents),
          platform_(documents.string(), {2024, 5, 6, 14, 3, 27}),
          window_(makeCalculator(windowName, platform_)), invariants_(*window_), choices_(choices) {
        noteFirstTexts();
    }
    // The same on a copy of a window that was never used (a fuzzer builds its window once and starts
    // each input on a copy, which costs less than building it).
    WindowSession(CalculatorFrame& unused, const std::filesystem::path& documents, SessionChoices& choices,
                  std::uint64_t sweepLimit = 300)
        : sweepLimit_(sweepLimit), documents_(documents),
          platform_(documents.string(), {2024, 5, 6, 14, 3, 27}), window_(copyOf(unused)),
          invariants_(*window_), choices_(choices) {
        window_->setPlatform(platform_);
        noteFirstTexts();
    }

    // What a session reached, so that a change to the generator that stops reaching it shows.
    struct Reach {
        int mostDesigns = 0, sweeps = 0, savesCompared = 0;
    };
    Reach reach() const { return {mostDesigns_, sweeps_, invariants_.savesCompared()}; }

    // Runs up to `steps` commands, ending early when the choices run out; the first broken check, with
    // its step and command, or nothing.
    std::string run(int steps) {
        for (int step = 1; step <= steps && !choices_.exhausted(); ++step) {
            const std::string command = act();
            mostDesigns_ = std::max(mostDesigns_, window_->sheet().designCount());
            const std::string broken = invariants_.check();
            if (!broken.empty()) return "step " + std::to_string(step) + ": " + command + "\n  " + broken;
        }
        return {};
    }

private:
    static std::unique_ptr<CalculatorFrame> copyOf(CalculatorFrame& window) {
        WorkbenchCalculator* adapter = window.workbenchAdapter();
        return adapter ? adapter->clone() : nullptr;
    }

    void noteFirstTexts() {
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

    std::uint64_t pick(std::uint64_t count) { return choices_.pick(count); }
    int pickIndex(std::size_t count) { return static_cast<int>(pick(count)); }
    bool chance(int percent) { return static_cast<int>(pick(100)) < percent; }

    std::string personText() {
        std::string text;
        if (std::optional<std::string> own = choices_.ownText())
            text = std::move(*own);
        else
            text = personTexts()[pick(personTexts().size())];
        invariants_.noteTyped(text);
        return text;
    }

    // One command a person could give to a control that is reachable now; its driver form.
    std::string act() {
        std::vector<const DeclaredControl*> reachable, buttons;
        for (const DeclaredControl& c : window_->declaration().all())
            if (c.name != "cbt_tuichu" && CalculatorFrame::reachable(c)) {
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
        const int index = pickIndex(list.items.size());
        window_->chooseItem(name, index);
        return "choose " + name + " " + std::to_string(index);
    }

    std::string clickButton(const std::string& name) {
        if (name == "cbt_YHcompute") {
            if (sweepSize() > sweepLimit_) return "(skipped a large sweep)";
            ++sweeps_;
        }
        const bool savingSheet = name == "cbt_Save" && window_->cbt_Save.enabled;
        if (savingSheet) platform_.defaultAnswer = chance(50);
        window_->click(name);
        if (savingSheet && !window_->cbt_Save.enabled) invariants_.noteSavedSheet(newestFile());
        return "click " + name;
    }

    // The candidates the workbench's 计算 would sweep, 0 when it refuses: read on a second window of the
    // session that takes the option grid (the count depends on nothing else), so that the window itself
    // is left as it is, and without copying it at every click.
    std::uint64_t sweepSize() {
        WorkbenchCalculator* adapter = window_->workbenchAdapter();
        if (!adapter) return 0;
        if (!counter_) counter_ = adapter->clone();
        counter_->workbench.Grid1_Youhuaxuanxiang.rows = window_->workbench.Grid1_Youhuaxuanxiang.rows;
        std::uint64_t total = 0;
        try {
            for (const LoopCounts& counts : counter_->workbenchAdapter()->readOptionRows()) {
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
        const int what = pickIndex(10);
        if (what < 6 && rows > 0) {
            // A cell a person can edit, found by a few tries.
            for (int attempt = 0; attempt < 20; ++attempt) {
                const int row = pickIndex(rows), column = pickIndex(columns);
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
            const int row = pickIndex(rows);
            window_->doubleClick(name, row);
            return "dblclick " + name + " " + std::to_string(row);
        }
        if (columns == 0) return "(nothing on " + name + ")";
        const int column = pickIndex(columns);
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

    std::uint64_t sweepLimit_;
    std::filesystem::path documents_;
    ScriptedPlatform platform_;
    std::unique_ptr<CalculatorFrame> window_;
    std::unique_ptr<CalculatorFrame> counter_; // where the sweep's candidates are counted
    SessionInvariants invariants_;
    SessionChoices& choices_;
    std::map<const Control*, std::string> firstTexts_;
    using Table = std::vector<std::vector<std::string>>;
    std::map<const Grid*, Table> firstCells_;
    int mostDesigns_ = 0, sweeps_ = 0;
};

} // namespace qianyan::testing
