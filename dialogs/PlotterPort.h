#pragma once
// The output channel of a plot: a serial port (COM1..COM4), a parallel port
// (LPT1, LPT2) or a file. In a file each command stands on a line of its own
// (CR LF); a port gets the commands back to back. The file is written beside
// its target and put in place when the channel closes, so a plot that fails
// leaves an older file as it was.

#include "exchange/PlotRun.h"
#include "platform/Files.h"
#include "platform/Ports.h"

#include <QString>

#include <memory>
#include <optional>

class CPlotterPort : public PlotChannel {
public:
    int32_t ToFile = 0;
    QString FileName;  // the file of file mode

    // The settings tables, by the list positions of the plotter settings.
    static constexpr int PortCount = 6;
    static const char* const PortNames[PortCount];  // COM1..COM4, LPT1, LPT2
    static constexpr int BaudCount = 9;
    static const int BaudRates[BaudCount];
    static constexpr int DataBitsCount = 5;
    static const int DataBits[DataBitsCount];  // 4 .. 8

    // Serial settings of the indices; none when an index is outside its list
    // or asks for what a serial line here cannot do (4 data bits).
    static std::optional<platform::SerialSettings> SerialSettingsOf(int baud, int dataBits, int parity,
                                                                    int stopBits, unsigned flow);

    CPlotterPort() = default;
    ~CPlotterPort() override;

    bool Open(int port, int baud, int dataBits, int parity, int stopBits, unsigned flow) override;
    bool WriteLine(std::string_view text) override;
    bool Close() override;

    // Milliseconds a port may take nothing before the plot gives up.
    int TimeoutMs = 1000;

private:
    platform::Port port_;
    std::unique_ptr<platform::AtomicFile> file_;
    bool waitForDsr_ = false;
};
