// Arbitrary serial speeds through the kernel's termios2 interface. Kept apart
// because the kernel's termios structures clash with the C library's.
#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace platform {

bool setCustomBaudRate(int fd, int baud)
{
    if (baud <= 0) {
        return false;
    }
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) {
        return false;
    }
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = static_cast<speed_t>(baud);
    tio.c_ospeed = static_cast<speed_t>(baud);
    tio.c_cflag &= ~(CIBAUD);
    return ioctl(fd, TCSETS2, &tio) == 0;
}

} // namespace platform
