#pragma once
// The two calculation sheets of a window: the Doc sheet (a narrative block per design) and the Xls sheet
// (a header, a row per design, a footer). Both end with the time of the latest design. Beside them, each
// design's pile as drawn from the inputs it was computed with, for the page of figures.
#include "framework/doc_line.h"
#include "framework/pile_drawing.h"
#include "framework/sheet_lines.h"
#include "framework/xls_row.h"

#include <memory>
#include <string>
#include <vector>

namespace qianyan {

// What one computed design adds to the sheets; the sheet adds the time lines itself.
struct SheetDesign {
    std::vector<std::string> xlsHeader; // written before the first design only
    XlsRow xlsRow;
    std::vector<std::string> xlsFooterRules; // the footer without its time line (three lines)
    DocLines docBlock;                       // ends with the block rule
    PileDrawing drawing = {};                // the pile as the design's inputs stood
};

// A design's pile as the page of figures draws it: its label (桩号) and its drawing, which designs in a row
// with the same drawing share.
struct DesignPile {
    std::string label;
    std::shared_ptr<const PileDrawing> drawing;
};

class CalculationSheet {
public:
    static constexpr int docUnsaved = 1;
    static constexpr int xlsUnsaved = 2;

    const std::vector<std::string>& doc() const { return doc_.lines(); }
    const std::vector<std::string>& xls() const { return xls_.lines(); }
    // What each Doc line is in its block's structure (the time line is a text), for the printed pages.
    const std::vector<DocLineKind>& docKinds() const { return docKinds_; }
    // The same with their record of changes, for the views.
    const SheetLines& docLines() const { return doc_; }
    const SheetLines& xlsLines() const { return xls_; }
    // The cells of each design's Xls row, in the order of the designs.
    const std::vector<std::vector<XlsCell>>& xlsCells() const { return xlsCells_; }
    // The last design's pile; none on an empty sheet. Removing the last design brings back the one before.
    const DesignPile* lastPile() const { return piles_.empty() ? nullptr : &piles_.back(); }
    int designCount() const { return count_; }
    int unsavedMarks() const { return unsaved_; }
    // "ZH" and the number the next design will carry, or the name given to it.
    std::string nextPileLabel() const;
    // Names the next design (a batch names its piles by the table's pile numbers); empty: "ZH" and its
    // number.
    void nameNextPile(std::string label) { nextName_ = std::move(label); }

    void append(const SheetDesign& design, const std::string& timeText);
    // Removes the last design; the time lines stay. With one design left, empties both sheets. The
    // sheets that remain differ from any file saved before, so both are unsaved again.
    void removeLast();
    void markSaved(int mark) { unsaved_ &= ~mark; }

    // The lines of the Xls header above the first design's row, and of the foot below the last (the
    // footer and the time line); the Doc sheet's foot is its time line.
    std::size_t xlsHeadLines() const { return xlsHeadLines_; }
    std::size_t xlsFootLines() const { return xlsFootLines_; }
    static constexpr std::size_t docFootLines = 1;
    // Forgets the designs' blocks, rows and cells once a batch has written them out, keeping what the next
    // design builds on: the Xls header, the feet, the last pile and the count, by which the designs go on
    // being numbered. The sheets then hold only their head and feet.
    void forgetDesigns();

private:
    void truncateDoc(std::size_t count);
    void appendDoc(DocLine line);

    SheetLines doc_, xls_;
    std::vector<DocLineKind> docKinds_;
    std::vector<std::vector<XlsCell>> xlsCells_;
    std::vector<DesignPile> piles_;
    int count_ = 0;
    int unsaved_ = 0;
    std::size_t xlsHeadLines_ = 0, xlsFootLines_ = 0;
    std::string nextName_;
};

inline constexpr const char* timeLinePrefix = "计算时间：";
// The 50 "=" that ends every Doc block.
std::string blockRule();

} // namespace qianyan
