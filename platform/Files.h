#pragma once
// Binary files with checked reads, writes and seeks, and saves that replace
// their target only when every write succeeded.
//
// Nothing here throws: each call says whether it worked, and the first
// failure is remembered (ok() turns false) so that a run of writes can be
// checked once at the end.

#include <QString>

#include <cstdint>
#include <memory>
#include <cstdio>
#include <string>
#include <string_view>

class AtomicWrite;

namespace platform {

class BinaryFile {
public:
    enum class Mode {
        Read,       // existing file, reading
        Write,      // created or truncated, writing
        ReadWrite,  // existing file, reading and writing
    };

    BinaryFile() = default;
    BinaryFile(const QString& path, Mode mode) { open(path, mode); }
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;

    bool open(const QString& path, Mode mode);
    bool isOpen() const { return file_ != nullptr; }
    // False once any call has failed since the file was opened.
    bool ok() const { return isOpen() && !failed_; }
    // Flushes and closes; false if a write, the flush or the close failed.
    bool close();

    // Reads exactly n bytes; false (and the buffer's tail unspecified) when
    // fewer were there.
    bool read(void* buffer, std::size_t n);
    // Reads up to n bytes; returns how many came.
    std::size_t readSome(void* buffer, std::size_t n);
    // The whole rest of the file.
    bool readAll(std::string& out);
    bool write(const void* data, std::size_t n);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // Seeks to an absolute position; seeking past the end of a file opened
    // for reading only fails.
    bool seek(std::int64_t position);
    // Current position, -1 when unknown.
    std::int64_t position();
    // File size in bytes, -1 when unknown.
    std::int64_t size();
    bool atEnd();
    bool flush();
    // Flushes and asks the system to put the data on the disk.
    bool sync();

    const QString& path() const { return path_; }
    // The C library's error of the last failure (0 when none).
    int error() const { return error_; }

private:
    bool fail(int err);

    std::FILE* file_ = nullptr;
    Mode mode_ = Mode::Read;
    bool failed_ = false;
    int error_ = 0;
    QString path_;
};

// Writes a file through the model's AtomicWrite (a unique temporary beside
// the target, mode and links kept, synced before and after the rename):
//
//     AtomicFile f(path);
//     f.file().write(...); ...
//     if (!f.commit()) report the failure (the target is as it was)
//
// commit() puts the temporary in the target's place only when it was
// created, every write succeeded and the data reached the disk; otherwise
// (and when the object goes away uncommitted) the temporary file is removed.
// A write-protected target is never opened (writeProtected() tells).
class AtomicFile {
public:
    explicit AtomicFile(const QString& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return file_.isOpen(); }
    BinaryFile& file() { return file_; }
    bool write(std::string_view bytes) { return file_.write(bytes); }
    bool commit();
    void discard();
    bool writeProtected() const;

    const QString& target() const { return target_; }
    const QString& temporaryPath() const { return tempPath_; }

private:
    QString target_;
    QString tempPath_;
    std::unique_ptr<AtomicWrite> write_;
    BinaryFile file_;
    bool done_ = false;
};

// Replaces path's content with bytes, atomically as above.
bool saveFileAtomically(const QString& path, std::string_view bytes);
// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const QString& path, std::string& out);

} // namespace platform
