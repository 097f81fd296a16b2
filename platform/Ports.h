#pragma once
// Serial and parallel ports for plotter output.
//
// COM1-COM4 are /dev/ttyS0-/dev/ttyS3 and LPT1, LPT2 /dev/lp0, /dev/lp1. An
// environment variable named after the port (ORVIKCAD_COM1, ORVIKCAD_LPT1,
// ...) points a port at another device, e.g. a USB adapter or, in tests, a
// pseudo-terminal.
//
// Writes never hang: when the device takes no data for the time-out, the
// write gives up and reports failure.

#include <cstddef>
#include <string>
#include <string_view>

struct termios;

namespace platform {

enum class Parity { None, Even, Odd };
// One and a half stop bits do not exist in termios; they are sent as two.
enum class StopBits { One, OneAndHalf, Two };
enum FlowControl : unsigned {
    FlowNone = 0,
    FlowDsrDtr = 1,   // not in termios: DTR is raised and the writer waits for DSR (waitForDsr)
    FlowRtsCts = 2,
    FlowXonXoff = 4,  // in both directions, XON 0x11, XOFF 0x13
};

struct SerialSettings {
    int baud = 9600;      // 2400 ... 256000
    int dataBits = 8;     // 5 ... 8; fewer than 5 are sent as 5
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    unsigned flow = FlowNone;
};

// Device path of a port name ("COM1" ... "COM4", "LPT1", "LPT2", any case),
// the environment override first; empty for an unknown name.
std::string portDevicePath(std::string_view portName);
// True for COM1 ... COM4.
bool isSerialPortName(std::string_view portName);

class Port {
public:
    Port() = default;
    ~Port();
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    // Opens a port by name for exclusive use; serial ports (and any terminal
    // device a name points at) get settings. False when the device cannot be
    // opened, is in use or refuses the settings.
    bool open(std::string_view portName, const SerialSettings& settings = {});
    // Opens a device path directly; settings apply when it is a terminal and
    // settings is not null.
    bool openDevice(const std::string& path, const SerialSettings* settings);
    bool isOpen() const { return fd_ >= 0; }
    // Writes every byte, waiting at most timeoutMs each time the device
    // accepts nothing. False when it stalled that long or failed; written
    // (when given) receives how many bytes went out.
    bool write(std::string_view bytes, int timeoutMs = 1000, std::size_t* written = nullptr);
    // Waits until the device raises DSR, up to timeoutMs; true at once when
    // the device has no modem lines to ask (a pseudo-terminal, a printer).
    bool waitForDsr(int timeoutMs = 1000);
    // Waits until a terminal has sent what is queued for it, giving up when
    // nothing more goes out for timeoutMs. False when bytes stayed queued.
    bool drain(int timeoutMs = 1000);
    // Lets a serial port send what is queued (drain), then drops DTR,
    // discards anything still left and closes.
    void close();

    const std::string& devicePath() const { return path_; }
    // errno of the last failure (ETIMEDOUT for a stalled write), 0 if none.
    int error() const { return error_; }

private:
    bool configure(const SerialSettings& s);

    int fd_ = -1;
    bool terminal_ = false;
    int error_ = 0;
    std::string path_;
};

// Fills t with settings for a binary link (no translation, no echo): data
// bits, parity (checked on input), stop bits and flow control. The speed is
// set separately.
void applySerialSettings(termios& t, const SerialSettings& settings);

// Sets a baud rate the termios speed constants do not name (14400, 56000,
// 128000, 256000 ...) on an open terminal; false when the driver refuses.
bool setCustomBaudRate(int fd, int baud);

} // namespace platform
