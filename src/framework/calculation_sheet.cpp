#include "framework/calculation_sheet.h"

#include "framework/text_layout.h"

namespace qianyan {

std::string blockRule() {
    return repeated('=', 50);
}

std::string CalculationSheet::nextPileLabel() const {
    return nextName_.empty() ? "ZH" + std::to_string(count_ + 1) : nextName_;
}

void CalculationSheet::append(const SheetDesign& design, const std::string& timeText) {
    const std::size_t footerLines = design.xlsFooterRules.size() + 1;
    if (count_ == 0) {
        xls_.truncate(0);
        truncateDoc(0);
        xlsCells_.clear();
        piles_.clear();
        xls_.append(design.xlsHeader);
        xlsHeadLines_ = design.xlsHeader.size();
        xlsFootLines_ = footerLines;
    } else {
        const std::size_t xlsLines = xls().size();
        xls_.truncate(xlsLines >= footerLines ? xlsLines - footerLines : 0);
        if (!doc().empty()) truncateDoc(doc().size() - 1);
    }
    const bool sameDrawing = !piles_.empty() && *piles_.back().drawing == design.drawing;
    piles_.push_back({nextPileLabel(), sameDrawing ? piles_.back().drawing
                                                   : std::make_shared<const PileDrawing>(design.drawing)});
    ++count_;
    nextName_.clear();
    const std::string timeLine = timeLinePrefix + timeText;
    xls_.append(design.xlsRow.line);
    xlsCells_.push_back(design.xlsRow.cells);
    xls_.append(design.xlsFooterRules);
    xls_.append(timeLine);
    std::vector<std::string> block;
    block.reserve(design.docBlock.size());
    for (const DocLine& line : design.docBlock) {
        block.push_back(line.text);
        docKinds_.push_back(line.kind);
    }
    doc_.append(block);
    appendDoc(timeLine);
    unsaved_ = docUnsaved | xlsUnsaved;
}

void CalculationSheet::removeLast() {
    if (count_ <= 1) {
        // Emptied in place, so that the views see the change.
        truncateDoc(0);
        xls_.truncate(0);
        xlsCells_.clear();
        piles_.clear();
        count_ = 0;
        unsaved_ = 0;
        return;
    }
    --count_;
    unsaved_ = docUnsaved | xlsUnsaved;
    xlsCells_.pop_back();
    piles_.pop_back();
    // The last design row sits just above the four footer lines.
    if (xls().size() >= 5) xls_.erase(xls().size() - 5);
    // Drop the last block: every line before the time line back to the previous block's rule.
    const std::vector<std::string>& doc = this->doc();
    if (doc.size() < 2) return;
    const std::string rule = blockRule();
    std::size_t blockStart = doc.size() - 2;
    while (blockStart > 0 && doc[blockStart - 1] != rule) --blockStart;
    std::string timeLine = doc.back();
    truncateDoc(blockStart);
    appendDoc(std::move(timeLine));
}

void CalculationSheet::forgetDesigns() {
    if (count_ == 0 || xls().size() < xlsHeadLines_ + xlsFootLines_ || doc().empty()) return;
    std::vector<std::string> kept(xls().begin(), xls().begin() + static_cast<std::ptrdiff_t>(xlsHeadLines_));
    kept.insert(kept.end(), xls().end() - static_cast<std::ptrdiff_t>(xlsFootLines_), xls().end());
    xls_.truncate(0);
    xls_.append(kept);
    DocLine timeLine(doc().back(), docKinds_.back());
    truncateDoc(0);
    appendDoc(std::move(timeLine));
    xlsCells_.clear();
    piles_.erase(piles_.begin(), piles_.end() - 1);
}

void CalculationSheet::truncateDoc(std::size_t count) {
    doc_.truncate(count);
    docKinds_.resize(doc().size());
}

void CalculationSheet::appendDoc(DocLine line) {
    doc_.append(std::move(line.text));
    docKinds_.push_back(line.kind);
}

} // namespace qianyan
