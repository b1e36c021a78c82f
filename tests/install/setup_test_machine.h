// A scratch machine for the install and uninstall tests: a temporary folder that holds the
// special folders, the program being run and the install directories, with a fake platform
// pointing into it. Paths are written with Windows separators, as the procedures build them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/install/fake_setup_platform.h"

namespace insttest {

// The files of the small product that the test payload carries, by name and content.
const std::vector<std::pair<std::string, std::string>>& ProductFiles();

// The product files as a payload container, and the same payload with its stream damaged.
const rt::ByteSet& ProductPayload();
rt::ByteSet DamagedPayload();

class SetupTestMachine : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A path below the scratch folder ("a\b" gives root + "\a\b").
    std::string Path(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    std::string ReadText(const std::string& relative) const;
    void WriteText(const std::string& relative, const std::string& text) const;
    void MakeFolders(const std::string& relative) const;
    void MakeReadOnly(const std::string& relative) const;
    // A symbolic link at `relative` to the folder `target` (both below the scratch folder), in
    // place of an empty folder there.
    void MakeLink(const std::string& relative, const std::string& target) const;

    std::string CommonPrograms() const { return Path("ProgramData\\Start Menu\\Programs"); }
    std::string CommonDesktop() const { return Path("users\\Public\\Desktop"); }

    FakeSetupPlatform platform;

    // The path in the host's own form, "/" separated.
    std::string NativePath(const std::string& relative) const;

  private:
    std::string root_;
};

}  // namespace insttest
