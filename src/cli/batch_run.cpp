#include "cli/batch_run.h"

#include "cli/batch_outputs.h"
#include "cli/pile_table.h"
#include "framework/text_layout.h"
#include "framework/window_state.h"
#include "platform/legacy_text_file.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

namespace qianyan {

namespace {

constexpr std::size_t tableFileLimit = 64u << 20;
constexpr std::string_view pileKeyHeaders[] = {"桩号", "pile"};

// A header or label without its blanks (ASCII and ideographic), which only align the face's rows.
std::string normalized(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with("\u3000")) {
            i += 2;
        } else if (text[i] != ' ' && text[i] != '\t') {
            out += text[i];
        }
    }
    return out;
}

struct TableColumn {
    enum class Kind { PileKey, Input, LayerCell } kind;
    const DeclaredControl* control = nullptr; // the input, or the layer grid
    std::size_t gridColumn = 0;
};

// What each header cell names; throws std::runtime_error for a cell that names nothing or several.
std::vector<TableColumn> mapHeader(CalculatorFrame& window, const std::vector<std::string>& header) {
    std::vector<TableColumn> columns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string wanted = normalized(header[i]);
        std::vector<TableColumn> found;
        if (std::ranges::find(pileKeyHeaders, wanted) != std::end(pileKeyHeaders))
            found.push_back({TableColumn::Kind::PileKey});
        for (const DeclaredControl& c : window.declaration().all()) {
            if (isInput(c)) {
                const std::string label = normalized(c.shownName());
                if (c.name == header[i] || (!label.empty() && label == wanted) ||
                    (!c.tableHeader.empty() && c.tableHeader == wanted))
                    found.push_back({TableColumn::Kind::Input, &c});
            } else if (isEditedGrid(c) && c.rowCountList) {
                const auto& gridColumns = c.asGrid()->columns;
                for (std::size_t g = 0; g < gridColumns.size(); ++g)
                    if (gridColumns[g].name == header[i] || normalized(gridColumns[g].header) == wanted)
                        found.push_back({TableColumn::Kind::LayerCell, &c, g});
            }
        }
        const std::string where = "表头第 " + std::to_string(i + 1) + " 列“" + header[i] + "”";
        if (found.empty()) throw std::runtime_error(where + "不是本窗口的输入");
        if (found.size() > 1) throw std::runtime_error(where + "所指不唯一，请改用控件名或列名");
        for (const TableColumn& earlier : columns)
            if (earlier.kind == found[0].kind && earlier.control == found[0].control &&
                earlier.gridColumn == found[0].gridColumn)
                throw std::runtime_error(where + "重复");
        columns.push_back(found[0]);
    }
    return columns;
}

// A row's problem: its line and why.
struct RowError {
    std::size_t line;
    std::string message;
};

std::string_view cellOf(const TableRecord& record, std::size_t column) {
    return column < record.cells.size() ? std::string_view(record.cells[column]) : std::string_view();
}

std::optional<bool> readTick(std::string_view text) {
    for (const std::string_view yes : {"1", "是", "true", "√"})
        if (text == yes) return true;
    for (const std::string_view no : {"0", "否", "false"})
        if (text == no) return false;
    return std::nullopt;
}

class PileRun {
public:
    PileRun(CalculatorFrame& window, ScriptedPlatform& platform, const std::vector<TableColumn>& columns)
        : window_(window), platform_(platform), columns_(columns) {}

    // Sets one pile's inputs and layers from its records and computes it under its pile number;
    // throws RowError. An input may be given on any of the pile's records, the same on every record that
    // gives it.
    void run(std::span<const TableRecord> records) {
        window_.nameNextPile({});
        for (std::size_t c = 0; c < columns_.size(); ++c)
            if (columns_[c].kind == TableColumn::Kind::PileKey)
                window_.nameNextPile(oneLine(cellOf(records[0], c)));
        for (std::size_t c = 0; c < columns_.size(); ++c)
            if (columns_[c].kind == TableColumn::Kind::Input)
                if (const TableRecord* given = givenOnce(records, c))
                    writeInput(given->line, *columns_[c].control, cellOf(*given, c));
        writeLayers(records);
        compute(records[0].line);
    }

private:
    // The first record that gives the input of column c; nullptr when none does.
    const TableRecord* givenOnce(std::span<const TableRecord> records, std::size_t c) const {
        const TableRecord* given = nullptr;
        for (const TableRecord& record : records) {
            const std::string_view text = cellOf(record, c);
            if (text.empty()) continue;
            if (!given) {
                given = &record;
            } else if (text != cellOf(*given, c)) {
                throw RowError{record.line, quotedName(*columns_[c].control) + "为“" + std::string(text) +
                                                "”，与本桩第 " + std::to_string(given->line) + " 行的“" +
                                                std::string(cellOf(*given, c)) + "”不同"};
            }
        }
        return given;
    }

    void writeInput(std::size_t line, const DeclaredControl& declared, std::string_view text) {
        Control& input = *declared.control;
        const std::string name = quotedName(declared);
        if (!input.enabled) throw RowError{line, name + "当前不可用"};
        InputState state{std::string(declared.name), std::string(text), -1, false};
        if (input.kind == ControlKind::CheckBox) {
            const std::optional<bool> tick = readTick(text);
            if (!tick) throw RowError{line, name + "只接受 1 或 0"};
            state.checked = *tick;
        } else if (input.kind == ControlKind::ComboBox || input.kind == ControlKind::PopupList) {
            const auto item = std::ranges::find(input.items, text);
            if (item == input.items.end()) throw RowError{line, name + "没有选项“" + std::string(text) + "”"};
            state.item = static_cast<int>(item - input.items.begin());
        }
        writeInputState(window_, declared, state);
    }

    void writeLayers(std::span<const TableRecord> records) {
        // Each layer grid takes as many rows as the pile has records up to the last that fills it.
        std::map<const DeclaredControl*, std::size_t> layers;
        for (std::size_t r = 0; r < records.size(); ++r)
            for (std::size_t c = 0; c < columns_.size(); ++c)
                if (columns_[c].kind == TableColumn::Kind::LayerCell && !cellOf(records[r], c).empty())
                    layers[columns_[c].control] = r + 1;
        for (const auto& [grid, count] : layers) {
            Control& list = *grid->rowCountList;
            const auto item = std::ranges::find(list.items, std::to_string(count));
            if (item == list.items.end())
                throw RowError{records[0].line,
                               quotedName(*grid) + "不能有 " + std::to_string(count) + " 层"};
            window_.selectInputItem(list, static_cast<int>(item - list.items.begin()));
        }
        for (std::size_t r = 0; r < records.size(); ++r)
            for (std::size_t c = 0; c < columns_.size(); ++c) {
                const TableColumn& column = columns_[c];
                const std::string_view text = cellOf(records[r], c);
                if (column.kind != TableColumn::Kind::LayerCell || text.empty()) continue;
                if (!window_.cellEditable(column.control->name, static_cast<int>(r),
                                          static_cast<int>(column.gridColumn)))
                    throw RowError{
                        records[r].line,
                        quotedName(*column.control) + "的“" +
                            shownLabel(column.control->asGrid()->columns[column.gridColumn].header) +
                            "”列当前不可填写"};
                writeGridCell(*column.control, r, column.gridColumn, text);
            }
    }

    void compute(std::size_t line) {
        const int designs = window_.sheet().designCount();
        const std::size_t dialogs = platform_.dialogs.size();
        window_.runEvent([&] { window_.cbt_computeClick(); });
        if (window_.sheet().designCount() > designs) return;
        if (window_.lb_shuoming.color == argb::red && !window_.lb_shuoming.text.empty())
            throw RowError{line, window_.lb_shuoming.text};
        for (std::size_t d = platform_.dialogs.size(); d > dialogs; --d)
            if (platform_.dialogs[d - 1].kind == ScriptedPlatform::Dialog::Kind::Error)
                throw RowError{line, platform_.dialogs[d - 1].text};
        throw RowError{line, "未能计算"};
    }

    CalculatorFrame& window_;
    ScriptedPlatform& platform_;
    const std::vector<TableColumn>& columns_;
};

struct Pile {
    std::vector<TableRecord> records;
    std::optional<RowError> error; // what keeps it from being computed, seen in the table alone
};

// The piles of a table in turn, read record by record after its header: one record, or consecutive records
// with the same pile number (a record without one is a pile of its own). In a window without layers a pile
// takes one record, and a repeated number fails its pile at the repeat.
class PileReader {
public:
    PileReader(TableReader& table, const std::vector<TableColumn>& columns, bool layered)
        : table_(table), layered_(layered) {
        const auto key = std::ranges::find_if(
            columns, [](const TableColumn& c) { return c.kind == TableColumn::Kind::PileKey; });
        if (key != columns.end()) keyColumn_ = static_cast<std::size_t>(key - columns.begin());
        table_.rewind();
        TableRecord header;
        table_.next(header);
        more_ = table_.next(ahead_);
    }

    bool numbered() const { return keyColumn_.has_value(); }
    std::string_view number(const TableRecord& record) const {
        return keyColumn_ ? cellOf(record, *keyColumn_) : std::string_view();
    }

    // The next pile; false after the last. Throws PlatformError when the table cannot be read on.
    bool next(Pile& pile) {
        if (!more_) return false;
        pile.records.clear();
        pile.error.reset();
        pile.records.push_back(std::move(ahead_));
        const std::string first(number(pile.records[0]));
        while ((more_ = table_.next(ahead_)) && !first.empty() && number(ahead_) == first)
            pile.records.push_back(std::move(ahead_));
        if (!layered_ && pile.records.size() > 1)
            pile.error =
                RowError{pile.records[1].line, named(first) + "重复：本窗口没有分层，一根桩只占一行"};
        return true;
    }

    static std::string named(std::string_view number) { return "桩号“" + std::string(number) + "”"; }

private:
    TableReader& table_;
    bool layered_;
    std::optional<std::size_t> keyColumn_;
    TableRecord ahead_;
    bool more_ = false;
};

// A pile number that comes back after another pile's records would make two piles of one: the table is
// refused at the first record that brings one back (throws RowError), before any pile is computed. The
// numbers of a million piles are not kept for that: a first pass keeps a hash of each, and only the numbers
// whose hashes meet are compared, in a second pass.
void refuseScatteredPiles(TableReader& table, const std::vector<TableColumn>& columns, bool layered) {
    const std::hash<std::string_view> hash;
    std::vector<std::size_t> shared;
    {
        PileReader piles(table, columns, layered);
        if (!piles.numbered()) return;
        std::vector<std::size_t> hashes;
        for (Pile pile; piles.next(pile);)
            if (const std::string_view number = piles.number(pile.records[0]); !number.empty())
                hashes.push_back(hash(number));
        std::ranges::sort(hashes);
        for (std::size_t i = 1; i < hashes.size(); ++i)
            if (hashes[i] == hashes[i - 1] && (shared.empty() || shared.back() != hashes[i]))
                shared.push_back(hashes[i]);
    }
    if (shared.empty()) return;
    PileReader piles(table, columns, layered);
    std::map<std::string, std::size_t> firstLines;
    for (Pile pile; piles.next(pile);) {
        const std::string_view number = piles.number(pile.records[0]);
        if (number.empty() || !std::ranges::binary_search(shared, hash(number))) continue;
        const std::size_t line = pile.records[0].line;
        if (const auto [earlier, fresh] = firstLines.emplace(number, line); !fresh)
            throw RowError{line, PileReader::named(number) + "已见于第 " + std::to_string(earlier->second) +
                                     " 行，其间隔着别的桩：一根桩的各行须相连"};
    }
}

// Whether the window has a layer table, whose layers a pile gives on records of their own.
bool layered(CalculatorFrame& window) {
    return std::ranges::any_of(window.declaration().all(),
                               [](const DeclaredControl& c) { return isEditedGrid(c) && c.rowCountList; });
}

// Whether the table gives a target, so that the batch writes the targets' table.
bool givesTargets(const CalculatorFrame& window, const std::vector<TableColumn>& columns) {
    return std::ranges::any_of(columns, [&](const TableColumn& c) {
        return c.kind == TableColumn::Kind::Input && c.control->control == &window.target.edt_MubiaoRa;
    });
}

// A pile's line of the targets' table: its number (or its first line), the targets and the answers as the
// window shows them after the pile's 计算.
std::vector<std::string> targetRow(CalculatorFrame& window, const Pile& pile,
                                   const std::vector<TableColumn>& columns, bool computed) {
    std::string number = "第 " + std::to_string(pile.records[0].line) + " 行";
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].kind == TableColumn::Kind::PileKey && !cellOf(pile.records[0], c).empty())
            number = oneLine(cellOf(pile.records[0], c));
    const TargetDesign& t = window.target;
    const bool layers = window.declaration().find("edt_XuyaoLr") != nullptr;
    if (!computed) return {number, "-", "-", "未算出", "未算出"};
    return {number, t.edt_MubiaoRa.text, t.edt_MubiaoN.text, layers ? t.edt_XuyaoLr.text : t.edt_XuyaoHr.text,
            t.edt_XuyaoD.text};
}

// Prints each output the batch may not replace; true when there was none.
bool outputsFree(const BatchOutputs& outputs, std::ostream& out) {
    const std::vector<std::string> taken = outputs.taken();
    for (const std::string& path : taken)
        out << "error\t" << path << " 已存在，且不是这个表格的批量计算所写（或写后改动过），不会替换\n";
    if (!taken.empty()) out << "error\t什么也没有写：请移走上面的文件，或用 --out 另选文件夹\n";
    return taken.empty();
}

} // namespace

BatchOutcome runBatch(CalculatorFrame& window, ScriptedPlatform& platform, const std::string& tablePath,
                      const std::string& outFolder, std::ostream& out, bool keepSheet) {
    // Dialogs are reported here with the line they belong to, not as the driver prints them.
    const auto observer = std::exchange(platform.observer, nullptr);
    struct Restore {
        ScriptedPlatform& p;
        ScriptedPlatform::DialogObserver o;
        ~Restore() { p.observer = std::move(o); }
    } restore{platform, observer};
    std::optional<TableReader> table;
    std::vector<TableColumn> columns;
    std::optional<BatchOutputs> outputs;
    const bool layers = layered(window);
    try {
        table.emplace(tablePath, tableFileLimit);
        TableRecord header, first;
        if (!table->next(header)) throw std::runtime_error("表格 " + tablePath + " 是空的");
        columns = mapHeader(window, header.cells);
        if (!table->next(first)) throw std::runtime_error("表格中没有桩：只有表头");
        refuseScatteredPiles(*table, columns, layers);
        // Refused before the piles are computed, which may take long.
        outputs.emplace(outFolder.empty() ? platform.documentsFolder() : outFolder, tablePath,
                        givesTargets(window, columns));
        if (!outputsFree(*outputs, out)) return {0, 0, false};
    } catch (const std::runtime_error& e) {
        out << "error\t" << oneLine(e.what()) << '\n';
        return {0, 0, false};
    } catch (const RowError& e) {
        out << "error\tline " << e.line << ": " << oneLine(e.message) << '\n';
        return {0, 0, false};
    }

    BatchOutcome outcome;
    const WindowState fresh = captureState(window);
    PileRun run(window, platform, columns);
    PileReader piles(*table, columns, layers);
    // Each pile's lines go out as it is computed, and the sheet forgets them unless a script reads it after.
    const auto forget = keepSheet ? std::function<void()>() : [&window] { window.forgetWrittenDesigns(); };
    std::string stopped; // why the run stopped before the end of the table
    // A pile's dialogs are printed with its line and then dropped, so failing piles cost no memory either.
    const std::size_t dialogsBefore = platform.dialogs.size();
    for (Pile pile;;) {
        try {
            if (!piles.next(pile)) break;
        } catch (const PlatformError& e) {
            stopped = e.what();
            break;
        }
        ++outcome.piles;
        const int failedBefore = outcome.failed;
        try {
            if (pile.error) throw *pile.error;
            restoreState(window, fresh);
            run.run(pile.records);
        } catch (const RowError& e) {
            ++outcome.failed;
            out << "line " << e.line << ": " << oneLine(e.message) << '\n';
        } catch (const WindowStateError& e) {
            ++outcome.failed;
            out << "line " << pile.records[0].line << ": " << oneLine(e.what()) << '\n';
        }
        platform.dialogs.erase(platform.dialogs.begin() + static_cast<std::ptrdiff_t>(dialogsBefore),
                               platform.dialogs.end());
        try {
            outputs->addTargetRow(targetRow(window, pile, columns, outcome.failed == failedBefore));
            outputs->addDesigns(window.sheet(), forget);
        } catch (const PlatformError& e) {
            stopped = std::string("保存失败：") + e.what();
            break;
        }
    }
    out << "batch\t" << outcome.piles << " 根桩，" << outcome.piles - outcome.failed << " 根算出，"
        << outcome.failed << " 根失败\n";
    if (stopped.empty()) {
        if (window.sheet().designCount() == 0) return outcome;
        try {
            outputs->finish(window.sheet(), out);
            return outcome;
        } catch (const PlatformError& e) {
            stopped = std::string("保存失败：") + e.what();
        }
    }
    out << "error\t" << oneLine(stopped) << '\n';
    outcome.usable = false;
    return outcome;
}

} // namespace qianyan
