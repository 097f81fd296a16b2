#pragma once
// One plot run: the drawing's entities sent to a plotter channel, one entity
// per step, so that a timer can drive it and the user can cancel between two
// entities. The channel is a port or a file; the run opens it, sends the
// start string, the entities and the end string, and closes it.

#include "exchange/HpglWrite.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The output of a run: a serial or parallel port, or a file.
class PlotChannel {
public:
    virtual ~PlotChannel() = default;
    // Indices into the settings tables; flow is a bit set (1 DSR/DTR,
    // 2 RTS/CTS, 4 XON/XOFF). False when the channel could not be opened.
    virtual bool Open(int port, int baud, int dataBits, int parity, int stopBits, unsigned flow) = 0;
    // One command. False when the device took nothing for its time-out.
    virtual bool WriteLine(std::string_view text) = 0;
    // False when what was written could not be kept (a file not saved).
    virtual bool Close() = 0;
};

// What a run needs to know of the drawing and the settings.
struct PlotJob {
    int32_t ToFile = 0;
    int32_t PaperBased = 0;
    int32_t PaperIndex = 0;
    int32_t ScaleIndex = 0;
    int32_t OffsetXmm = 0;
    int32_t OffsetYmm = 0;
    float DocumentScale = 1.0f;
    int32_t CommandSet = 0;
    int32_t Port = 0;
    int32_t BaudIndex = 2;
    int32_t DataBitsIndex = 4;
    int32_t Parity = 0;
    int32_t StopBitsIndex = 0;
    int32_t FlowControl = 0;
    float ExtMinX = 0.0f;
    float ExtMinY = 0.0f;
    float ExtMaxX = 0.0f;
    float ExtMaxY = 0.0f;
    int32_t AllLayers = 0;
    int16_t PlotCurrentLayer = 0;
    std::array<uint8_t, 128> LayerStates{};  // 2 shown, 1 off-colour, 0 hidden
    const CEntity* First = nullptr;
};

// Why a run ended early.
namespace PlotError {
inline constexpr int None = 0;
inline constexpr int NoCommandSet = 1;  // command set above the known ones
inline constexpr int OpenFailed = 3;    // the port could not be opened
inline constexpr int NothingToPlot = 4; // the drawing holds no entity
inline constexpr int Stalled = 5;       // the port took nothing for its time-out
inline constexpr int FileFailed = 6;    // the file could not be created or saved
} // namespace PlotError

// The message of an error code (UTF-8); empty for None.
std::string_view PlotErrorMessage(int error);
// Shown with a beep as soon as a port refuses to open.
inline constexpr const char* PlotPortOpenMessage = "ポートのオープンに失敗しました。";

// Flow bits of the flow-control index: 0, 1, 2, 3 → 0, 1, 2, 4.
unsigned PlotFlowFlags(int flowControl);

// Whether the run plots an entity of the given layer: every layer with
// allLayers, the current layer, and any layer shown in its own colours.
bool PlotTakesLayer(const PlotJob& job, int type, int layer);

class CPlotRun {
public:
    CPlotRun(const PlotJob& job, PlotChannel& channel) : job_(job), channel_(channel) {}
    ~CPlotRun();
    CPlotRun(const CPlotRun&) = delete;
    CPlotRun& operator=(const CPlotRun&) = delete;

    // Opens the channel and sends the start. The error code (PlotError);
    // None leaves the run open.
    int Start();

    enum class Step { Running, Finished, Failed };
    // Plots the current entity and moves on; Finished after the end string
    // went out and the channel closed; Failed when Error() tells why.
    Step Tick();
    // Ends an open run: the end string, then the channel closes. Does nothing
    // once the run is over.
    void Cancel();

    bool IsRunning() const { return running_; }
    int Error() const { return error_; }
    int EntityCount() const { return count_; }
    int ProgressStep() const { return step_; }
    int Percent() const { return percent_; }
    const CHpglEmitter& Emitter() const { return emitter_; }

private:
    class ChannelSink;
    bool Send(std::string_view command);
    void Finish();

    PlotJob job_;
    PlotChannel& channel_;
    CHpglEmitter emitter_;
    const CEntity* current_ = nullptr;
    int count_ = 0;
    int step_ = 0;
    int sinceStep_ = 0;
    int percent_ = 0;
    int error_ = PlotError::None;
    bool running_ = false;
    bool channelOpen_ = false;
};

// A channel that keeps what a run sends in memory: each command followed by
// CR LF like a file, or nothing like a port.
class PlotTextChannel : public PlotChannel {
public:
    explicit PlotTextChannel(bool fileMode = true) : lineEnd_(fileMode ? "\r\n" : "") {}
    bool Open(int, int, int, int, int, unsigned) override
    {
        ++opens;
        return !refuseOpen;
    }
    bool WriteLine(std::string_view line) override
    {
        text.append(line);
        text.append(lineEnd_);
        return true;
    }
    bool Close() override
    {
        ++closes;
        return true;
    }
    std::string text;
    bool refuseOpen = false;
    int opens = 0;
    int closes = 0;

private:
    std::string lineEnd_;
};
