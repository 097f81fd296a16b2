#pragma once
// A pseudo-terminal whose slave side stands in for a serial port, and an
// environment variable set for the life of a test.

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal whose slave side stands in for a serial port.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) {
            slave = ptsname(master);
        }
    }
    ~PseudoTerminal()
    {
        if (master >= 0) {
            close(master);
        }
    }
    // Reads what arrived, waiting up to a short while for count bytes.
    std::string read(size_t count)
    {
        std::string got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p {master, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) {
                continue;
            }
            char buf[4096];
            ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, static_cast<size_t>(n));
            }
        }
        return got;
    }
    termios settings() const
    {
        termios t {};
        tcgetattr(master, &t);
        return t;
    }

    int master = -1;
    std::string slave;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            had_ = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};
