#include "platform/Ports.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

std::string upper(std::string_view s)
{
    std::string u(s);
    std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return u;
}

speed_t speedConstant(int baud)
{
    switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    default: return 0;
    }
}

} // namespace

std::string portDevicePath(std::string_view portName)
{
    const std::string name = upper(portName);
    static const char* const names[] = {"COM1", "COM2", "COM3", "COM4", "LPT1", "LPT2"};
    static const char* const devices[] = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2",
                                          "/dev/ttyS3", "/dev/lp0",   "/dev/lp1"};
    for (size_t i = 0; i < std::size(names); ++i) {
        if (name == names[i]) {
            const char* over = std::getenv(("ORVIKCAD_" + name).c_str());
            return over && *over ? std::string(over) : std::string(devices[i]);
        }
    }
    return {};
}

bool isSerialPortName(std::string_view portName)
{
    const std::string name = upper(portName);
    return name == "COM1" || name == "COM2" || name == "COM3" || name == "COM4";
}

void applySerialSettings(termios& t, const SerialSettings& s)
{
    // Binary: no translation of bytes either way, no echo, no signals.
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;

    t.c_cflag &= ~CSIZE;
    switch (std::clamp(s.dataBits, 5, 8)) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
    }

    t.c_cflag &= ~(PARENB | PARODD);
    t.c_iflag &= ~(INPCK | ISTRIP);
    if (s.parity != Parity::None) {
        t.c_cflag |= PARENB;
        t.c_iflag |= INPCK;
        if (s.parity == Parity::Odd) {
            t.c_cflag |= PARODD;
        }
    }

    if (s.stopBits == StopBits::One) {
        t.c_cflag &= ~CSTOPB;
    } else {
        t.c_cflag |= CSTOPB;
    }

    if (s.flow & FlowRtsCts) {
        t.c_cflag |= CRTSCTS;
    } else {
        t.c_cflag &= ~CRTSCTS;
    }
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (s.flow & FlowXonXoff) {
        t.c_iflag |= IXON | IXOFF;
        t.c_cc[VSTART] = 0x11;
        t.c_cc[VSTOP] = 0x13;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

Port::~Port()
{
    close();
}

bool Port::open(std::string_view portName, const SerialSettings& settings)
{
    std::string path = portDevicePath(portName);
    if (path.empty()) {
        close();
        error_ = ENOENT;
        return false;
    }
    return openDevice(path, isSerialPortName(portName) ? &settings : nullptr);
}

bool Port::openDevice(const std::string& path, const SerialSettings* settings)
{
    close();
    error_ = 0;
    path_ = path;
    // An existing device only; never the controlling terminal; writes are
    // waited for with poll, never blocked in.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EINVAL)) {
        fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    fd_ = fd;
    terminal_ = isatty(fd) == 1;
    // Nobody else may use the port while we do.
    if (terminal_) {
        ioctl(fd, TIOCEXCL);
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        error_ = EBUSY;
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    if (terminal_ && settings && !configure(*settings)) {
        int e = error_;
        ::close(fd_);
        fd_ = -1;
        terminal_ = false;
        error_ = e;
        return false;
    }
    return true;
}

bool Port::configure(const SerialSettings& s)
{
    termios tio {};
    if (tcgetattr(fd_, &tio) != 0) {
        error_ = errno;
        return false;
    }
    applySerialSettings(tio, s);

    speed_t speed = speedConstant(s.baud);
    if (speed != 0) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
    }
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
        error_ = errno;
        return false;
    }
    if (speed == 0 && !setCustomBaudRate(fd_, s.baud)) {
        error_ = EINVAL;
        return false;
    }
    // DTR and RTS raised (without DSR/DTR flow control DTR is simply on).
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd_, TIOCMBIS, &lines);
    return true;
}

bool Port::write(std::string_view bytes, int timeoutMs, std::size_t* written)
{
    std::size_t done = 0;
    auto finish = [&](bool ok) {
        if (written) {
            *written = done;
        }
        return ok;
    };
    if (fd_ < 0) {
        error_ = EBADF;
        return finish(false);
    }
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            error_ = errno;
            return finish(false);
        }
        // The device takes nothing now: wait until it does, up to the time-out.
        pollfd p {fd_, POLLOUT, 0};
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
        int r;
        for (;;) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            r = ::poll(&p, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
            if (r < 0 && errno == EINTR) {
                continue;
            }
            break;
        }
        if (r == 0) {
            error_ = ETIMEDOUT;
            return finish(false);
        }
        if (r < 0) {
            error_ = errno;
            return finish(false);
        }
        if (p.revents & (POLLERR | POLLNVAL)) {
            error_ = EIO;
            return finish(false);
        }
        if ((p.revents & POLLHUP) && !(p.revents & POLLOUT)) {
            error_ = EPIPE;
            return finish(false);
        }
    }
    return finish(true);
}

bool Port::waitForDsr(int timeoutMs)
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    if (!terminal_) {
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
        int lines = 0;
        if (ioctl(fd_, TIOCMGET, &lines) != 0) {
            return true;  // no modem lines to wait for
        }
        if (lines & TIOCM_DSR) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error_ = ETIMEDOUT;
            return false;
        }
        usleep(5000);
    }
}

bool Port::drain(int timeoutMs)
{
    if (fd_ < 0 || !terminal_) {
        return fd_ >= 0;
    }
    int queued = 0;
    if (ioctl(fd_, TIOCOUTQ, &queued) != 0) {
        return true; // the driver cannot tell; nothing to wait for
    }
    auto lastProgress = std::chrono::steady_clock::now();
    while (queued > 0) {
        usleep(5000);
        int now = 0;
        if (ioctl(fd_, TIOCOUTQ, &now) != 0) {
            return true;
        }
        auto t = std::chrono::steady_clock::now();
        if (now < queued) {
            lastProgress = t;
        } else if (t - lastProgress > std::chrono::milliseconds(timeoutMs)) {
            return false;
        }
        queued = now;
    }
    return true;
}

void Port::close()
{
    if (fd_ < 0) {
        return;
    }
    if (terminal_) {
        // What the program wrote is sent before the port is purged, so the
        // last commands of a plot are not lost.
        // Output is discarded only when the device stopped taking it: a
        // driver whose queue reads empty may still be passing the last bytes
        // on (a pseudo-terminal does), and those must not be lost.
        const bool drained = drain();
        int dtr = TIOCM_DTR;
        ioctl(fd_, TIOCMBIC, &dtr);
        tcflush(fd_, drained ? TCIFLUSH : TCIOFLUSH);
        ioctl(fd_, TIOCNXCL);
    }
    ::close(fd_);
    fd_ = -1;
    terminal_ = false;
}

} // namespace platform
