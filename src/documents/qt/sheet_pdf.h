#pragma once
// The Doc sheet on A4 pages (a PDF file, or a printer): the sheet font's characters in one size on a fixed
// grid, a CJK character two digit widths as on screen, pages broken by the lines' kinds (see printedPages;
// without kinds only blocks are kept whole), the running head with the title and the page number; then a
// page of the figures, unless there are none.
#include "documents/sheet_figures.h"
#include "framework/doc_line.h"

#include <QByteArray>
#include <QPagedPaintDevice>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace qianyan {

// Told after each page how many of how many are painted; it may throw to stop the painting.
using PagePainted = std::function<void(std::size_t page, std::size_t pages)>;

// Paints the lines onto the device's pages as it stands (its page size and margins); throws PlatformError
// when the device cannot be painted on.
void paintDocSheet(QPagedPaintDevice& device, const std::vector<std::string>& lines,
                   const SheetFigures& figures, const std::vector<DocLineKind>& kinds,
                   const PagePainted& pagePainted = {});
// The lines as a PDF document, its font embedded.
QByteArray docSheetPdf(const std::vector<std::string>& lines, const SheetFigures& figures,
                       const std::vector<DocLineKind>& kinds, const PagePainted& pagePainted = {});
// Writes that PDF at path, whole or not at all (a painting stopped by pagePainted writes nothing);
// throws PlatformError saying why.
void writeDocSheetPdf(const std::vector<std::string>& lines, const SheetFigures& figures,
                      const std::string& path, const std::vector<DocLineKind>& kinds,
                      const PagePainted& pagePainted = {});

} // namespace qianyan
