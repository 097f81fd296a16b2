#include "dialogs/PlotterPort.h"

const char* const CPlotterPort::PortNames[PortCount] = {"COM1", "COM2", "COM3", "COM4", "LPT1", "LPT2"};
const int CPlotterPort::BaudRates[BaudCount] = {2400, 4800, 9600, 14400, 19200, 38400, 56000, 128000, 256000};
const int CPlotterPort::DataBits[DataBitsCount] = {4, 5, 6, 7, 8};

std::optional<platform::SerialSettings> CPlotterPort::SerialSettingsOf(int baud, int dataBits, int parity,
                                                                       int stopBits, unsigned flow)
{
    if (baud < 0 || baud >= BaudCount || dataBits < 0 || dataBits >= DataBitsCount || parity < 0 || parity > 2 ||
        stopBits < 0 || stopBits > 2)
        return std::nullopt;
    // A serial line here sends 5 to 8 data bits.
    if (DataBits[dataBits] < 5) return std::nullopt;
    platform::SerialSettings s;
    s.baud = BaudRates[baud];
    s.dataBits = DataBits[dataBits];
    static constexpr platform::Parity parities[3] = {platform::Parity::None, platform::Parity::Even,
                                                     platform::Parity::Odd};
    s.parity = parities[parity];
    static constexpr platform::StopBits stops[3] = {platform::StopBits::One, platform::StopBits::OneAndHalf,
                                                    platform::StopBits::Two};
    s.stopBits = stops[stopBits];
    s.flow = flow & (platform::FlowDsrDtr | platform::FlowRtsCts | platform::FlowXonXoff);
    return s;
}

CPlotterPort::~CPlotterPort()
{
    // A file never closed is never put in place.
    file_.reset();
    port_.close();
}

bool CPlotterPort::Open(int port, int baud, int dataBits, int parity, int stopBits, unsigned flow)
{
    if (ToFile) {
        file_ = std::make_unique<platform::AtomicFile>(FileName);
        if (!file_->isOpen()) {
            file_.reset();
            return false;
        }
        return true;
    }
    if (port < 0 || port >= PortCount) return false;
    waitForDsr_ = false;
    if (port >= 4) return port_.open(PortNames[port]);  // a printer port takes no line settings
    const std::optional<platform::SerialSettings> settings = SerialSettingsOf(baud, dataBits, parity, stopBits, flow);
    if (!settings) return false;
    waitForDsr_ = (settings->flow & platform::FlowDsrDtr) != 0;
    return port_.open(PortNames[port], *settings);
}

bool CPlotterPort::WriteLine(std::string_view text)
{
    if (ToFile) {
        if (!file_) return false;
        file_->write(text);
        file_->write("\r\n");
        // A full disk shows when the file is put in place.
        return true;
    }
    if (!port_.isOpen()) return false;
    if (waitForDsr_ && !port_.waitForDsr(TimeoutMs)) return false;
    return port_.write(text, TimeoutMs);
}

bool CPlotterPort::Close()
{
    if (ToFile) {
        if (!file_) return false;
        const bool kept = file_->commit();
        file_.reset();
        return kept;
    }
    port_.close();
    return true;
}
