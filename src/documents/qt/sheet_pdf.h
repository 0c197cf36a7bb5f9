#pragma once
// The Doc sheet on A4 pages (a PDF file, or a printer): the sheet font's characters in one size on a fixed
// grid, a CJK character two digit widths as on screen, pages broken by the lines' kinds (see printedPages;
// without kinds only blocks are kept whole), the running head with the title and the page number; then a
// page of the figures, unless there are none.
#include "documents/sheet_figures.h"
#include "framework/doc_line.h"

#include <QByteArray>
#include <QPagedPaintDevice>

#include <string>
#include <vector>

namespace qianyan {

// Paints the lines onto the device's pages as it stands (its page size and margins).
void paintDocSheet(QPagedPaintDevice& device, const std::vector<std::string>& lines,
                   const SheetFigures& figures, const std::vector<DocLineKind>& kinds = {});
// The lines as a PDF document, its font embedded.
QByteArray docSheetPdf(const std::vector<std::string>& lines, const SheetFigures& figures,
                       const std::vector<DocLineKind>& kinds = {});
// Writes that PDF at path, whole or not at all; throws PlatformError saying why.
void writeDocSheetPdf(const std::vector<std::string>& lines, const SheetFigures& figures,
                      const std::string& path, const std::vector<DocLineKind>& kinds = {});

} // namespace qianyan
