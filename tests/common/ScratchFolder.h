#pragma once
// A folder of its own for one test's files, made fresh under the system's
// temporary folder and removed with everything in it when the test is done.
// Its name is unique on the machine (mkdtemp), so test runs side by side
// (shards, two build trees, two people's runs) never meet in it.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& stem = "orvik-test")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no scratch folder under " + pattern);
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
    operator const std::filesystem::path&() const { return path_; }

private:
    std::filesystem::path path_;
};
