#include "formula1_soil/formula1_soil_window.h"

#include "formula1_soil/formula1_soil_sheets.h"
#include "formula1_soil/side_resistance.h"
#include "formula1_soil/soil_drawing.h"
#include "formula1_soil/soil_reference_tables.h"
#include "framework/layer_grid.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <cmath>

namespace qianyan {

namespace {

constexpr CalculatorFrame::Titles titles{
    {0x4B1E, 0x2D73, 0x15C9, 0x6E08, 0x38A5, 0x0F6D, 0x5291, 0x2AC4, 0x71B3},
    "165271DA7DA00C77B7D85DF6D9305153",
    "165271DA7DA021106BB384D3D930",
    "C0BF56E46B1A0994",
};

constexpr std::string_view negativeNetCapacityWarning = "下拉荷载太大，引发Ra‘<0异常";

Control layerCountList() {
    std::vector<std::string> items;
    for (int n = 1; n <= 20; ++n) items.push_back(std::to_string(n));
    return Control::list(ControlKind::ComboBox, std::move(items), 0);
}

} // namespace

TVOR_FRM_KELD1_1::TVOR_FRM_KELD1_1(Platform& platform)
    : CircularPileWindow(platform, "TVOR_FRM_KELD1_1", titles),
      ckb_fumozhuli(Control::checkBox("考虑桩周土负摩阻力")),
      cbt_fumozhuli(Control::button("负摩阻力", false)),
      ckb_zhengmozhuli(Control::checkBox("考虑桩周土体侧阻力")),
      cbt_zhengmozhuli(Control::button("土侧阻力", false)), edt_kesair(resultOutput()),
      edt_ra(resultOutput()), edt_Qgn(resultOutput()), edt_Rajin(resultOutput()),
      edt_RajinPercent(resultOutput()), edt_rc(resultOutput()),

      Zhengmozhuli_FormLayer(Control::make(ControlKind::Layer).hidden()),
      lb_ZMZLbiaoti(Control::label("桩周土侧阻力")), lb_ZhengTuchengshu(Control::label("考虑侧阻力土层数 n")),
      cbb_ZhengTuchengshu(layerCountList()),
      Grid1_Zhengmozhulijisuan(layerGrid(gridColumns(sideResistanceColumns), {"1", "10.000", "40.00"})),
      lb_Qsk(Control::label({})), lb_ZMZxinxi(Control::label({})), cbt_ZmzlComputer(Control::button("计算")),
      cbt_ZhengZhankai(Control::button("展开")), cbt_Zmzlfanhui(Control::button("返回")),
      gpb_Zcksj(Control::make(ControlKind::GroupBox, "参考数据")),
      lb_Zmzlzbiao(Control::label("表5.3.5-1 桩的极限侧阻力标准值 qsik (kPa)")),
      lb_Zmzlzsm(Control::label(std::string(sideResistanceReferenceNote))),
      Grid2_Zhengmozhulizhibiao(referenceGrid(sideResistanceReferenceColumns, sideResistanceReferenceRows)),

      Fumozhuli_FormLayer(Control::make(ControlKind::Layer).hidden()),
      lb_FMZLbiaoti(Control::label("桩周土负摩阻力")),
      gpb_tccs(Control::make(ControlKind::GroupBox, "输入参数")), cbb_Tuchengshu(layerCountList()),
      cbe_Junbuhezai(Control::list(ControlKind::EditableCombo,
                                   {"0.00", "5.00", "10.00", "20.00", "50.00", "100.00", "150.00", "200.00"},
                                   2)),
      edt_Dimianbiaogao(Control::make(ControlKind::Edit, "-0.300")),
      edt_Zhuangdingbiaogao(Control::make(ControlKind::Edit, "-0.900")),
      Grid1_Fumozhulijisuan(
          layerGrid(gridColumns(downDragColumns), {"1", "新近填土", "-10.000", "17.00", "0.30", "25.00"})),
      lb_FQgn(Control::label({})), lb_FMZxinxi(Control::label({})), cbt_FmzlComputer(Control::button("计算")),
      cbt_fmzlzhankai(Control::button("展开")), cbt_Fmzlfanhui(Control::button("返回")),
      gpb_cksj(Control::make(ControlKind::GroupBox, "参考数据")),
      lb_fmzlxsbiao(Control::label("表5.4.4-1 负摩阻力系数 ξn")),
      lb_fmzlxssm(Control::label(std::string(downDragReferenceNote))),
      Grid2_Fumozhulixishubiao(referenceGrid(downDragReferenceColumns, downDragReferenceRows)) {
    foldSideResistanceColumns(Grid1_Zhengmozhulijisuan, false);
    foldDownDragColumns(Grid1_Fumozhulijisuan, false);
    workbench.declare(workbenchDeclaration());
}

void TVOR_FRM_KELD1_1::declare(WindowDeclaration& d) {
    CircularPileWindow::declare(d);
    d.add(nullptr, {{"Zhengmozhuli_FormLayer", &Zhengmozhuli_FormLayer},
                    {"Fumozhuli_FormLayer", &Fumozhuli_FormLayer}});
    d.add(&MainFormLayer, {{"ckb_fumozhuli", &ckb_fumozhuli},
                           {"cbt_fumozhuli", &cbt_fumozhuli},
                           {"ckb_zhengmozhuli", &ckb_zhengmozhuli},
                           {"cbt_zhengmozhuli", &cbt_zhengmozhuli},
                           {"edt_kesair", &edt_kesair},
                           {"edt_ra", &edt_ra},
                           {"edt_Qgn", &edt_Qgn},
                           {"edt_Rajin", &edt_Rajin},
                           {"edt_RajinPercent", &edt_RajinPercent},
                           {"edt_rc", &edt_rc}});
    d.add(&Zhengmozhuli_FormLayer, {{"lb_ZMZLbiaoti", &lb_ZMZLbiaoti},
                                    {"lb_ZhengTuchengshu", &lb_ZhengTuchengshu},
                                    {"cbb_ZhengTuchengshu", &cbb_ZhengTuchengshu},
                                    {"Grid1_Zhengmozhulijisuan", &Grid1_Zhengmozhulijisuan},
                                    {"lb_Qsk", &lb_Qsk},
                                    {"lb_ZMZxinxi", &lb_ZMZxinxi},
                                    {"cbt_ZmzlComputer", &cbt_ZmzlComputer},
                                    {"cbt_ZhengZhankai", &cbt_ZhengZhankai},
                                    {"cbt_Zmzlfanhui", &cbt_Zmzlfanhui},
                                    {"gpb_Zcksj", &gpb_Zcksj},
                                    {"lb_Zmzlzbiao", &lb_Zmzlzbiao},
                                    {"lb_Zmzlzsm", &lb_Zmzlzsm},
                                    {"Grid2_Zhengmozhulizhibiao", &Grid2_Zhengmozhulizhibiao}});
    d.add(&Fumozhuli_FormLayer, {{"lb_FMZLbiaoti", &lb_FMZLbiaoti},
                                 {"gpb_tccs", &gpb_tccs},
                                 {"cbb_Tuchengshu", &cbb_Tuchengshu},
                                 {"cbe_Junbuhezai", &cbe_Junbuhezai},
                                 {"edt_Dimianbiaogao", &edt_Dimianbiaogao},
                                 {"edt_Zhuangdingbiaogao", &edt_Zhuangdingbiaogao},
                                 {"Grid1_Fumozhulijisuan", &Grid1_Fumozhulijisuan},
                                 {"lb_FQgn", &lb_FQgn},
                                 {"lb_FMZxinxi", &lb_FMZxinxi},
                                 {"cbt_FmzlComputer", &cbt_FmzlComputer},
                                 {"cbt_fmzlzhankai", &cbt_fmzlzhankai},
                                 {"cbt_Fmzlfanhui", &cbt_Fmzlfanhui},
                                 {"gpb_cksj", &gpb_cksj},
                                 {"lb_fmzlxsbiao", &lb_fmzlxsbiao},
                                 {"lb_fmzlxssm", &lb_fmzlxssm},
                                 {"Grid2_Fumozhulixishubiao", &Grid2_Fumozhulixishubiao}});
    declareHandlers(d);
    d.label(cbb_ZhengTuchengshu, lb_ZhengTuchengshu);
    d.label(cbb_Tuchengshu, "考虑负摩阻力土层数 m");
    d.label(cbe_Junbuhezai, "地面大面积荷载 p(kN/m2)");
    d.label(edt_Dimianbiaogao, "地    面    标    高  Eg(m)");
    d.label(edt_Zhuangdingbiaogao, "桩    顶    标    高  Ep(m)");
    d.label(Grid1_Zhengmozhulijisuan, lb_ZMZLbiaoti);
    d.label(Grid1_Fumozhulijisuan, lb_FMZLbiaoti);
    d.rowCount(Grid1_Zhengmozhulijisuan, cbb_ZhengTuchengshu);
    d.rowCount(Grid1_Fumozhulijisuan, cbb_Tuchengshu);
}

std::unique_ptr<CalculatorFrame> TVOR_FRM_KELD1_1::clone() const {
    return std::make_unique<TVOR_FRM_KELD1_1>(*this);
}

void TVOR_FRM_KELD1_1::declareHandlers(WindowDeclaration& d) {
    // What a change of each input clears on the main layer, and what more it does. The panels' own
    // inputs clear nothing there: they only leave their panel to be recomputed.
    declareChanges(
        d, {
               {cbe_dd,
                {&edt_kesair, &edt_ra, &edt_Qgn, &edt_Rajin, &edt_RajinPercent, &edt_rc},
                [this] { diameterChanged(); }},
               {cbe_hr, {&edt_kesair, &edt_ra, &edt_Rajin, &edt_RajinPercent}, [this] { clearStatusText(); }},
               {edt_frk,
                {&edt_kesair, &edt_ra, &edt_Rajin, &edt_RajinPercent},
                [this] { markRockStrengthText(); }},
               {cbe_hnt, {&edt_rc}},
               {cbb_czgy, {&edt_kesair, &edt_ra, &edt_Rajin, &edt_RajinPercent, &edt_rc}},
               {ckb_fumozhuli, {&edt_Qgn, &edt_Rajin, &edt_RajinPercent}, [this] { downDragBoxChanged(); }},
               {ckb_zhengmozhuli,
                {&edt_ra, &edt_Rajin, &edt_RajinPercent},
                [this] { sideResistanceBoxChanged(); }},
               {cbb_ZhengTuchengshu, {}, [this] { sideLayerCountChanged(); }},
               {cbb_Tuchengshu, {}, [this] { downDragLayerCountChanged(); }},
               {cbe_Junbuhezai, {}, [this] { downDragStale(); }},
               {edt_Dimianbiaogao, {}, [this] { downDragStale(); }},
               {edt_Zhuangdingbiaogao, {}, [this] { downDragStale(); }},
           });
    declareClicks(d);
    declarePanelGrids(d);
}

void TVOR_FRM_KELD1_1::diameterChanged() {
    // Both panels depend on the diameter.
    sideResistanceStale();
    downDragStale();
    markDiameterText();
}

void TVOR_FRM_KELD1_1::declareClicks(WindowDeclaration& d) {
    using W = TVOR_FRM_KELD1_1;
    static constexpr struct {
        Control W::*button;
        void (W::*click)();
    } handlers[] = {
        {&W::cbt_zhengmozhuli, &W::cbt_zhengmozhuliClick}, {&W::cbt_ZmzlComputer, &W::cbt_ZmzlComputerClick},
        {&W::cbt_ZhengZhankai, &W::cbt_ZhengZhankaiClick}, {&W::cbt_Zmzlfanhui, &W::cbt_ZmzlfanhuiClick},
        {&W::cbt_fumozhuli, &W::cbt_fumozhuliClick},       {&W::cbt_FmzlComputer, &W::cbt_FmzlComputerClick},
        {&W::cbt_fmzlzhankai, &W::cbt_fmzlzhankaiClick},   {&W::cbt_Fmzlfanhui, &W::cbt_FmzlfanhuiClick},
    };
    for (const auto& h : handlers) d.onClick(this->*h.button, [this, click = h.click] { (this->*click)(); });
}

void TVOR_FRM_KELD1_1::checkDownDragInputs() {
    // The panel reads these leniently, but the sheets print them as numbers: a design is only computed
    // from texts that are numbers as a whole.
    const std::pair<Control*, std::string_view> inputs[] = {{&cbe_Junbuhezai, "地面大面积荷载数据有错"},
                                                            {&edt_Dimianbiaogao, "地面标高数据有错"},
                                                            {&edt_Zhuangdingbiaogao, "桩顶标高数据有错"}};
    for (const auto& [input, message] : inputs) {
        double value = 0;
        if (!tryReadStrict(input->text, value)) fail(*input, message);
        input->color = argb::black;
    }
}

PileDrawing TVOR_FRM_KELD1_1::pileDrawing() const {
    return soilPileDrawing({cbe_dd.text, cbe_hr.text, edt_frk.text,
                            ckb_zhengmozhuli.checked ? &Grid1_Zhengmozhulijisuan.rows : nullptr,
                            ckb_fumozhuli.checked ? &Grid1_Fumozhulijisuan.rows : nullptr,
                            edt_Dimianbiaogao.text, edt_Zhuangdingbiaogao.text});
}

TVOR_FRM_KELD1_1::Evaluated TVOR_FRM_KELD1_1::evaluated() {
    const CheckedInputs in = checkInputs();
    if (ckb_fumozhuli.checked) checkDownDragInputs();
    const Formula1Result rock =
        evaluateFormula1({in.d, in.hr, in.frk, cbe_hnt.itemIndex, cbb_czgy.itemIndex});
    requireFinite(cbe_dd, {rock.rc, rock.area, rock.perimeter});
    requireFinite(edt_frk, {rock.qrk, rock.ra});

    double qsk = 0, qgn = 0;
    if (ckb_zhengmozhuli.checked) {
        const std::optional<double> total = computeSideResistancePanel(in.d);
        if (!total) fail(ckb_zhengmozhuli, resultOutOfRangeError);
        qsk = *total;
    }
    if (ckb_fumozhuli.checked) {
        const std::optional<double> total = computeDownDragPanel(in.d);
        if (!total) fail(ckb_fumozhuli, resultOutOfRangeError);
        qgn = *total;
    }
    const NetCapacity net = netCapacity(rock, qsk, qgn);
    requireFinite(ckb_zhengmozhuli, {net.quk, net.ra});
    // Ra underflows to 0 only for a diameter or strength next to nothing; Ra'/Ra then has no value.
    if (!std::isfinite(net.percent))
        fail(rock.area == 0 ? cbe_dd : edt_frk, "单桩竖向承载力Ra过小，无法计算Ra'/Ra");
    return {in, rock, net};
}

TargetCapacity TVOR_FRM_KELD1_1::targetCapacity() {
    const Evaluated e = evaluated();
    return {e.net.raNet, e.rock.rc};
}

void TVOR_FRM_KELD1_1::cbt_computeClick() {
    popbox_jingdu.visible = false;
    const auto [in, rock, net] = evaluated();
    writeOutputs(rock, net);
    if (workbenchOpen()) return;
    appendDesign(formula1SoilSheetDesign(sheetInputs(in), rock, net, soilSheetInputs()),
                 {net.raNet, rock.rc});
}

SoilSheetInputs TVOR_FRM_KELD1_1::soilSheetInputs() const {
    SoilSheetInputs s{};
    if (ckb_zhengmozhuli.checked)
        s.sideResistance =
            SideResistanceSheetInputs{cbb_ZhengTuchengshu.text, &Grid1_Zhengmozhulijisuan.rows};
    // checkDownDragInputs has made sure that p, Eg and Ep read.
    if (ckb_fumozhuli.checked)
        s.downDrag = DownDragSheetInputs{cbb_Tuchengshu.text,
                                         readStrict(cbe_Junbuhezai.text),
                                         readStrict(edt_Dimianbiaogao.text),
                                         readStrict(edt_Zhuangdingbiaogao.text),
                                         &Grid1_Fumozhulijisuan.rows,
                                         downDragOverlapWarning_};
    return s;
}

void TVOR_FRM_KELD1_1::writeOutputs(const Formula1Result& rock, const NetCapacity& net) {
    const PrecisionMode mode = precisionMode();
    edt_kesair.text = fixed(rock.zetaR, 7, 4);
    edt_kesair.color = edt_ra.color = rock.clamped ? argb::magenta : argb::green;
    if (rock.clamped) showStatus(depthRatioClampWarning, argb::magenta);
    // The sign of Ra' decides its colour, over the clamp's.
    const bool negative = net.raNet < 0;
    edt_Rajin.color = edt_RajinPercent.color = negative ? argb::magenta : argb::green;
    if (negative) showStatus(negativeNetCapacityWarning, argb::magenta);

    edt_ra.text = modeAmount(net.ra, mode, 7);
    edt_rc.text = modeAmount(rock.rc, mode, 7);
    edt_Qgn.text = modeAmount(net.qgn, mode, 7);
    edt_Rajin.text = modeAmount(net.raNet, mode, 7);
    edt_RajinPercent.text = modeShare(net.percent, mode) + "%";
}

} // namespace qianyan
