#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace varnelle::bench {

// A fresh folder under the system's temporary folder (TMPDIR), removed with everything in it.
// Save timings depend on the file system behind it.
class ScratchFolder final {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The whole content of a file; throws when it cannot be read.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace varnelle::bench
