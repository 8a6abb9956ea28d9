#pragma once

#include <filesystem>
#include <string_view>

#include <gtest/gtest.h>

#include "core/storage/profile_file.h"
#include "temp_folder.h"

namespace varnelle::test {

// A budget file in a fresh folder, for the tests of what reaches the disk.
class BudgetFileTest : public ::testing::Test {
protected:
    // The file as it is, opened; with `content`, written first.
    ProfileFile open() {
        ProfileFile file;
        EXPECT_EQ(file.open(path_), ProfileFile::OpenStatus::Ok);
        return file;
    }
    ProfileFile open(std::string_view content) {
        writeFile(path_, content);
        return open();
    }

    TempFolder folder_;
    std::filesystem::path path_ = folder_ / "Budget.ini";
};

}  // namespace varnelle::test
