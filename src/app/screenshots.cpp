#include "app/screenshots.h"

#include "app/about_window.h"
#include "app/calculator_faces.h"
#include "app/launcher_window.h"
#include "documents/qt/sheet_pdf.h"
#include "framework/calculator_registry.h"
#include "framework/qt/calculator_window.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/workbench_chart_view.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>

namespace qianyan {

namespace {

// The pictures show the same time on every run.
class FixedClockPlatform : public QtPlatform {
public:
    DateTime now() override { return {2024, 5, 6, 14, 3, 27}; }
};

class Camera {
public:
    explicit Camera(const QString& folder) : folder_(folder) {}

    void shoot(QWidget& window, const std::string& name) {
        window.show();
        QApplication::processEvents();
        const QString path = folder_.filePath(QString::fromStdString(name) + QLatin1String(".png"));
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            failed_ = true;
        }
    }
    bool failed() const { return failed_; }
    void fail(const char* name) {
        std::fprintf(stderr, "cannot write %s\n", name);
        failed_ = true;
    }

private:
    QDir folder_;
    bool failed_ = false;
};

// A window of a calculator's face that stays when closed, for the next picture of it.
std::unique_ptr<CalculatorWindow> faceOf(std::string_view calculator, Platform& platform) {
    std::unique_ptr<CalculatorWindow> window(makeCalculatorFace(calculator, platform));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

void computeDesign(ControlBinding& face, const char* diameter, const char* depth, const char* rock) {
    face.act([&](CalculatorFrame& m) {
        m.typeText("cbe_dd", diameter);
        m.typeText("cbe_hr", depth);
        m.typeText("edt_frk", rock);
        m.click("cbt_compute");
    });
}

constexpr int lastPage = 0;

// A page of the Doc sheet's PDF as pdftoppm renders it, by its number or the last (a system without
// pdftoppm skips it).
void shootPdfPage(const CalculationSheet& sheet, const SheetFigures& figures, int page, const char* name,
                  const QString& folder, Camera& camera) {
    QTemporaryDir scratch;
    const QString pdf = scratch.filePath(QStringLiteral("sheet.pdf"));
    writeDocSheetPdf(sheet.doc(), figures, pdf.toStdString(), sheet.docKinds());
    QStringList arguments = {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60")};
    if (page != lastPage)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    const int status =
        QProcess::execute(QStringLiteral("pdftoppm"), arguments << pdf << scratch.filePath("page"));
    if (status == -2) {
        std::fprintf(stderr, "pdftoppm is missing: no picture of the PDF\n");
        return;
    }
    // pdftoppm numbers the pages with as many digits as the last needs: the last name sorts last.
    const QStringList pages =
        QDir(scratch.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    const QString target = QDir(folder).filePath(QLatin1String(name) + QLatin1String(".png"));
    QFile::remove(target);
    if (status != 0 || pages.isEmpty() || !QFile::copy(QDir(scratch.path()).filePath(pages.back()), target))
        camera.fail(name);
}

} // namespace

int takeScreenshots(const QString& folder) {
    if (!QDir().mkpath(folder)) return 1;
    Camera camera(folder);
    FixedClockPlatform platform;

    TVOR_FRM_KELD0 launcher(platform);
    camera.shoot(launcher, "launcher");
    TVOR_DAX_FRM_CopyRight about(platform);
    camera.shoot(about, "about");
    about.close();

    // Every calculator as it opens, after 计算 with the inputs it opens with, and with a target typed.
    for (const CalculatorEntry& c : calculators()) {
        if (!hasCalculatorFace(c.name)) continue;
        const auto window = faceOf(c.name, platform);
        camera.shoot(*window, std::string(c.name) + "_main");
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_compute"); });
        camera.shoot(*window, std::string(c.name) + "_results");
        window->binding().act([](CalculatorFrame& m) { m.typeText("edt_MubiaoRa", "8000"); });
        camera.shoot(*window, std::string(c.name) + "_target");
    }

    // Shown before any step, as a person sees it, so that the popup list opens where it does for them.
    const auto first = faceOf("formula1", platform);
    CalculatorWindow& window = *first;
    window.show();
    QApplication::processEvents();
    ControlBinding& face = window.binding();
    face.act([](CalculatorFrame& m) {
        m.click("cbt_compute");
        m.click("cbt_JingDu");
    });
    camera.shoot(window, "formula1_precision");
    face.act([](CalculatorFrame& m) { m.chooseItem("popbox_jingdu", 3); });
    computeDesign(face, "1500", "2.0d", "40");
    computeDesign(face, "1200", "9.0d", "10");
    camera.shoot(window, "formula1_bound");
    face.act([](CalculatorFrame& m) { m.typeText("cbe_dd", "abc"); });
    camera.shoot(window, "formula1_error");
    face.act([](CalculatorFrame& m) {
        m.typeText("cbe_dd", "1000");
        m.click("cbt_compute");
        m.click("cbt_View");
    });
    camera.shoot(window, "sheet_doc");
    shootPdfPage(window.binding().model().sheet(), {}, 1, "sheet_pdf_page", folder, camera);
    face.act([](CalculatorFrame& m) { m.click("cbt_PageBook"); });
    camera.shoot(window, "sheet_xls");
    face.act([](CalculatorFrame& m) { m.typeText("tcb_meoFontSize", "8"); });
    camera.shoot(window, "sheet_xls_zoomed_out");

    // The workbench after a sweep of 104,520 candidates, those of Ra from 10000 to 14000 kN filtered.
    const auto swept = faceOf("formula1", platform);
    CalculatorWindow& sweep = *swept;
    sweep.show();
    QApplication::processEvents();
    sweep.binding().act([](CalculatorFrame& m) {
        m.click("cbt_compute"); // a design, so that the sheet's pages come before the figures
        m.click("cbt_YouHua");
        const std::array<std::array<const char*, 3>, 5> ranges{{{"800", "2000", "100"},
                                                                {"1.0d", "3.0d", "0.5d"},
                                                                {"20", "60", "0.3"},
                                                                {"C25", "C40", "5"},
                                                                {"1", "3", "1"}}};
        for (int row = 0; row < 5; ++row)
            for (int column = 1; column <= 3; ++column)
                m.editCell("Grid1_Youhuaxuanxiang", row, column, ranges[row][column - 1]);
        m.click("cbt_YHcompute");
        m.editCell("Grid1_Youhuaxuanxiang", 6, 1, "10000");
        m.editCell("Grid1_Youhuaxuanxiang", 6, 2, "14000");
        m.editCell("Grid1_Youhuaxuanxiang", 7, 1, "0");
        m.editCell("Grid1_Youhuaxuanxiang", 7, 2, "0");
        m.click("cbt_YHsaixuan");
    });
    sweep.show();
    auto* chart = sweep.findChild<WorkbenchChartView*>();
    QApplication::processEvents();
    chart->tablesChanged();
    chart->settle();
    camera.shoot(sweep, "workbench_chart");
    shootPdfPage(sweep.binding().model().sheet(), sheetFigures(sweep.binding().model()), lastPage,
                 "sheet_pdf_figures", folder, camera);
    // A pile number longer than the page is wide wraps, marked, in the type of every other page.
    const auto longWindow = faceOf("formula1", platform);
    longWindow->binding().act([](CalculatorFrame& m) {
        m.nameNextPile("ZH-" + std::string(150, '7'));
        m.click("cbt_compute");
    });
    shootPdfPage(longWindow->binding().model().sheet(), {}, 1, "sheet_pdf_long_pile_number", folder, camera);

    const auto soilWindow = faceOf("formula1_soil", platform);
    CalculatorWindow& soil = *soilWindow;
    soil.binding().act([](CalculatorFrame& m) {
        m.setChecked("ckb_fumozhuli", true);
        m.setChecked("ckb_zhengmozhuli", true);
        m.click("cbt_compute");
    });
    camera.shoot(soil, "formula1_soil_both_terms");
    soil.binding().act([](CalculatorFrame& m) { m.click("cbt_zhengmozhuli"); });
    camera.shoot(soil, "formula1_soil_side_panel");
    soil.binding().act([](CalculatorFrame& m) {
        m.click("cbt_Zmzlfanhui");
        m.click("cbt_fumozhuli");
    });
    camera.shoot(soil, "formula1_soil_down_drag_panel");
    // Twenty settling layers and twenty layers of side resistance: the drawing's names in columns, the
    // sheet's tables running on over pages under their headers.
    soil.binding().act([](CalculatorFrame& m) {
        m.chooseItem("cbb_Tuchengshu", 19);
        for (int row = 0; row < 20; ++row) {
            m.editCell("Grid1_Fumozhulijisuan", row, 2, std::to_string(-1.5 - row));
            m.editCell("Grid1_Fumozhulijisuan", row, 3, "18");
            m.editCell("Grid1_Fumozhulijisuan", row, 4, "0.3");
            m.editCell("Grid1_Fumozhulijisuan", row, 5, "20");
        }
        m.click("cbt_Fmzlfanhui");
        m.click("cbt_zhengmozhuli");
        m.chooseItem("cbb_ZhengTuchengshu", 19);
        for (int row = 0; row < 20; ++row) {
            m.editCell("Grid1_Zhengmozhulijisuan", row, 1, "1");
            m.editCell("Grid1_Zhengmozhulijisuan", row, 2, "30");
        }
        m.click("cbt_Zmzlfanhui");
        m.click("cbt_compute");
    });
    camera.shoot(soil, "formula1_soil_twenty_layers");
    shootPdfPage(soil.binding().model().sheet(), {}, 3, "sheet_pdf_continued_table", folder, camera);
    shootPdfPage(soil.binding().model().sheet(), sheetFigures(soil.binding().model()), lastPage,
                 "sheet_pdf_figures_soil_layers", folder, camera);

    const auto thirdWindow = faceOf("formula3", platform);
    CalculatorWindow& third = *thirdWindow;
    third.binding().act([](CalculatorFrame& m) { m.click("cbt_compute"); });
    third.binding().act([](CalculatorFrame& m) {
        m.chooseItem("cbb_jmlx", 2);
        m.chooseItem("cbb_yanchengshu", 2);
        m.click("cbt_kuozhanbiaoge");
    });
    camera.shoot(third, "formula3_rectangle_layers");
    // Three rock layers with the bearing one hard: the drawing shows the bound of the table inside the
    // socket.
    third.binding().act([](CalculatorFrame& m) {
        m.click("cbt_kuozhanbiaoge");
        for (const auto& [row, length, strength] :
             {std::tuple{0, "2.00", "8.00"}, {1, "3.00", "20.00"}, {2, "4.00", "40.00"}}) {
            m.editCell("StringGrid_KELD3", row, 1, length);
            m.editCell("StringGrid_KELD3", row, 2, strength);
        }
        m.click("cbt_compute");
    });
    camera.shoot(third, "formula3_rock_layers");
    // Nine rock layers, counted from the top of the socket.
    third.binding().act([](CalculatorFrame& m) {
        m.chooseItem("cbb_yanchengshu", 8);
        for (int row = 0; row < 9; ++row) {
            m.editCell("StringGrid_KELD3", row, 1, std::to_string(row % 3 + 1));
            m.editCell("StringGrid_KELD3", row, 2, std::to_string(10 + 5 * row));
        }
        m.chooseItem("cbb_qianyanshengdu_daxjs", 1);
        m.click("cbt_compute");
    });
    camera.shoot(third, "formula3_nine_rock_layers");
    shootPdfPage(third.binding().model().sheet(), sheetFigures(third.binding().model()), lastPage,
                 "sheet_pdf_figures_rock_layers", folder, camera);
    return camera.failed() ? 1 : 0;
}

} // namespace qianyan
