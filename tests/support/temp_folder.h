#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varnelle::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder final {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// While it lives no file may grow beyond `bytes`, as on a full disk; root included.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long saved_ = 0;
    void (*previous_)(int) = nullptr;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view content);
// The names of what `folder` holds, sorted.
std::vector<std::string> folderContent(const std::filesystem::path& folder);
std::filesystem::perms permissionsOf(const std::filesystem::path& path);

}  // namespace varnelle::test
