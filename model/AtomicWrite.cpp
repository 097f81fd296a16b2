#include "model/AtomicWrite.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A file name is at most 255 bytes; the temporary adds a tag, the process
// number and a random part to the target's name, so a long name is cut.
constexpr std::size_t KeptNameBytes = 180;
constexpr const char* Tag = ".orvik-";
constexpr int RandomLength = 6;
constexpr int MaxLinkHops = 40;

// Follows symbolic links until a path that is not one (or does not exist).
fs::path FollowLinks(fs::path path)
{
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) return path;
        link.resize(static_cast<std::size_t>(n));
        fs::path next(link);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

fs::path FolderOf(const fs::path& path)
{
    fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

std::string NameStem(const fs::path& target)
{
    std::string name = target.filename().native();
    if (name.size() > KeptNameBytes) {
        std::size_t cut = KeptNameBytes;
        // Keep whole UTF-8 characters.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return "." + name + Tag;
}

std::string RandomPart()
{
    static std::atomic<unsigned long long> counter{0};
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned long long seed = static_cast<unsigned long long>(
                                  std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
                              (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull) ^
                              (static_cast<unsigned long long>(::getpid()) << 32);
    std::string out;
    for (int i = 0; i < RandomLength; ++i) {
        seed ^= seed >> 33;
        seed *= 0xFF51AFD7ED558CCDull;
        seed ^= seed >> 29;
        out += digits[seed % (sizeof digits - 1)];
    }
    return out;
}

// The process number a temporary of prefix carries, or 0 when name is not
// one of ours.
long TemporaryOwner(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return 0;
    std::string_view rest = name.substr(prefix.size());
    std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != RandomLength) return 0;
    long pid = 0;
    for (char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 100000000) return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

// Removes the temporaries of a save of the same file whose process is gone.
void RemoveStaleTemporaries(const fs::path& folder, const std::string& prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const pid_t self = ::getpid();
    while (dirent* entry = ::readdir(dir)) {
        std::string_view name(entry->d_name);
        long pid = TemporaryOwner(name, prefix);
        if (pid <= 0 || pid == self) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue; // still running
        fs::path stale = folder / std::string(name);
        struct stat st {};
        if (::lstat(stale.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        ::unlink(stale.c_str());
    }
    ::closedir(dir);
}

void SyncFolder(const fs::path& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // Some file systems cannot sync a folder; the rename has happened all the same.
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool IsWriteProtectedFile(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & 0222) == 0) return true;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

std::string AtomicWriteTemporaryPrefix(const fs::path& target)
{
    return NameStem(target);
}

AtomicWrite::AtomicWrite(const fs::path& target) : target_(FollowLinks(target))
{
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        Fail(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
        return;
    }
    if (exists && IsWriteProtectedFile(target_)) {
        status_ = AtomicWriteResult::WriteProtected;
        error_ = EACCES;
        done_ = true;
        return;
    }

    const fs::path folder = FolderOf(target_);
    const std::string prefix = NameStem(target_);
    RemoveStaleTemporaries(folder, prefix);

    const std::string owner = prefix + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = folder / (owner + RandomPart());
        // A new file gets 0666 less the umask; a replaced one its old bits below.
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temporary_ = candidate;
            break;
        }
        if (errno != EEXIST) {
            Fail(errno);
            return;
        }
    }
    if (fd_ < 0) {
        Fail(EEXIST);
        return;
    }
    if (exists) {
        // Owner and group can only be kept where the system allows it.
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] int ignored = ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd_, old.st_mode & 07777) != 0) Fail(errno);
    }
}

AtomicWrite::~AtomicWrite()
{
    Discard();
}

void AtomicWrite::Fail(int error)
{
    if (status_ == AtomicWriteResult::Ok) {
        status_ = AtomicWriteResult::Failed;
        error_ = error ? error : EIO;
    }
}

bool AtomicWrite::Write(const void* data, std::size_t size)
{
    if (fd_ < 0 || status_ != AtomicWriteResult::Ok) {
        if (status_ == AtomicWriteResult::Ok) Fail(EBADF);
        return false;
    }
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
            return false;
        }
        if (n == 0) {
            Fail(ENOSPC);
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

AtomicWriteResult AtomicWrite::Commit()
{
    if (done_ || fd_ < 0) {
        if (status_ == AtomicWriteResult::Ok) Fail(EBADF);
        Discard();
        return status_;
    }
    if (status_ == AtomicWriteResult::Ok && ::fsync(fd_) != 0) Fail(errno);
    if (::close(fd_) != 0) Fail(errno);
    fd_ = -1;
    if (status_ == AtomicWriteResult::Ok && ::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    if (status_ != AtomicWriteResult::Ok) {
        Discard();
        return status_;
    }
    done_ = true;
    SyncFolder(FolderOf(target_));
    return AtomicWriteResult::Ok;
}

void AtomicWrite::Discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!done_ && !temporary_.empty()) ::unlink(temporary_.c_str());
    if (!done_ && status_ == AtomicWriteResult::Ok) status_ = AtomicWriteResult::Failed;
    done_ = true;
}

AtomicWriteResult WriteFileAtomically(const fs::path& target, std::string_view bytes)
{
    AtomicWrite w(target);
    w.Write(bytes);
    return w.Commit();
}

AtomicWriteResult WriteFileAtomically(const fs::path& target, std::span<const uint8_t> bytes)
{
    AtomicWrite w(target);
    w.Write(bytes);
    return w.Commit();
}
