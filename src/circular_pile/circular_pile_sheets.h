#pragma once
// Sheet pieces the circular-pile calculators share: the leading and trailing cells of the Xls row, the
// common lines of the Doc block and the Xls frame.
#include "circular_pile/socket_depth.h"
#include "framework/calculation_sheet.h"
#include "framework/calculator_frame.h"
#include "framework/sheet_cells.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// The design's inputs as the sheets print them: control texts as typed, the rock strength as read.
struct CircularPileSheetInputs {
    std::string pileLabel;
    std::string diameterText, depthText, gradeText, processText;
    DepthNotation notation;
    double frk;
    int processIndex;
    PrecisionMode mode;
};

// Blanks, pile label, section, d, hr, frk and the process short name.
XlsRow xlsRowHead(const CircularPileSheetInputs& in);
// Grade, ψc and Rc, the last cells of the row.
XlsRow xlsRowTail(const CircularPileSheetInputs& in, double psiC, double rc);

// Title, pile number and the input data up to the construction process ("2.3").
DocLines docInputLines(const CircularPileSheetInputs& in);
// The standard and its formulas, with the calculator's own formulas before the pile-body one; the shared
// formulas stand `shift` columns further right (the sheets with soil layers have always had them one).
DocLines docStandardLines(std::initializer_list<std::string_view> ownFormulas, int shift = 0);
// Those lines with the side and end resistances as the code's commentary gives them.
DocLines docCommentaryStandardLines();

struct DocSectionValues {
    double area, perimeter;
    std::string_view rockClass;
    double depthRatio; // as entered
    bool clamped;
    double effectiveRatio;
    std::string_view areaUnit = " m^2";
};
// "4.承载力计算" up to the depth ratio, with the ratio used when it was clamped.
DocLines docSectionLines(const CircularPileSheetInputs& in, const DocSectionValues& v);
// The process and the pile-body capacity, under the calculator's clause number.
DocLines docPileBodyLines(std::string_view clause, std::string_view processText, double psiC, double fc,
                          double rc);
// "5.基桩主要数据汇总" and its first row: the pile label, the section and two dimensions under their headers.
struct DocSummaryHead {
    std::string_view header1, header2, pileLabel, section, first, second;
};
DocLines docSummaryHead(const DocSummaryHead& head);
// That of a circular pile: pile label, section, d and hr.
DocLines docSummaryHead(const CircularPileSheetInputs& in);
// Two header lines and one row of four cells centred in 8, between rules.
DocLines docSummaryTable(std::string_view header1, std::string_view header2,
                         std::initializer_list<std::string> cells);

// The footnotes of the Xls sheet that name where the formulas come from: the standard, or its commentary.
inline constexpr std::string_view standardFormulasNote = "注: 采用《建筑桩基技术规范》(JGJ 94-2008)公式计算";
inline constexpr std::string_view commentaryFormulasNote =
    "注: 采用《建筑桩基技术规范》(JGJ 94-2008)条文说明公式计算";

// The Xls frame of a calculator's sheets: its width, the two column-header lines and the footer note.
struct XlsLayout {
    int width;
    std::string_view columns1, columns2, note;
};
SheetDesign circularPileSheetDesign(const XlsLayout& layout, XlsRow xlsRow, DocLines docBlock);

} // namespace qianyan
