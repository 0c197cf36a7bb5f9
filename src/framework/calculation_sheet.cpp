#include "framework/calculation_sheet.h"

#include "framework/text_layout.h"

namespace qianyan {

std::string blockRule() { return repeated('=', 50); }

std::string CalculationSheet::nextPileLabel() const { return "ZH" + std::to_string(count_ + 1); }

void CalculationSheet::append(const SheetDesign& design, const std::string& timeText) {
    const std::size_t footerLines = design.xlsFooterRules.size() + 1;
    if (count_ == 0) {
        xls_ = design.xlsHeader;
        doc_.clear();
    } else {
        xls_.resize(xls_.size() >= footerLines ? xls_.size() - footerLines : 0);
        if (!doc_.empty()) doc_.pop_back();
    }
    ++count_;
    const std::string timeLine = timeLinePrefix + timeText;
    xls_.push_back(design.xlsRow);
    xls_.insert(xls_.end(), design.xlsFooterRules.begin(), design.xlsFooterRules.end());
    xls_.push_back(timeLine);
    doc_.insert(doc_.end(), design.docBlock.begin(), design.docBlock.end());
    doc_.push_back(timeLine);
    unsaved_ = docUnsaved | xlsUnsaved;
}

void CalculationSheet::removeLast() {
    if (count_ <= 1) {
        *this = CalculationSheet{};
        return;
    }
    --count_;
    // The last design row sits just above the four footer lines.
    if (xls_.size() >= 5) xls_.erase(xls_.end() - 5);
    // Drop the last block: every line before the time line back to the previous block's rule.
    const std::string rule = blockRule();
    if (doc_.size() >= 2) doc_.erase(doc_.end() - 2);
    while (doc_.size() >= 2 && doc_[doc_.size() - 2] != rule) doc_.erase(doc_.end() - 2);
}

} // namespace qianyan
