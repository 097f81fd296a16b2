#include "platform/Ports.h"

#include "common/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace platform;

TEST(Ports, NamesMapToDevicesAndTheEnvironmentOverrides)
{
    EXPECT_EQ(portDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(portDevicePath("com4"), "/dev/ttyS3");
    EXPECT_EQ(portDevicePath("LPT1"), "/dev/lp0");
    EXPECT_EQ(portDevicePath("LPT2"), "/dev/lp1");
    EXPECT_EQ(portDevicePath("COM5"), "");
    EXPECT_EQ(portDevicePath("PRN"), "");
    ScopedEnv env("ORVIKCAD_COM2", "/dev/pts/77");
    EXPECT_EQ(portDevicePath("COM2"), "/dev/pts/77");
    EXPECT_TRUE(isSerialPortName("COM3"));
    EXPECT_FALSE(isSerialPortName("LPT1"));
    Port port;
    EXPECT_FALSE(port.open("COM9"));
    ScopedEnv missing("ORVIKCAD_COM3", "/nonexistent/device");
    EXPECT_FALSE(port.open("COM3"));
    EXPECT_EQ(port.error(), ENOENT);
}

TEST(Ports, SerialWriteArrivesByteExact)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM2", pty.slave);
    Port port;
    SerialSettings s;
    s.baud = 9600;
    ASSERT_TRUE(port.open("COM2", s)) << port.error();
    std::string all;
    for (int i = 0; i < 256; ++i) {
        all.push_back(static_cast<char>(i)); // raw: no CR/LF or control translation
    }
    const std::string text = "IN;SP1;PU0,0;PD100,100;\r\n" + all;
    size_t written = 0;
    ASSERT_TRUE(port.write(text, 500, &written));
    EXPECT_EQ(written, text.size());
    EXPECT_EQ(pty.read(text.size()), text);
    port.close();
}

TEST(Ports, SerialSettingsReachTheDevice)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM1", pty.slave);
    struct Case {
        SerialSettings s;
        speed_t speed;
        tcflag_t size;
    };
    for (const Case& c :
         {Case{{9600, 8, Parity::None, StopBits::One, FlowNone}, B9600, CS8},
          Case{{2400, 7, Parity::Even, StopBits::Two, FlowXonXoff}, B2400, CS7},
          Case{{38400, 4, Parity::Odd, StopBits::OneAndHalf, FlowRtsCts}, B38400, CS5},
          Case{{19200, 6, Parity::None, StopBits::One, FlowDsrDtr}, B19200, CS6}}) {
        Port port;
        ASSERT_TRUE(port.open("COM1", c.s)) << c.s.baud;
        // A pseudo-terminal always has eight bits and no parity, so those two
        // are checked on the settings as made.
        termios made {};
        applySerialSettings(made, c.s);
        EXPECT_EQ(made.c_cflag & CSIZE, c.size);
        EXPECT_EQ((made.c_cflag & PARENB) != 0, c.s.parity != Parity::None);
        EXPECT_EQ((made.c_cflag & PARODD) != 0, c.s.parity == Parity::Odd);
        EXPECT_EQ((made.c_iflag & INPCK) != 0, c.s.parity != Parity::None);
        termios t = pty.settings();
        EXPECT_EQ(cfgetospeed(&t), c.speed);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.s.stopBits != StopBits::One);
        EXPECT_EQ((t.c_iflag & IXON) != 0, (c.s.flow & FlowXonXoff) != 0);
        EXPECT_EQ((t.c_iflag & IXOFF) != 0, (c.s.flow & FlowXonXoff) != 0);
        EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, (c.s.flow & FlowRtsCts) != 0);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
    }
    // Rates without a termios constant are set through the driver.
    Port port;
    SerialSettings odd;
    odd.baud = 14400;
    EXPECT_TRUE(port.open("COM1", odd)) << port.error();
}

TEST(Ports, StalledSerialWriteTimesOut)
{
    PseudoTerminal pty; // nobody reads the other side
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM4", pty.slave);
    Port port;
    ASSERT_TRUE(port.open("COM4"));
    const std::string big(4 << 20, 'x');
    size_t written = 0;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.write(big, 30, &written));
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(port.error(), ETIMEDOUT);
    EXPECT_LT(written, big.size());
    EXPECT_LT(took, std::chrono::seconds(2));
}

TEST(Ports, ParallelPortOnAFifoTimesOutAndIsExclusive)
{
    char dirTemplate[] = "/tmp/orvik-ports-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    const std::string fifo = std::string(dirTemplate) + "/lp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK); // never reads
    ASSERT_GE(reader, 0);
    {
        ScopedEnv env("ORVIKCAD_LPT1", fifo);
        Port port;
        ASSERT_TRUE(port.open("LPT1")) << port.error();
        Port second;
        EXPECT_FALSE(second.open("lpt1"));
        EXPECT_EQ(second.error(), EBUSY);
        EXPECT_TRUE(port.write("IN;", 30));
        EXPECT_FALSE(port.write(std::string(1 << 20, 'y'), 30));
        EXPECT_EQ(port.error(), ETIMEDOUT);
    }
    close(reader);
    unlink(fifo.c_str());
    rmdir(dirTemplate);
}
