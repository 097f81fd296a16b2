#pragma once
// HP-GL commands of a drawing for pen plotters. The emitter turns one entity
// at a time into plotter commands of one of four command sets, each command
// handed to a sink on its own (the plotter channel puts a line end after it
// in a file and nothing on a port). Model millimetres go to plotter units
// through the drawing's extents, the paper factor and the plot scale; the
// arithmetic is single precision and coordinates are written with two
// decimals.
//
// Command sets: 0 HP-GL, 1 HP-GL/2, 2 and 3 two older dialects that are sent
// when the settings hold them.

#include "model/Entity.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Receives one plotter command at a time.
class HpglCommandSink {
public:
    virtual ~HpglCommandSink() = default;
    virtual void Command(std::string_view command) = 0;
};

// A sink that keeps the commands in memory, each followed by lineEnd.
class HpglText : public HpglCommandSink {
public:
    explicit HpglText(std::string_view lineEnd = "\r\n") : lineEnd_(lineEnd) {}
    void Command(std::string_view command) override
    {
        text.append(command);
        text.append(lineEnd_);
    }
    std::string text;

private:
    std::string lineEnd_;
};

// Highest command set known.
inline constexpr int HpglLastCommandSet = 3;

// Paper factor of a plot: 1 unless paperBased; then by the paper index (A0
// ... A6 and three further sizes), 1 for an index outside the table.
float HpglPaperFactor(int paperBased, int paperIndex);

// The plot scale: the extents' automatic scale (1 up to a diagonal of about
// 7,500, then in steps of ten), replaced by the chosen scale when that is at
// least 1. scaleIndex 1..6 chooses 1/100, 1/50, 1/30, 1/20, 1/10, 1/1; 0 (and
// any index outside the list) the drawing's own scale.
float HpglPlotScale(float extMinX, float extMinY, float extMaxX, float extMaxY, int scaleIndex, float documentScale);

// Whether a string holds a double-byte character as plotters count them.
bool HpglHasDoubleByteChar(std::string_view cp932);

class CHpglEmitter;
using HpglEmitterFn = void (CHpglEmitter::*)(const CEntity&, HpglCommandSink&) const;

// The emitter of a kind; null for a kind without one.
HpglEmitterFn HpglEmitterOf(int type);
// Whether an entity kind leaves any trace on the plotter: the kind table
// lets it be plotted and it has an emitter.
bool HpglPlotsKind(int type);

class CHpglEmitter {
public:
    int CommandSet = 0;
    float Unit = 0.025f;      // millimetres per plotter unit
    float OffsetX = 0.0f;     // plotter units
    float OffsetY = 0.0f;
    float PaperFactor = 1.0f;
    float PlotScale = 1.0f;
    float ExtMinX = 0.0f;
    float ExtMinY = 0.0f;
    int CurrentPen = -1;
    int CurrentLineType = 0;

    // Sets Unit and the offsets for the command set from the correction in
    // millimetres; the pen and line type become unknown.
    void Prepare(int commandSet, int offsetXmm, int offsetYmm);

    // The strings that open and close a plot; the origin command carries the
    // correction in the sets that have one (empty otherwise).
    std::string StartString() const;
    std::string OriginCommand(int offsetXmm, int offsetYmm) const;
    std::string EndString() const;

    // Model point and length to plotter units.
    float PlotX(double x) const;
    float PlotY(double y) const;
    float PlotLength(double r) const;

    // Selects the entity's pen and line type where they change, then plots
    // it. Kinds that leave no trace send nothing at all.
    void OutputEntity(const CEntity& e, HpglCommandSink& out);
    // Pen 1..7 as it is; pen 0 and anything else as 2.
    void SelectPen(int pen, HpglCommandSink& out);
    // Line type 0..4 (5..7, the thick ones, and anything else plot solid).
    void SelectLineType(int lineType, int entityType, HpglCommandSink& out);
    void OutputLineType(int lineType, int entityType, HpglCommandSink& out) const;

    // One emitter per kind.
    void OutputPoint(const CEntity& e, HpglCommandSink& out) const;
    void OutputLine(const CEntity& e, HpglCommandSink& out) const;
    void OutputCurve(const CEntity& e, HpglCommandSink& out) const;
    void OutputPointChain(const CEntity& e, HpglCommandSink& out) const;  // polygons, freehand curves
    void OutputCircle(const CEntity& e, HpglCommandSink& out) const;
    void OutputArc(const CEntity& e, HpglCommandSink& out) const;
    void OutputEllipse(const CEntity& e, HpglCommandSink& out) const;  // ellipses and elliptic arcs
    void OutputText(const CEntity& e, HpglCommandSink& out) const;
    void OutputLeaderText(const CEntity& e, HpglCommandSink& out) const;
    void OutputDimension(const CEntity& e, HpglCommandSink& out) const;
    void OutputHatch(const CEntity& e, HpglCommandSink& out) const;

    // A terminator at the model point (px, py) pointing away from (dx, dy):
    // 1 dot, 2 single barb, 3 arrowhead, 4 reversed arrowhead. Its size is
    // fixed in plotter units whatever the scale.
    void OutputArrowhead(int kind, int dotSize, int arrowSize, double px, double py, double dx, double dy,
                         HpglCommandSink& out) const;

    // Move and draw commands in plotter units.
    void MoveTo(float x, float y, HpglCommandSink& out) const;
    void DrawTo(float x, float y, HpglCommandSink& out) const;

private:
    void Stroke(float x1, float y1, float x2, float y2, HpglCommandSink& out) const;
    void TextBody(const CEntity& e, HpglCommandSink& out) const;
};
