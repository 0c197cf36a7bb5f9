#pragma once
// The Formula 3 window (rock sockets through up to nine layers, circular or non-circular sections) as a
// model: the section inputs, the layer table with its options, the outputs with the check by ζr and the
// verdict, their change handlers and the compute handler.
//
// What each input's change empties is a table (formula3_window_inputs.cpp); the handlers below hold only
// what a change does beyond emptying those outputs and bringing back 计算.
#include "formula3/formula3_evaluation.h"
#include "formula3/formula3_workbench.h"
#include "framework/calculator_frame.h"
#include "framework/layer_grid.h"

namespace qianyan {

class TVOR_FRM_KELD3 : public CalculatorFrame, public WorkbenchCalculator, public TargetCalculator {
public:
    explicit TVOR_FRM_KELD3(Platform& platform);

    std::string_view calculatorName() const override { return "公式三"; }

    // Group 基桩参数: section and pile.
    Control lb_jmlx, cbb_jmlx, lb_dd, cbe_dd, lb_tyzd, cbe_tyzd, lb_deqcheck, cbb_deqcheck, lb_jmApU,
        cbb_JmApU;
    Control lb_hnt, cbb_hnt, lb_czgy, cbb_czgy;
    // Group 基岩参数: the layer table and its options.
    Control gpb_yscs;
    Grid StringGrid_KELD3;
    Control lb_yanchengshu, cbb_yanchengshu, lb_chezhuxishu, cbb_chezhuxishu;
    Control lb_yanshiqiangdu, lb_qiangduquzhi, cbb_qiangduzhi, lb_qiangduquzhi_daxjs, cbb_qiangduquzhi_daxjs;
    Control lb_qianyanchangdu, lb_qianyanshengdu, cbb_qianyanshengdu, lb_qianyanshengdu_daxjs,
        cbb_qianyanshengdu_daxjs;
    Control ckb_chaoguifan, ckb_duanzhuzhejian, cbe_duanzhuzhejian, cbt_kuozhanbiaoge;
    // Group 计算结果.
    Control lb_ddeq, edt_ddeq, lb_ra, edt_ra, lb_percent, edt_percent, lb_RaZW1, edt_RaZW, lb_Rc, edt_Rc;
    Control lb_Quk, edt_Quk, edt_kersair;

    void cbt_computeClick() override;
    PileDrawing pileDrawing() const override;

    void cbb_jmlxChange();
    void cbe_ddChange();
    void cbe_tyzdChange();
    void cbb_deqcheckChange();
    void cbb_JmApUChange();
    void cbb_yanchengshuChange();
    void cbb_chezhuxishuChange();
    void cbb_qiangduzhiChange();
    void cbb_qiangduquzhi_daxjsChange();
    void ckb_chaoguifanChange();
    void ckb_duanzhuzhejianChange();
    void cbe_duanzhuzhejianChange();
    void cbt_kuozhanbiaogeClick();
    // Only the typed columns 1-4 can be edited.
    void StringGrid_KELD3SelectCell(int row, int column);
    void StringGrid_KELD3EditingDone(int row, int column);

    // Whether the layer table shows all its columns (the expand button reads "折叠").
    bool layerTableExpanded() const { return layerGridExpanded(cbt_kuozhanbiaoge); }

    // The target (formula3_target.cpp): the length of the bottom layer is searched, in metres as the table
    // takes it; the diameters are the list's, for a circle only.
    TargetCalculator* targetAdapter() override { return this; }
    bool targetByBottomLayer() const override { return true; }
    std::optional<Axis> targetAxis() override;
    std::string targetLengthText(long long length) const override;
    void putTargetLength(long long length) override;
    void adoptTargetLength(long long length) override;
    std::vector<std::string> targetDiameters(std::string& whyNone) const override;
    void putTargetDiameter(const std::string& text) override { cbe_dd.text = text; }
    TargetCapacity targetCapacity() override;

    // The workbench adapter (formula3_workbench.cpp).
    WorkbenchCalculator* workbenchAdapter() override { return this; }
    std::unique_ptr<CalculatorFrame> clone() const override;
    std::vector<LoopCounts> readOptionRows() override;
    void writeCandidate(std::size_t kind, const CandidateStep& step) override;
    void loadCandidate(const TextTable& table, std::size_t row) override;
    // The candidate just evaluated, for the workbench's table cells.
    const Formula3Sweep& sweep() const { return sweep_; }
    bool lastCompliant() const { return lastCompliant_; }

protected:
    void declare(WindowDeclaration& d) override;

private:
    // The outputs the layers and their options feed; the section lists add deq; the dimensions and the
    // section type add Rc.
    Outputs capacityOutputs() { return {&edt_Quk, &edt_ra, &edt_percent, &edt_RaZW}; }
    Outputs sectionOutputs() { return {&edt_ddeq, &edt_Quk, &edt_ra, &edt_percent, &edt_RaZW}; }
    Outputs allOutputs() { return {&edt_ddeq, &edt_Quk, &edt_ra, &edt_percent, &edt_RaZW, &edt_Rc}; }
    // The change table, the expand button and the layer grid as the window's declarations.
    void declareInputs(WindowDeclaration& d);

    void clearStatusInBlack();
    // The text of a dimension field: marked black when it passes, red with the message when not.
    void markDimension(Control& input, bool zeroAllowed, std::string_view message);
    void showLayerColumns();
    // The reduction controls follow the two check boxes.
    void enableEndReduction();

    static const WorkbenchDeclaration& workbenchDeclaration();
    void startSweptSection(SweptSection section);
    void writeSweptDimensions();
    void writeSweptSocketLength();
    // Writes a cell of the first layer as an edit would, when its text changes.
    void writeLayerCell(std::size_t column, std::string_view text);

    // The compute handler's checks and evaluation.
    struct Evaluated {
        RockLayerOptions options;
        Formula3Result r;
    };
    Evaluated evaluated();
    SectionGeometry checkSection();
    RockLayerOptions checkedLayerOptions();
    void writeOutputs(const Formula3Result& r);
    SheetDesign sheetDesign(const RockLayerOptions& options, const Formula3Result& r) const;

    Formula3Sweep sweep_;
    bool lastCompliant_ = true; // the verdict of the last evaluation, for the workbench's table
};

} // namespace qianyan
