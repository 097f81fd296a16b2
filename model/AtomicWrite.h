#pragma once
// Saving a file so that nothing the user had is lost on the way.
//
// Every writer of the program (drawings, parts, DXF, JWW, HP-GL, CSV, the
// settings file, images) saves through this one helper:
//
//     AtomicWrite w(path);
//     w.Write(bytes); ...
//     switch (w.Commit()) { ... }
//
// The bytes go to a temporary file of a unique name in the target's own
// folder (".<name>.orvik-<process>-<random>", hidden and recognisable as
// ours). Commit() puts the data on the disk, renames the temporary over the
// target and then puts the folder on the disk, so after a crash the target
// holds either the old or the new content, never a mixture. Until then the
// target is untouched; any failure, and an object that goes away without a
// commit, removes the temporary.
//
// - A target that is a symbolic link is followed: the file it names is
//   replaced and the link stays a link.
// - The replaced file keeps its permission bits (and its owner and group
//   where the system allows); a new file gets the usual ones (umask).
// - A file that exists and may not be written (no write permission for us,
//   or no write bit at all) is not replaced: the result says so and the
//   caller tells the user.
// - Temporaries of the same target left by a save that was killed (their
//   process no longer runs) are removed when the next save of it begins.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

enum class AtomicWriteResult {
    Ok,
    WriteProtected, // the file exists and may not be written; left as it was
    Failed,         // the data could not be written in full; the target is as it was
};

class AtomicWrite {
public:
    explicit AtomicWrite(const std::filesystem::path& target);
    ~AtomicWrite();
    AtomicWrite(const AtomicWrite&) = delete;
    AtomicWrite& operator=(const AtomicWrite&) = delete;

    // True while the temporary is open for writing.
    bool IsOpen() const { return fd_ >= 0; }
    // What the save would come to so far: WriteProtected as soon as the
    // target is found protected, Failed after a failed step.
    AtomicWriteResult Status() const { return status_; }

    // Appends bytes to the temporary; false (and remembered) on failure.
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    bool Write(std::span<const uint8_t> bytes) { return Write(bytes.data(), bytes.size()); }

    // Puts the written bytes in the target's place (see above).
    AtomicWriteResult Commit();
    // Gives up: removes the temporary, the target stays as it was.
    void Discard();

    // The file that is replaced: the target with its links followed.
    const std::filesystem::path& Target() const { return target_; }
    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // The system's error number of the first failure (0 when none).
    int Error() const { return error_; }

private:
    void Fail(int error);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    int error_ = 0;
    AtomicWriteResult status_ = AtomicWriteResult::Ok;
    bool done_ = false;
};

// Replaces the content of target with bytes as described above.
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes);

// The start of the name every temporary of target has, without its folder
// (the target's links are not followed here).
std::string AtomicWriteTemporaryPrefix(const std::filesystem::path& target);

// True when path names an existing file that a save may not replace.
bool IsWriteProtectedFile(const std::filesystem::path& path);
