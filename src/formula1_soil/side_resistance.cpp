#include "formula1_soil/side_resistance.h"

#include "circular_pile/circular_pile_window.h"
#include "framework/layer_grid.h"
#include "framework/number_text.h"

#include <cmath>
#include <numbers>

namespace qianyan {

const std::array<LayerColumn, sideColumnCount> sideResistanceColumns{{
    {"grd1_01_Str_Tuchenghao", "土层"},
    {"grd1_02_Flo_Tuhoudu", "土厚li(m)"},
    {"grd1_03_Flo_Tuqsik", "qsik(kPa)"},
    {"grd1_04_Flo_Zhouchang", "周长μ(m)"},
    {"grd1_05_Flo_Qsik", "Qsik(kN)"},
    {"grd1_06_Flo_SegemaQsik", "∑Qsik(kN)"},
    {"grd1_07_Str_Qsikbilishu", "Qsik/Qsk"},
    {"grd1_08_Pic_Qsikbilitu", "占比图例"},
    {"grd1_09_Str_Beizhu", "备注"},
}};

bool sideResistanceCellEditable(int column) {
    return column == sideThickness || column == sideQsik;
}

void foldSideResistanceColumns(Grid& grid, bool expanded) {
    foldLayerColumns(grid, expanded, sidePerimeter);
}

SideResistanceResult computeSideResistance(const TextTable& layers, double d) {
    SideResistanceResult result;
    LayerRows rows = rowsOf(layers);
    clearColumnsFrom(rows, sidePerimeter);
    const double perimeter = d * std::numbers::pi / 1000;
    double total = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::string>& row = rows[i];
        // Layers are named by their position, whatever their first cell says.
        const std::string layer = std::to_string(i + 1);
        double thickness = readLenient(row[sideThickness]);
        double qsik = readLenient(row[sideQsik]);
        if (thickness < 0) {
            thickness = 0;
            result.message = "第" + layer + "层土厚度错";
        }
        if (qsik < 0) {
            qsik = 0;
            result.negativeQsik = true;
            result.message = "第" + layer + "层土侧阻力错";
        }
        const double resistance = perimeter * thickness * qsik;
        total += resistance;
        row[sidePerimeter] = panelAmount(perimeter);
        row[sideLayerResistance] = panelAmount(resistance);
        row[sideRunningTotal] = panelAmount(total);
    }
    // Every value is at least 0, so a value beyond the range of numbers leaves the total infinite or NaN.
    if (std::isfinite(perimeter) && std::isfinite(total) &&
        writeShares(rows, sideLayerResistance, sideShare, sideShareBar, total)) {
        result.total = total;
    } else {
        clearColumnsFrom(rows, sidePerimeter);
        result.message = resultOutOfRangeError;
    }
    result.layers = tableOf(rows, sideColumnCount);
    return result;
}

} // namespace qianyan
