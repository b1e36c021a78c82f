// A scratch machine for the install and uninstall tests: a temporary folder that holds the
// special folders, the program being run and the install directories, with a fake platform
// pointing into it. Paths are absolute Windows paths on drive Z: (the host's root, as under
// Wine), as the procedures build them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "installer/payload_codec.h"
#include "tests/installer/fake_setup_platform.h"

namespace insttest {

// The registry roots as the fake platform numbers them, and the keys the install writes.
inline constexpr int kUser = 3;
inline constexpr int kMachine = 4;
inline const std::string kSettings = "Software\\VantorFenWix\\";
inline const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\VantorFenwix";
inline const std::string kEntry =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VantorFenWix";

// The files of the small product that the test payload carries, by name and content.
const std::vector<std::pair<std::string, std::string>>& ProductFiles();

// The product files as a payload container, and the CRC-32 of the archive image inside it.
const rt::ByteSet& ProductPayload();
std::uint32_t ProductImageChecksum();
// A container as the program carries it, with the product image's checksum beside it.
inst::ShippedPayload Shipped(const rt::ByteSet& container);

// Payloads that cannot be installed, by what is wrong with them.
struct BrokenPayload {
    const char* what;
    rt::ByteSet container;
    std::uint32_t imageChecksum;
};
std::vector<BrokenPayload> BrokenPayloads();

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
    std::string nativeRoot_;
};

}  // namespace insttest
