// The plotter channel: a file with a line per command, a serial port on a
// pseudo-terminal with the settings of the lists and no line ends, a parallel
// port on a FIFO.

#include "dialogs/PlotterPort.h"

#include "common/PseudoTerminal.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string FileText(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(PlotterPort, FileModeEndsEveryCommandWithCrLfAndAppearsWhenClosed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CPlotterPort port;
    port.ToFile = 1;
    port.FileName = dir.filePath("plot.pgl");
    ASSERT_TRUE(port.Open(0, 0, 0, 0, 0, 0));  // the port settings play no part
    EXPECT_TRUE(port.WriteLine("IN;"));
    EXPECT_TRUE(port.WriteLine("PUSPPG;"));
    EXPECT_FALSE(QFile::exists(port.FileName));
    EXPECT_TRUE(port.Close());
    EXPECT_EQ(FileText(port.FileName), "IN;\r\nPUSPPG;\r\n");
}

TEST(PlotterPort, AFileThatCannotBeCreatedRefusesTheOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CPlotterPort port;
    port.ToFile = 1;
    port.FileName = dir.filePath("missing/plot.pgl");
    EXPECT_FALSE(port.Open(0, 2, 4, 0, 0, 0));
    EXPECT_FALSE(port.WriteLine("IN;"));
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(QFile::exists(port.FileName));
}

TEST(PlotterPort, SerialPortGetsTheListSettingsAndNoLineEnds)
{
    struct Case {
        int port, baud, dataBits, parity, stopBits;
        unsigned flow;
        speed_t speed;
        tcflag_t size;
        bool parityOn, odd, twoStops, rtsCts, xonXoff;
    };
    const Case cases[] = {
        {1, 2, 4, 0, 0, 4, B9600, CS8, false, false, false, false, true},
        {0, 0, 3, 1, 2, 2, B2400, CS7, true, false, true, true, false},
        {3, 4, 1, 2, 1, 0, B19200, CS5, true, true, true, false, false},
        {2, 5, 2, 0, 0, 1, B38400, CS6, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "COM" << c.port + 1 << " baud " << c.baud);
        PseudoTerminal pty;
        ASSERT_FALSE(pty.slave.empty());
        const std::string name = std::string("ORVIKCAD_") + CPlotterPort::PortNames[c.port];
        ScopedEnv env(name.c_str(), pty.slave);
        CPlotterPort port;
        ASSERT_TRUE(port.Open(c.port, c.baud, c.dataBits, c.parity, c.stopBits, c.flow));
        const termios t = pty.settings();
        EXPECT_EQ(cfgetospeed(&t), c.speed);
        // A pseudo-terminal always reports eight bits without parity: the
        // character size and parity are checked on the settings made.
        const std::optional<platform::SerialSettings> made =
            CPlotterPort::SerialSettingsOf(c.baud, c.dataBits, c.parity, c.stopBits, c.flow);
        ASSERT_TRUE(made.has_value());
        termios wanted {};
        platform::applySerialSettings(wanted, *made);
        EXPECT_EQ(wanted.c_cflag & CSIZE, c.size);
        EXPECT_EQ((wanted.c_cflag & PARENB) != 0, c.parityOn);
        EXPECT_EQ((wanted.c_cflag & PARODD) != 0, c.odd);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStops);
        EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, c.rtsCts);
        EXPECT_EQ((t.c_iflag & IXON) != 0, c.xonXoff);
        EXPECT_EQ((t.c_iflag & IXOFF) != 0, c.xonXoff);
        EXPECT_TRUE(port.WriteLine("IN;"));
        EXPECT_TRUE(port.WriteLine("SP1;"));
        EXPECT_EQ(pty.read(7), "IN;SP1;");
        EXPECT_EQ(pty.read(1), "");  // nothing after the commands
        EXPECT_TRUE(port.Close());
    }
}

TEST(PlotterPort, SettingsAPortCannotTakeRefuseTheOpen)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM1", pty.slave);
    struct Case {
        int port, baud, dataBits, parity, stopBits;
    };
    const Case cases[] = {{0, 2, 0, 0, 0},  {0, 9, 4, 0, 0}, {0, -1, 4, 0, 0}, {0, 2, 5, 0, 0},
                          {0, 2, 4, 3, 0},  {0, 2, 4, 0, 3}, {6, 2, 4, 0, 0},  {-1, 2, 4, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.port << " " << c.baud << " " << c.dataBits << " " << c.parity << " "
                                        << c.stopBits);
        CPlotterPort port;
        EXPECT_FALSE(port.Open(c.port, c.baud, c.dataBits, c.parity, c.stopBits, 0));
        EXPECT_FALSE(port.WriteLine("IN;"));
    }
    CPlotterPort fine;
    EXPECT_TRUE(fine.Open(0, 2, 4, 0, 0, 0));
}

TEST(PlotterPort, AStalledPortGivesUpAfterItsTimeOut)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    ScopedEnv env("ORVIKCAD_COM1", pty.slave);
    CPlotterPort port;
    port.TimeoutMs = 50;
    ASSERT_TRUE(port.Open(0, 2, 4, 0, 0, 0));
    const std::string line(1000, 'X');
    int written = 0;
    while (written < 10000 && port.WriteLine(line)) ++written;
    EXPECT_LT(written, 10000);  // the master reads nothing: the line fills up and stalls
    EXPECT_TRUE(port.Close());
}

TEST(PlotterPort, ParallelPortOnAFifoGetsTheBytesWithoutSettings)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string fifo = dir.filePath("lp").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ScopedEnv env("ORVIKCAD_LPT1", fifo);
    CPlotterPort port;
    ASSERT_TRUE(port.Open(4, 0, 0, 0, 0, 0));  // 4 data bits mean nothing to a printer port
    EXPECT_TRUE(port.WriteLine("IN;"));
    EXPECT_TRUE(port.WriteLine("PUSPPG;"));
    EXPECT_TRUE(port.Close());
    char buf[64] = {};
    const ssize_t n = ::read(reader, buf, sizeof buf);
    ::close(reader);
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0), "IN;PUSPPG;");
}
