#include "framework/target_design.h"

#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/sheet_cells.h"
#include "framework/target_search.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace {

// The table's rows are read every half of the depth ratio up to 8, the largest bound of any rock.
constexpr double ratioStep = 0.5, ratioBound = 8.0;

// The columns of "      单桩竖向承载力特征值Ra:      ", before the value of a result line.
constexpr std::size_t columnsOfValueLabels = 39;

constexpr std::string_view badTarget = "目标有错";
constexpr std::string_view badInputs = "输入有错";
constexpr std::string_view unreachable = "达不到";
constexpr std::string_view noDiameter = "无";

enum class LoadText { Empty, Bad, Load };

// A load as typed: empty, or a number above 0 that is finite as a whole text.
LoadText readLoad(std::string_view text, double& value) {
    if (text.find_first_not_of(' ') == std::string_view::npos) return LoadText::Empty;
    return tryReadWhole(text, value) && std::isfinite(value) && value > 0 ? LoadText::Load : LoadText::Bad;
}

std::string amountText(double value) {
    return fixed(value, 15, 2);
}

// Puts the window's controls back as they were when it was made, whatever way the trials end.
class Restorer {
public:
    explicit Restorer(CalculatorFrame& frame) : frame_(frame), saved_(frame.ownControls()) {}
    ~Restorer() { frame_.restoreOwnControls(std::move(saved_), false); }
    Restorer(const Restorer&) = delete;
    Restorer& operator=(const Restorer&) = delete;
    void restore() { frame_.restoreOwnControls(CalculatorFrame::OwnControls(saved_), false); }

private:
    CalculatorFrame& frame_;
    CalculatorFrame::OwnControls saved_;
};

std::optional<TargetCapacity> tryCapacity(TargetCalculator& calculator) {
    try {
        const TargetCapacity c = calculator.targetCapacity();
        if (std::isfinite(c.ra) && std::isfinite(c.rc)) return c;
    } catch (const SilentAbort&) {
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

bool meets(const std::optional<TargetCapacity>& c, const TargetDesign::Targets& t) {
    return c && c->ra >= t.ra && (!t.n || c->rc >= *t.n);
}

std::vector<std::string> diametersBySize(std::vector<std::string> texts) {
    std::vector<std::pair<double, std::string>> sized;
    for (std::string& text : texts) {
        double d = 0;
        if (tryReadWhole(text, d) && std::isfinite(d) && d > 0) sized.emplace_back(d, std::move(text));
    }
    std::ranges::stable_sort(sized, {}, &std::pair<double, std::string>::first);
    std::vector<std::string> sorted;
    for (auto& [d, text] : sized) sorted.push_back(std::move(text));
    return sorted;
}

LengthSearch searchOf(const TargetCalculator::Axis& axis) {
    return {depthRatioBreakpoints(axis.diameter, axis.offset, ratioStep, ratioBound), axis.growsBeyond};
}

} // namespace

TargetDesign::TargetDesign() {
    gpb_Mubiao = Control::make(ControlKind::GroupBox, "目标设计");
    edt_MubiaoRa = Control::make(ControlKind::Edit);
    edt_MubiaoN = Control::make(ControlKind::Edit);
    for (Control* out : {&edt_XuyaoHr, &edt_XuyaoHrD, &edt_XuyaoLr, &edt_XuyaoD})
        *out = Control::output(argb::green);
    cbt_Caiyong = Control::button("采用", false).withHint("把所需嵌岩深度填入输入参数");
}

void TargetDesign::declareControls(WindowDeclaration& d, const Control& page, TargetCalculator& calculator) {
    d.add(&page, {{"gpb_Mubiao", &gpb_Mubiao},
                  {"edt_MubiaoRa", &edt_MubiaoRa},
                  {"edt_MubiaoN", &edt_MubiaoN},
                  {"edt_XuyaoD", &edt_XuyaoD},
                  {"cbt_Caiyong", &cbt_Caiyong}});
    if (calculator.targetByBottomLayer()) {
        d.add(&page, {{"edt_XuyaoLr", &edt_XuyaoLr}});
        d.label(edt_XuyaoLr, "所需最下层嵌岩长度 lr (m)");
    } else {
        d.add(&page, {{"edt_XuyaoHr", &edt_XuyaoHr}, {"edt_XuyaoHrD", &edt_XuyaoHrD}});
        d.label(edt_XuyaoHr, "所需嵌岩深度 hr (mm)");
        d.label(edt_XuyaoHrD, "(×d)");
    }
    d.label(edt_MubiaoRa, "目标承载力特征值 Ra (kN)");
    d.accepts(edt_MubiaoRa, "空着表示不设目标");
    d.tableHeader(edt_MubiaoRa, "目标Ra");
    d.label(edt_MubiaoN, "桩顶轴力设计值 N (kN)");
    d.tableHeader(edt_MubiaoN, "轴力N");
    d.accepts(edt_MubiaoN, "可空着");
    d.label(edt_XuyaoD, "所需桩径 d (mm)");
    d.onClick(cbt_Caiyong, [this, &calculator] {
        if (adoptable_) calculator.adoptTargetLength(*adoptable_);
    });
}

std::optional<TargetDesign::Targets> TargetDesign::targets() const {
    Targets t{};
    double n = 0;
    if (readLoad(edt_MubiaoRa.text, t.ra) != LoadText::Load) return std::nullopt;
    switch (readLoad(edt_MubiaoN.text, n)) {
    case LoadText::Empty:
        return t;
    case LoadText::Load:
        t.n = n;
        return t;
    case LoadText::Bad:
        break;
    }
    return std::nullopt;
}

void TargetDesign::clearAnswers() {
    for (Control* out : {&edt_XuyaoHr, &edt_XuyaoHrD, &edt_XuyaoLr, &edt_XuyaoD}) {
        out->text.clear();
        out->color = argb::green;
        out->hint.clear();
    }
    edt_MubiaoRa.color = edt_MubiaoN.color = argb::black;
    cbt_Caiyong.enabled = false;
    adoptable_.reset();
}

Control* TargetDesign::badInput(std::string_view& message) {
    double value = 0;
    if (readLoad(edt_MubiaoRa.text, value) == LoadText::Bad) {
        message = "目标承载力特征值有错：应为大于0的数值，或空着";
        return &edt_MubiaoRa;
    }
    if (readLoad(edt_MubiaoN.text, value) == LoadText::Bad) {
        message = "桩顶轴力设计值有错：应为大于0的数值，或空着";
        return &edt_MubiaoN;
    }
    return nullptr;
}

void TargetDesign::refresh(CalculatorFrame& frame, TargetCalculator& calculator) {
    try {
        if (!shownStatus_.empty() && frame.lb_shuoming.text == shownStatus_) frame.lb_shuoming.text.clear();
        shownStatus_.clear();
        clearAnswers();
        std::string_view message;
        if (Control* bad = badInput(message)) {
            bad->color = argb::red;
            lengthField(calculator).text = edt_XuyaoD.text = badTarget;
            lengthField(calculator).color = edt_XuyaoD.color = argb::red;
            showStatus(frame, std::string(message), argb::red);
            return;
        }
        if (const std::optional<Targets> t = targets()) answer(frame, calculator, *t);
    } catch (...) {
        // A lack of memory in the middle of the trials leaves no answer rather than a stale one.
        clearAnswers();
    }
}

void TargetDesign::answer(CalculatorFrame& frame, TargetCalculator& calculator, const Targets& targets) {
    Control& lengthOut = lengthField(calculator);
    std::optional<LengthAnswer> depth;
    std::optional<TargetCalculator::Axis> axis;
    std::string diameter, diameterAtBound, whyNoDiameter;
    {
        Restorer restorer(frame);
        axis = calculator.targetAxis();
        if (axis) {
            depth = smallestLength(
                searchOf(*axis),
                [&](long long length) -> std::optional<double> {
                    calculator.putTargetLength(length);
                    const std::optional<TargetCapacity> c = tryCapacity(calculator);
                    return c ? std::optional<double>(c->ra) : std::nullopt;
                },
                targets.ra);
            restorer.restore();
        }
        // The smallest diameter of the list at the depth as typed, and where no depth reaches the target,
        // the smallest at the table's bound.
        for (const std::string& d : diametersBySize(calculator.targetDiameters(whyNoDiameter))) {
            calculator.putTargetDiameter(d);
            if (diameter.empty() && meets(tryCapacity(calculator), targets)) diameter = d;
            if (depth && !depth->length && diameterAtBound.empty())
                if (const auto bound = calculator.targetAxis()) {
                    const LengthSearch search = searchOf(*bound);
                    calculator.putTargetLength(search.growsBeyond ? search.maxLength
                                                                  : search.breakpoints.back());
                    if (meets(tryCapacity(calculator), targets)) diameterAtBound = d;
                }
            restorer.restore();
        }
    }
    if (!depth || !depth->most) {
        lengthOut.text = badInputs;
        lengthOut.color = argb::red;
    } else if (depth->length) {
        lengthOut.text = calculator.targetLengthText(*depth->length);
        if (!calculator.targetByBottomLayer())
            edt_XuyaoHrD.text = fixed(static_cast<double>(*depth->length) / axis->diameter, 7, 2);
        adoptable_ = depth->length;
        cbt_Caiyong.enabled = true;
    } else {
        lengthOut.text = unreachable;
        lengthOut.color = edt_XuyaoHrD.color = argb::magenta;
        std::string message = "目标" + std::string(calculator.targetCapacityName()) + "达不到：本桩径最多 " +
                              amountText(*depth->most) + " kN";
        message += diameterAtBound.empty() ? "，桩径列表中没有能达到的桩径"
                                           : "，桩径列表中至少需 d=" + diameterAtBound + " mm";
        showStatus(frame, message, argb::magenta);
    }
    if (!whyNoDiameter.empty()) {
        edt_XuyaoD.text = "-";
        edt_XuyaoD.hint = whyNoDiameter;
    } else {
        edt_XuyaoD.text = diameter.empty() ? std::string(noDiameter) : diameter;
        if (diameter.empty()) edt_XuyaoD.color = argb::magenta;
    }
}

void TargetDesign::showStatus(CalculatorFrame& frame, const std::string& message, std::uint32_t color) {
    frame.showStatus(message, color);
    shownStatus_ = message;
}

DocLines TargetDesign::docLines(const TargetCalculator& calculator, const TargetCapacity& design) const {
    const std::optional<Targets> t = targets();
    if (!t) return {};
    // Labels padded to the column the result lines put their values at (a wide character takes two).
    const auto label = [](std::string_view text, std::size_t columns) {
        return std::string(text) + std::string(columnsOfValueLabels - columns, ' ');
    };
    const std::string_view name = calculator.targetCapacityName();
    const auto verdict = [](bool met) { return met ? "  满足" : "  不满足"; };
    DocLines lines{
        docHeading("  目标设计:"),
        docValue(label("      目标承载力特征值" + std::string(name) + ":", 23 + name.size()),
                 fixed(t->ra, 10, 2), 10, " kN") +
            verdict(design.ra >= t->ra),
    };
    if (t->n)
        lines.push_back(docValue(label("      桩顶轴力设计值N:", 22), fixed(*t->n, 10, 2), 10, " kN") +
                        verdict(design.rc >= *t->n));
    return lines;
}

} // namespace qianyan
