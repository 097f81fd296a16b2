#include "platform/Files.h"

#include "model/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

BinaryFile::~BinaryFile()
{
    close();
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), mode_(other.mode_), failed_(other.failed_), error_(other.error_),
      path_(std::move(other.path_))
{
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept
{
    if (this != &other) {
        close();
        file_ = std::exchange(other.file_, nullptr);
        mode_ = other.mode_;
        failed_ = other.failed_;
        error_ = other.error_;
        path_ = std::move(other.path_);
    }
    return *this;
}

bool BinaryFile::fail(int err)
{
    failed_ = true;
    error_ = err ? err : EIO;
    return false;
}

bool BinaryFile::open(const QString& path, Mode mode)
{
    close();
    failed_ = false;
    error_ = 0;
    path_ = path;
    mode_ = mode;
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::Write ? "wb" : "r+b";
    errno = 0;
    file_ = std::fopen(QFile::encodeName(path).constData(), how);
    if (!file_) {
        error_ = errno ? errno : ENOENT;
        return false;
    }
    return true;
}

bool BinaryFile::close()
{
    if (!file_) {
        return !failed_;
    }
    errno = 0;
    if (std::fflush(file_) != 0) {
        fail(errno);
    }
    if (std::fclose(file_) != 0) {
        fail(errno);
    }
    file_ = nullptr;
    return !failed_;
}

bool BinaryFile::read(void* buffer, std::size_t n)
{
    if (!file_) {
        return fail(EBADF);
    }
    if (n == 0) {
        return true;
    }
    errno = 0;
    std::size_t got = std::fread(buffer, 1, n, file_);
    if (got != n) {
        return fail(std::ferror(file_) ? errno : 0);
    }
    return true;
}

std::size_t BinaryFile::readSome(void* buffer, std::size_t n)
{
    if (!file_) {
        fail(EBADF);
        return 0;
    }
    errno = 0;
    std::size_t got = std::fread(buffer, 1, n, file_);
    if (got < n && std::ferror(file_)) {
        fail(errno);
    }
    return got;
}

bool BinaryFile::readAll(std::string& out)
{
    out.clear();
    char buffer[65536];
    while (file_) {
        std::size_t got = readSome(buffer, sizeof buffer);
        out.append(buffer, got);
        if (got < sizeof buffer) {
            break;
        }
    }
    return ok();
}

bool BinaryFile::write(const void* data, std::size_t n)
{
    if (!file_ || mode_ == Mode::Read) {
        return fail(EBADF);
    }
    if (n == 0) {
        return true;
    }
    errno = 0;
    if (std::fwrite(data, 1, n, file_) != n) {
        return fail(errno);
    }
    return true;
}

bool BinaryFile::seek(std::int64_t position)
{
    if (!file_) {
        return fail(EBADF);
    }
    if (position < 0) {
        return fail(EINVAL);
    }
    if (mode_ == Mode::Read) {
        std::int64_t n = size();
        if (n < 0 || position > n) {
            return fail(EINVAL);
        }
    }
    errno = 0;
    if (fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0) {
        return fail(errno);
    }
    return true;
}

std::int64_t BinaryFile::position()
{
    if (!file_) {
        return -1;
    }
    return static_cast<std::int64_t>(ftello(file_));
}

std::int64_t BinaryFile::size()
{
    if (!file_) {
        return -1;
    }
    std::fflush(file_);
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool BinaryFile::atEnd()
{
    std::int64_t p = position();
    return p < 0 || p >= size();
}

bool BinaryFile::flush()
{
    if (!file_) {
        return fail(EBADF);
    }
    errno = 0;
    if (std::fflush(file_) != 0) {
        return fail(errno);
    }
    return true;
}

bool BinaryFile::sync()
{
    if (!flush()) {
        return false;
    }
    errno = 0;
    if (fsync(fileno(file_)) != 0) {
        return fail(errno);
    }
    return true;
}

AtomicFile::AtomicFile(const QString& target)
    : target_(target), write_(std::make_unique<AtomicWrite>(std::filesystem::path(QFile::encodeName(target).toStdString())))
{
    if (!write_->IsOpen()) {
        return;
    }
    tempPath_ = QFile::decodeName(QByteArray::fromStdString(write_->TemporaryPath().native()));
    // Appending keeps the file the helper made, with its permissions.
    if (!file_.open(tempPath_, BinaryFile::Mode::ReadWrite)) {
        write_->Discard();
        tempPath_.clear();
    }
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::writeProtected() const
{
    return write_->Status() == AtomicWriteResult::WriteProtected;
}

bool AtomicFile::commit()
{
    if (done_ || !file_.isOpen()) {
        discard();
        return false;
    }
    bool good = file_.ok() && file_.flush();
    good = file_.close() && good;
    done_ = true;
    if (!good) {
        write_->Discard();
        return false;
    }
    return write_->Commit() == AtomicWriteResult::Ok;
}

void AtomicFile::discard()
{
    if (done_) {
        return;
    }
    done_ = true;
    file_.close();
    write_->Discard();
}

bool saveFileAtomically(const QString& path, std::string_view bytes)
{
    AtomicFile f(path);
    if (!f.isOpen()) {
        return false;
    }
    f.write(bytes);
    return f.commit();
}

bool readWholeFile(const QString& path, std::string& out)
{
    BinaryFile f(path, BinaryFile::Mode::Read);
    if (!f.isOpen()) {
        out.clear();
        return false;
    }
    return f.readAll(out) && f.close();
}

} // namespace platform
