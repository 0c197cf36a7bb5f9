#pragma once
// The lines of one calculation sheet. A sheet changes only near its end, and it remembers how far back
// its recent changes reached, so that a view of thousands of designs redoes only the end of its text
// instead of all of it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qianyan {

class SheetLines {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    // Grows with every change.
    std::uint64_t revision() const { return revision_; }
    // Of the first `count` lines as they stood at `revision`, how many are still the same; 0 when that
    // revision is too old (or not this sheet's) to tell.
    std::size_t keptSince(std::uint64_t revision, std::size_t count) const;

    void append(std::string line);
    void append(const std::vector<std::string>& lines);
    // Keeps the first `count` lines.
    void truncate(std::size_t count);
    void erase(std::size_t index);

private:
    // A change that reached back to line `from`; appending reaches back to nothing that was there.
    struct Cut {
        std::uint64_t revision;
        std::size_t from;
    };
    void cut(std::size_t from);

    std::vector<std::string> lines_;
    std::uint64_t revision_ = 0;
    // The cuts after revision forgottenUpTo_; older ones are dropped to keep the record short.
    std::vector<Cut> cuts_;
    std::uint64_t forgottenUpTo_ = 0;
};

} // namespace qianyan
