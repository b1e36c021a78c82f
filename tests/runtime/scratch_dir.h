// A fresh scratch directory below /tmp for one test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/native_path.h"
#include "runtime/value_types.h"

class ScratchDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vs-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override {
        // Read-only entries left by a test must not stop the clean-up.
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, error))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(root_, error);
    }

    // A path below the scratch directory, written with Windows separators on purpose.
    rt::TextValue Path(const std::string& relative) const { return root_ + "\\" + relative; }
    bool Exists(const std::string& relative) const {
        std::error_code error;
        return std::filesystem::exists(
            std::filesystem::symlink_status(NativePath(relative), error));
    }
    // "\\" separators become "/"; the trail byte 0x5C of a double-byte character stays.
    std::string NativePath(const std::string& relative) const {
        return rt::NativePath(root_ + "/" + relative);
    }
    const std::string& Root() const { return root_; }

  private:
    std::string root_;
};
