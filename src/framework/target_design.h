#pragma once
// Designing for a target load, live on every calculator's main page: the engineer types the capacity the
// pile must have (and, if the body matters, the axial load at its top), and the window answers with the
// smallest socket depth for the diameter as typed, and the smallest diameter of its list for the depth as
// typed, whenever anything changes, without 计算 and without touching the sheets. 采用 writes the depth
// into the input as a person would, so the next 计算 records that design.
//
// The answers come from the window's own computation (TargetCalculator, which each calculator supplies
// from its compute handler's checks and evaluation), searched by smallestLength; the window's controls
// are put back after every trial.
#include "framework/controls.h"
#include "framework/doc_line.h"
#include "framework/window_declaration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

class CalculatorFrame;

// What a design carries, as 计算 computes it: the capacity compared with the target (Ra, or the net Ra'
// where the down-drag is taken off) and the pile body's Rc compared with the axial load.
struct TargetCapacity {
    double ra, rc;
};

// A calculator's side of the target: where the searched length lies and how the window computes with it.
class TargetCalculator {
public:
    // The depth ratio the tables are read by is (length + offset) / diameter, in millimetres.
    struct Axis {
        double diameter, offset;
        bool growsBeyond; // the capacity still grows past the table's bound
    };

    virtual ~TargetCalculator() = default;
    // Whether the searched length is the bottom layer of a layer table (edt_XuyaoLr) rather than the
    // socket depth (edt_XuyaoHr and its multiple of d).
    virtual bool targetByBottomLayer() const { return false; }
    // The capacity's name in the sheets: Ra, or Ra' for the net capacity.
    virtual std::string_view targetCapacityName() const { return "Ra"; }
    // The axis as the inputs stand; none when they do not read.
    virtual std::optional<Axis> targetAxis() = 0;
    // The length as a person types it into its input, and put there without running any handler.
    virtual std::string targetLengthText(long long length) const = 0;
    virtual void putTargetLength(long long length) = 0;
    // 采用: the length typed into its input as a person would.
    virtual void adoptTargetLength(long long length) = 0;
    // The diameters to try, as the list offers them; empty with a reason where the section has none.
    virtual std::vector<std::string> targetDiameters(std::string& whyNone) const = 0;
    virtual void putTargetDiameter(const std::string& text) = 0;
    // The capacity with the inputs as they stand, by the compute handler's own checks and evaluation;
    // throws as the handler does where it would stop.
    virtual TargetCapacity targetCapacity() = 0;
};

class TargetDesign {
public:
    TargetDesign();

    Control gpb_Mubiao, edt_MubiaoRa, edt_MubiaoN;
    Control edt_XuyaoHr, edt_XuyaoHrD, edt_XuyaoLr, edt_XuyaoD, cbt_Caiyong;

    // The group on the page with its labels, and 采用; the searched-length fields that calculator has.
    void declareControls(WindowDeclaration& d, const Control& page, TargetCalculator& calculator);
    // Brings the answers up to date with the inputs (after every event). Never throws.
    void refresh(CalculatorFrame& frame, TargetCalculator& calculator);
    // The Doc lines of a design computed with a target: the target and whether the design meets it; none
    // without a target.
    DocLines docLines(const TargetCalculator& calculator, const TargetCapacity& design) const;

    struct Targets {
        double ra;
        std::optional<double> n;
    };
    // The targets as typed; none when Ra is empty or either does not read as a load above 0.
    std::optional<Targets> targets() const;
    // The target field whose text is neither empty nor a load above 0, with what is wrong; none when both
    // are good. 计算 refuses to record a design while one is bad.
    Control* badInput(std::string_view& message);

private:
    void clearAnswers();
    Control& lengthField(TargetCalculator& calculator) {
        return calculator.targetByBottomLayer() ? edt_XuyaoLr : edt_XuyaoHr;
    }
    void answer(CalculatorFrame& frame, TargetCalculator& calculator, const Targets& targets);

    // Writes the status line, remembered so that the next refresh takes back what no longer holds.
    void showStatus(CalculatorFrame& frame, const std::string& message, std::uint32_t color);

    std::optional<long long> adoptable_; // the length 采用 writes
    std::string shownStatus_;
};

} // namespace qianyan
