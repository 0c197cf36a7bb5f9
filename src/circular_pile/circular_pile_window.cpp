#include "circular_pile/circular_pile_window.h"

#include "circular_pile/circular_pile_drawing.h"
#include "design_data/design_data.h"
#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

namespace {

constexpr std::string_view depthError = "嵌岩深度数据有错";
constexpr std::string_view rockStrengthError = "岩石单轴抗压强度值有错";

bool positiveFinite(double v) {
    return v > 0 && std::isfinite(v);
}

} // namespace

CircularPileWindow::CircularPileWindow(Platform& platform, std::string_view windowName, const Titles& titles)
    : CalculatorFrame(platform, windowName, titles) {
    cbe_dd = Control::list(
        ControlKind::EditableCombo,
        {"1000", "1100", "1200", "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000"}, 0);
    cbe_hr = Control::list(
        ControlKind::EditableCombo,
        {"1.0d", "1.5d", "2.0d", "2.5d", "3.0d", "3.5d", "4.0d", "1000", "1500", "2000", "2500", "3000"}, 0);
    edt_frk = Control::make(ControlKind::Edit, "25");
    cbe_hnt = Control::list(ControlKind::ComboBox, gradeItems(), 1);
    cbb_czgy = Control::list(ControlKind::ComboBox, processItems(), 1);
}

void CircularPileWindow::declare(WindowDeclaration& d) {
    CalculatorFrame::declare(d);
    d.add(&MainFormLayer, {{"cbe_dd", &cbe_dd},
                           {"cbe_hr", &cbe_hr},
                           {"edt_frk", &edt_frk},
                           {"cbe_hnt", &cbe_hnt},
                           {"cbb_czgy", &cbb_czgy}});
    d.label(cbe_dd, "桩  身   直   径    d (mm)");
    d.label(cbe_hr, "桩身嵌岩深度   hr (mm)");
    d.accepts(cbe_hr, "或桩径的倍数，如 2.0d");
    d.label(edt_frk, "岩石抗压强度 frk (MPa)");
    d.label(cbe_hnt, "桩身混凝土强度等级");
    d.label(cbb_czgy, "成桩工艺");
}

PileDrawing CircularPileWindow::pileDrawing() const {
    return circularPileDrawing(cbe_dd.text, cbe_hr.text, edt_frk.text);
}

std::optional<TargetCalculator::Axis> CircularPileWindow::targetAxis() {
    double d = 0;
    if (!tryReadWhole(cbe_dd.text, d) || !positiveFinite(d)) return std::nullopt;
    // Past the table's bound the socket counts with the bound's depth: the capacity stays as it is.
    return Axis{d, 0, false};
}

Control CircularPileWindow::resultOutput() {
    return Control::output(argb::green);
}

void CircularPileWindow::markDiameterText() {
    double d = 0;
    if (tryReadStrict(cbe_dd.text, d) && positiveFinite(d)) {
        accept(cbe_dd);
    } else {
        showStatus(diameterError, argb::red);
        cbe_dd.color = argb::red;
    }
}

void CircularPileWindow::markRockStrengthText() {
    double frk = 0;
    if (tryReadStrict(edt_frk.text, frk) && frk >= 0 && std::isfinite(frk)) {
        accept(edt_frk);
    } else {
        showStatus(rockStrengthError, argb::red);
        edt_frk.color = argb::red;
    }
}

CircularPileWindow::CheckedInputs CircularPileWindow::checkInputs() {
    CheckedInputs in{0, 0, 0, DepthNotation::Millimetres};
    // A text that is not one number as a whole ("1,500") never computes with a prefix of it.
    if (!tryReadWhole(cbe_dd.text, in.d) || !positiveFinite(in.d)) fail(cbe_dd, diameterError);
    accept(cbe_dd);

    const SocketDepthText depth = readSocketDepth(cbe_hr.text);
    in.notation = depth.notation;
    if (!depth.hasNumber)
        fail(cbe_hr, depth.notation == DepthNotation::Millimetres ? depthError
                                                                  : "嵌岩深度数据有错：“d”前应为倍数数值");
    if (depth.value < 0) fail(cbe_hr, depthError);
    accept(cbe_hr);
    in.hr = depth.notation == DepthNotation::Millimetres ? depth.value : depth.value * in.d;

    if (!tryReadWhole(edt_frk.text, in.frk) || !positiveFinite(in.frk)) fail(edt_frk, rockStrengthError);
    showStatus(*rockClassName(in.frk), argb::black);
    requireFinite(cbe_hr, {in.hr, in.hr / in.d});
    return in;
}

CircularPileSheetInputs CircularPileWindow::sheetInputs(const CheckedInputs& in) const {
    return {.pileLabel = sheet().nextPileLabel(),
            .diameterText = cbe_dd.text,
            .depthText = cbe_hr.text,
            .gradeText = cbe_hnt.text,
            .processText = cbb_czgy.text,
            .notation = in.notation,
            .frk = in.frk,
            .processIndex = cbb_czgy.itemIndex,
            .mode = precisionMode()};
}

void CircularPileWindow::requireFinite(Control& input, std::initializer_list<double> values) {
    for (const double v : values)
        if (!std::isfinite(v)) fail(input, resultOutOfRangeError);
}

} // namespace qianyan
