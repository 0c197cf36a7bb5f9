#pragma once
// A small drawing to scale of a pile in its ground, as plain shapes in metres, so that the window faces,
// and any page that prints it, paint the same picture from the inputs as they stand. Two views: the
// cross-section in plan, and the elevation with x across the pile axis and y upwards. Texts keep their
// size whatever the scale: each stands beside its point on the side it names.
#include <string>
#include <vector>

namespace qianyan {

// What an element shows; the painter gives each its colour and line.
enum class DrawingInk {
    Pile,
    Soil,
    SoilAlternate,
    Rock,
    RockAlternate,
    Ground,
    Level,
    Marker,
    Bound,
    Dimension
};

struct DrawingRect {
    double left, bottom, right, top;
    DrawingInk ink;
    double cornerRadius = 0; // a circle or an obround in plan
    bool operator==(const DrawingRect&) const = default;
};

struct DrawingLine {
    double x1, y1, x2, y2;
    DrawingInk ink;
    bool operator==(const DrawingLine&) const = default;
};

// Where the text lies from its point: ending there, starting there (both centred in height), or centred
// under it.
enum class TextSide { Left, Right, Below };

struct DrawingText {
    double x, y;
    std::string text;
    TextSide side;
    DrawingInk ink;
    bool operator==(const DrawingText&) const = default;
};

struct DrawingBox {
    double left, bottom, right, top;
};

struct DrawingView {
    std::vector<DrawingRect> rects;
    std::vector<DrawingLine> lines;
    std::vector<DrawingText> texts;

    bool empty() const { return rects.empty() && lines.empty(); }
    // The box around every rectangle and line (the texts lie beside it); requires a view that is not empty.
    DrawingBox box() const;
    bool finite() const;
    bool operator==(const DrawingView&) const = default;
};

struct PileDrawing {
    DrawingView section;
    DrawingView elevation;
    // Why nothing is drawn, for inputs that read but give a picture no scale can hold; empty otherwise (an
    // input that does not read says so itself, beside the input).
    std::string reason = {};

    bool empty() const { return section.empty() && elevation.empty(); }
    bool operator==(const PileDrawing&) const = default;
};

inline constexpr std::string_view notDrawableReason = "尺寸超出可绘范围，未绘图";

// The drawing, or an empty one that says why when a coordinate is not finite or a view is less than a
// micrometre across or high (values far beyond any pile): a picture that cannot be fitted draws nothing.
PileDrawing drawableOrEmpty(PileDrawing drawing);

// Thrown by the number texts below for a value that is not finite; drawnOrNothing catches it.
struct NotDrawable {};

// The drawing that build() returns, checked by drawableOrEmpty; empty, saying why, when a number it writes
// is not finite. Every drawing is made through it, so that a value that overflows while the inputs read
// well (a diameter derived from huge sides) is never drawn or written.
template <class Build> PileDrawing drawnOrNothing(Build&& build) {
    try {
        return drawableOrEmpty(build());
    } catch (const NotDrawable&) {
        return {{}, {}, std::string(notDrawableReason)};
    }
}

// --- Building blocks, all in metres ---

// A section of width × height centred on the origin with its size written under it.
void addSection(DrawingView& view, double width, double height, double cornerRadius, std::string label);

// The elevation of a pile of `width` from `top` down to `tip`, in ground bands that reach `reach` either
// side of its axis.
class Elevation {
public:
    Elevation(double width, double reach) : width_(width), reach_(reach) {}

    // A band of ground across the whole reach, with a text from the pile's right side.
    void band(double top, double bottom, DrawingInk ink, std::string text = {});
    // A band on one side of the pile only (left of it when left), with a text from the pile's side.
    void sideBand(double top, double bottom, bool left, DrawingInk ink, std::string text);
    // A level across the reach with its name at the left.
    void level(double y, DrawingInk ink, std::string name);
    // A depth from top to bottom measured left of the pile, written at its left.
    void depth(double top, double bottom, std::string text);
    // A mark at the pile's side with a text at the left.
    void mark(double y, DrawingInk ink, std::string text);
    // The pile over everything drawn so far; the finished view.
    DrawingView finish(double top, double tip) &&;

private:
    double width_, reach_;
    DrawingView view_;
};

// Numbers as the drawing writes them; each throws NotDrawable for a value that is not finite.
// The shortest text of the value: 1000, 2.5.
std::string drawnNumber(double value);
// With exactly `decimals` decimals.
std::string drawnNumber(double value, int decimals);
// A length in metres: two decimals and "m".
std::string metres(double value);

} // namespace qianyan
