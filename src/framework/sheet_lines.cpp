#include "framework/sheet_lines.h"

#include <algorithm>

namespace qianyan {

namespace {

// A design makes two cuts at most (the footer and the time line), so this covers many designs between
// two looks of a view; a view that looks less often redoes its whole text.
constexpr std::size_t cutsKept = 64;

} // namespace

std::size_t SheetLines::keptSince(std::uint64_t revision, std::size_t count) const {
    if (revision < forgottenUpTo_ || revision > revision_) return 0;
    std::size_t kept = std::min(count, lines_.size());
    for (const Cut& c : cuts_)
        if (c.revision > revision) kept = std::min(kept, c.from);
    return kept;
}

void SheetLines::append(std::string line) {
    lines_.push_back(std::move(line));
    ++revision_;
}

void SheetLines::append(const std::vector<std::string>& lines) {
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    ++revision_;
}

void SheetLines::truncate(std::size_t count) {
    if (count >= lines_.size()) return;
    lines_.resize(count);
    cut(count);
}

void SheetLines::erase(std::size_t index) {
    if (index >= lines_.size()) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    cut(index);
}

void SheetLines::cut(std::size_t from) {
    ++revision_;
    if (cuts_.size() == cutsKept) {
        forgottenUpTo_ = cuts_.front().revision;
        cuts_.erase(cuts_.begin());
    }
    cuts_.push_back({revision_, from});
}

} // namespace qianyan
