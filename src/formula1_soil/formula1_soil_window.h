#pragma once
// The Formula 1 with soil layers window as a model: Formula 1 plus the soil side resistance Qsk and the
// down-drag load Qgn, each from its own panel (a layer of this window with a grid of soil layers), giving
// the net capacity Ra' = Ra − Qgn. The panels compute on their own and again inside every evaluation
// whose check box is ticked (formula1_soil_window.cpp: main layer; soil_panels.cpp: the two panels).
#include "circular_pile/circular_pile_window.h"
#include "formula1_soil/down_drag.h"
#include "formula1_soil/formula1_soil_sheets.h"
#include "formula1_soil/net_capacity.h"

namespace qianyan {

class TVOR_FRM_KELD1_1 : public CircularPileWindow {
public:
    explicit TVOR_FRM_KELD1_1(Platform& platform);

    std::string_view calculatorName() const override { return "公式一 (土层)"; }

    // --- Main layer, beyond the circular-pile inputs ---
    Control ckb_fumozhuli, cbt_fumozhuli, ckb_zhengmozhuli, cbt_zhengmozhuli;
    Control edt_kesair, edt_ra, edt_Qgn, edt_Rajin, edt_RajinPercent, edt_rc;

    // --- Soil side-resistance panel ---
    Control Zhengmozhuli_FormLayer, lb_ZMZLbiaoti, lb_ZhengTuchengshu, cbb_ZhengTuchengshu;
    Grid Grid1_Zhengmozhulijisuan;
    Control lb_Qsk, lb_ZMZxinxi, cbt_ZmzlComputer, cbt_ZhengZhankai, cbt_Zmzlfanhui;
    Control gpb_Zcksj, lb_Zmzlzbiao, lb_Zmzlzsm;
    Grid Grid2_Zhengmozhulizhibiao;

    // --- Down-drag panel ---
    Control Fumozhuli_FormLayer, lb_FMZLbiaoti, gpb_tccs;
    Control cbb_Tuchengshu, cbe_Junbuhezai, edt_Dimianbiaogao, edt_Zhuangdingbiaogao;
    Grid Grid1_Fumozhulijisuan;
    Control lb_FQgn, lb_FMZxinxi, cbt_FmzlComputer, cbt_fmzlzhankai, cbt_Fmzlfanhui;
    Control gpb_cksj, lb_fmzlxsbiao, lb_fmzlxssm;
    Grid Grid2_Fumozhulixishubiao;

    void cbt_computeClick() override;
    // The target is the net capacity Ra'.
    TargetCapacity targetCapacity() override;
    std::string_view targetCapacityName() const override { return "Ra'"; }
    // The pile through the soil layers of the panels whose terms count.
    PileDrawing pileDrawing() const override;

    // Soil side-resistance panel (soil_panels.cpp)
    void cbt_zhengmozhuliClick();
    void Grid1_ZhengmozhulijisuanSelectCell(int row, int column);
    void Grid1_ZhengmozhulijisuanEditingDone(int row, int column);
    void cbt_ZmzlComputerClick();
    void cbt_ZhengZhankaiClick();
    void cbt_ZmzlfanhuiClick();
    // Down-drag panel (soil_panels.cpp)
    void cbt_fumozhuliClick();
    void Grid1_FumozhulijisuanSelectCell(int row, int column);
    void Grid1_FumozhulijisuanEditingDone(int row, int column);
    void cbt_FmzlComputerClick();
    void cbt_fmzlzhankaiClick();
    void cbt_FmzlfanhuiClick();

    // The workbench adapter's own half (formula1_soil_workbench.cpp): the circular-pile options plus the
    // two switches that decide for a whole sweep whether the down-drag and the side resistance count.
    std::vector<LoopCounts> readOptionRows() override;
    void writeCandidate(std::size_t kind, const CandidateStep& step) override;
    std::unique_ptr<CalculatorFrame> clone() const override;
    void loadCandidate(const TextTable& table, std::size_t row) override;
    // The soil data of the panels as they stand, boxed after the table file.
    void writeTableAppendix(const LineSink& sink, const TextTable& table) override;
    // The switches of the sweep being run (option rows 5 and 6), ticked or cleared in the check boxes
    // when its first candidate is written, and carried in every row of its table.
    struct SweepSwitches {
        bool downDrag = false, sideResistance = false;
    };
    const SweepSwitches& sweepSwitches() const { return sweepSwitches_; }

protected:
    // The controls of the main page and both panels; what each input's change clears and does is one
    // table (declareHandlers), the panels' buttons and grids are declared with it.
    void declare(WindowDeclaration& d) override;

private:
    static const WorkbenchDeclaration& workbenchDeclaration();
    void writeDownDragAppendix(const LineSink& sink) const;

    SweepSwitches sweepSwitches_;

    void declareHandlers(WindowDeclaration& d);
    void declareClicks(WindowDeclaration& d);
    void declarePanelGrids(WindowDeclaration& d);

    // Back from a panel: the main layer with the outputs the panel feeds cleared.
    void showMainLayer(const Outputs& fed);
    void showPanel(Control& panel);

    // Further effects of input changes.
    void diameterChanged();
    void downDragBoxChanged() { cbt_fumozhuli.enabled = ckb_fumozhuli.checked; }
    void sideResistanceBoxChanged() { cbt_zhengmozhuli.enabled = ckb_zhengmozhuli.checked; }
    void sideResistanceStale();
    void downDragStale();
    void sideLayerCountChanged();
    void downDragLayerCountChanged();

    // The diameter as the panels' own 计算 reads it: the whole text as a number above 0, or none.
    std::optional<double> panelDiameter() const;
    // Runs a panel for diameter d and shows its result: the total as written, or none when a value went
    // beyond the range of numbers.
    std::optional<double> computeSideResistancePanel(double d);
    std::optional<double> computeDownDragPanel(double d);
    // The down-drag inputs p, Eg and Ep, which the sheets print, under the error convention.
    void checkDownDragInputs();

    // The compute handler's checks and evaluation, the panels of the ticked terms included.
    struct Evaluated {
        CheckedInputs in;
        Formula1Result rock;
        NetCapacity net;
    };
    Evaluated evaluated();
    void writeOutputs(const Formula1Result& rock, const NetCapacity& net);
    // The panels' data of the design just computed, for its Doc block.
    SoilSheetInputs soilSheetInputs() const;

    std::string downDragOverlapWarning_; // of the latest down-drag computation
};

} // namespace qianyan
