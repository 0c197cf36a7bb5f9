#pragma once
// The checks that hold after every step a person takes in a calculator window: the shape of both
// sheets and the design count, the last design's pile for the page of figures, no non-finite number or
// control character in a field, cell, sheet line or drawing, only the program's colours, a saved sheet
// equal to the shown one byte for byte. No test framework needed, so the fuzzers use them too.
#include "framework/calculation_sheet.h"
#include "framework/calculator_frame.h"
#include "framework/colors.h"
#include "framework/text_layout.h"
#include "platform/legacy_text_file.h"
#include "support/saved_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qianyan::testing {

// A text as a replayable driver word: control characters escaped, long texts cut.
inline std::string shown(std::string_view text) {
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
// character (a label's notes may break lines). One pass that allocates nothing and asks no locale: it runs
// over every cell and sheet line after every step.
inline bool badText(std::string_view text, bool lineBreaks = false) {
    const auto lower = [](char c) { return static_cast<char>(c | 0x20); };
    const auto isLetter = [&](char c) { return lower(c) >= 'a' && lower(c) <= 'z'; };
    const auto names = [&](std::string_view word, std::string_view name) {
        if (word.size() != name.size()) return false;
        for (std::size_t k = 0; k < word.size(); ++k)
            if (lower(word[k]) != name[k]) return false;
        return true;
    };
    std::size_t wordStart = 0;
    bool inWord = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if ((static_cast<unsigned char>(c) < 0x20 && !(lineBreaks && (c == '\n' || c == '\r'))) || c == 0x7F)
            return true;
        if (isLetter(c)) {
            if (!inWord) wordStart = i;
            inWord = true;
            continue;
        }
        if (!inWord) continue;
        inWord = false;
        const std::string_view word = text.substr(wordStart, i - wordStart);
        if (names(word, "nan") || names(word, "inf") || names(word, "infinity")) return true;
    }
    return false;
}

inline bool programColour(std::uint32_t colour) {
    return colour == argb::black || colour == argb::red || colour == argb::green || colour == argb::magenta ||
           colour == argb::blue;
}

class SessionInvariants {
public:
    explicit SessionInvariants(CalculatorFrame& window) : window_(window) {}

    // A person's own texts may read "nan"; a field that holds one as typed is no fault.
    void noteTyped(std::string_view text) {
        typed_.emplace(text);
        typed_.insert(oneLine(text));
    }
    // The file a save just wrote, compared with the shown sheet at the next check.
    void noteSavedSheet(std::filesystem::path file) { savedSheetFile_ = std::move(file); }
    int savesCompared() const { return savesCompared_; }

    // The first broken check, or nothing.
    std::string check() {
        const CalculationSheet& sheet = window_.sheet();
        const int n = sheet.designCount();
        if (std::string broken = checkXls(sheet.xls(), n); !broken.empty()) return "Xls sheet: " + broken;
        if (std::string broken = checkDoc(sheet.doc(), n); !broken.empty()) return "Doc sheet: " + broken;
        if (sheet.nextPileLabel() != "ZH" + std::to_string(n + 1))
            return "next label " + sheet.nextPileLabel();
        // The page of figures draws the last design, which every trim brings back.
        if (const DesignPile* pile = sheet.lastPile();
            (pile != nullptr) != (n > 0) || (pile && pile->label != "ZH" + std::to_string(n)))
            return "the last pile drawn is not the sheet's ZH" + std::to_string(n);
        for (const auto& [lines, checked] :
             {std::pair(&sheet.xlsLines(), &checkedXls_), std::pair(&sheet.docLines(), &checkedDoc_)})
            if (std::string broken = checkLines(*lines, *checked); !broken.empty()) return broken;
        for (const DeclaredControl& c : window_.declaration().all()) {
            const Control& control = *c.control;
            if (!programColour(control.color)) return std::string(c.name) + " has a foreign colour";
            if (badText(control.text, control.kind == ControlKind::Label) && !typed_.contains(control.text))
                return std::string(c.name) + " holds " + shown(control.text);
            if (const Grid* grid = c.asGrid()) {
                if (std::string broken = checkGrid(c.name, *grid); !broken.empty()) return broken;
            }
        }
        const PileDrawing drawing = window_.pileDrawing();
        for (const DrawingView* view : {&drawing.section, &drawing.elevation}) {
            if (!view->finite()) return "a pile drawing coordinate that is not finite";
            for (const DrawingText& t : view->texts)
                if (badText(t.text)) return "pile drawing text " + shown(t.text);
        }
        if (!drawing.reason.empty() && !drawing.empty()) return "a pile drawing with a reason for none";
        if (!savedSheetFile_.empty()) {
            const std::filesystem::path file = std::exchange(savedSheetFile_, {});
            ++savesCompared_;
            // The shown sheet as the file must hold it, byte for byte: GBK, CR LF after every line.
            const bool doc = window_.meo_jisuanjieguo_Doc.visible;
            std::string expected;
            for (const std::string& line : doc ? sheet.doc() : sheet.xls())
                expected.append(line).append("\r\n");
            if (savedBytes(file) != toGbk(expected))
                return "saved file " + file.filename().string() + " differs from the sheet";
        }
        return {};
    }

private:
    // The lines of a sheet that were checked, as they stood at a revision of the sheet.
    struct CheckedLines {
        std::uint64_t revision = 0;
        std::size_t count = 0;
    };

    // Each line of the sheet is checked once: after a step, only the lines the sheet records as changed
    // since the last check (a sheet changes near its end), so that a long session costs no more per step.
    static std::string checkLines(const SheetLines& lines, CheckedLines& checked) {
        const std::vector<std::string>& all = lines.lines();
        for (std::size_t i = lines.keptSince(checked.revision, checked.count); i < all.size(); ++i)
            if (badText(all[i])) return "sheet line " + shown(all[i]);
        checked = {lines.revision(), all.size()};
        return {};
    }

    static bool startsWith(std::string_view text, std::string_view prefix) {
        return text.substr(0, prefix.size()) == prefix;
    }

    // Whether the line holds the label "ZH<number>" with no further digit after it.
    static bool holdsLabel(std::string_view line, int number) {
        const std::string label = "ZH" + std::to_string(number);
        for (std::size_t at = line.find(label); at != std::string_view::npos; at = line.find(label, at + 1)) {
            const std::size_t after = at + label.size();
            if (after == line.size() || !std::isdigit(static_cast<unsigned char>(line[after]))) return true;
        }
        return false;
    }

    std::string checkGrid(std::string_view name, const Grid& grid) {
        for (std::size_t r = 0; r < grid.rows.rowCount(); ++r) {
            if (!programColour(window_.rowColor(name, r))) return std::string(name) + " row colour";
            for (std::size_t col = 0; col < grid.rows.columnCount(); ++col) {
                const std::string_view cell = grid.rows.cell(r, col);
                if (badText(cell) && !typed_.contains(cell))
                    return std::string(name) + " cell " + std::to_string(r) + "," + std::to_string(col) +
                           " holds " + shown(cell);
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
    static std::string checkDoc(const std::vector<std::string>& doc, int n) {
        if (n == 0) return doc.empty() ? "" : "lines without a design";
        if (doc.size() < 2 || !startsWith(doc.back(), timeLinePrefix) || doc[doc.size() - 2] != blockRule())
            return "does not end with a block and the time line";
        if (std::count(doc.begin(), doc.end(), blockRule()) != n)
            return "block count differs from " + std::to_string(n);
        return {};
    }

    CalculatorFrame& window_;
    std::set<std::string, std::less<>> typed_;
    std::filesystem::path savedSheetFile_;
    std::size_t xlsHeader_ = 0; // lines, while the Xls sheet holds a design
    CheckedLines checkedXls_, checkedDoc_;
    int savesCompared_ = 0;
};

} // namespace qianyan::testing
