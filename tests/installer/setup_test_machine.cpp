#include "tests/installer/setup_test_machine.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "installer/archive_format.h"
#include "installer/archive_image_builder.h"
#include "installer/payload_encoder.h"
#include "runtime/native_path.h"

namespace insttest {
namespace fs = std::filesystem;

const std::vector<std::pair<std::string, std::string>>& ProductFiles() {
    static const std::vector<std::pair<std::string, std::string>> files = {
        {"VantorFenwix.exe", "MZ product program"},
        {"VantorSaelin.exe", "MZ companion program"},
        {"AutoUpdate.exe", "MZ updater"},
        {"说明.txt", "读我"},
        {"data\\level.dat", std::string(5000, 'x') + "end"},
    };
    return files;
}

namespace {

struct PackedImage {
    rt::ByteSet container;
    std::uint32_t imageChecksum = 0;
};

PackedImage Pack(const rt::ByteSet& image) {
    inst::PayloadOptions options;
    options.properties.dictionarySize = 1u << 20;
    options.preset = 1;
    PackedImage packed;
    if (inst::PackPayload(image, options, packed.container) != 0) packed.container.clear();
    packed.imageChecksum = inst::ImageChecksum(image);
    return packed;
}

const PackedImage& Product() {
    static const PackedImage product = [] {
        inst::ArchiveImageBuilder builder;
        for (const auto& [name, content] : ProductFiles()) {
            const rt::ByteSet body(content.begin(), content.end());
            builder.Add(name, body);
        }
        return Pack(builder.Finish());
    }();
    return product;
}

// A raw LZMA1 stream of `size` bytes of noise after the range coder's leading 0, followed by
// the shipped properties and the declared image size.
rt::ByteSet NoiseDeclaring(std::size_t size, std::uint32_t declared) {
    std::mt19937 random(7);
    rt::ByteSet container(size);
    for (std::uint8_t& byte : container)
        byte = static_cast<std::uint8_t>(random());
    container[0] = 0;
    container.insert(container.end(), {0x5D, 0x00, 0x00, 0x00, 0x04});
    inst::AppendU32(container, declared);
    return container;
}

}  // namespace

const rt::ByteSet& ProductPayload() {
    return Product().container;
}

std::uint32_t ProductImageChecksum() {
    return Product().imageChecksum;
}

inst::ShippedPayload Shipped(const rt::ByteSet& container) {
    return {container, ProductImageChecksum()};
}

std::vector<BrokenPayload> BrokenPayloads() {
    constexpr std::uint32_t kOneAndAHalfGiB = 3u << 29;
    // The stream's first bytes overwritten: the decoder meets data no encoder writes.
    rt::ByteSet damaged = ProductPayload();
    for (std::size_t i = 0; i < 16 && i < damaged.size(); ++i)
        damaged[i] = 0xFF;
    const PackedImage noArchive = Pack(rt::ByteSet(5000, 'x'));
    return {
        {"damaged stream", damaged, ProductImageChecksum()},
        {"1.5 GiB declared by a few bytes", NoiseDeclaring(8, kOneAndAHalfGiB), 0},
        {"1.5 GiB declared by 200 KB", NoiseDeclaring(200000, kOneAndAHalfGiB), 0},
        {"image checksum differs", ProductPayload(), ProductImageChecksum() ^ 1},
        {"image is no archive", noArchive.container, noArchive.imageChecksum},
    };
}

void SetupTestMachine::SetUp() {
    ASSERT_FALSE(ProductPayload().empty()) << "the test payload could not be packed";
    std::string pattern = (fs::temp_directory_path() / "vs-install-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    nativeRoot_ = pattern;
    // The machine's paths are absolute Windows paths: on drive Z:, as Wine shows the host.
    root_ = "Z:" + pattern;
    std::replace(root_.begin(), root_.end(), '/', '\\');
    for (const char* folder :
         {"Program Files (x86)", "Program Files", "windows\\system32", "users\\me\\Desktop",
          "users\\me\\Documents", "users\\Public\\Desktop", "ProgramData\\Start Menu\\Programs",
          "downloads"}) {
        MakeFolders(folder);
    }
    WriteText("downloads\\VantorSaelin-Setup.exe", "MZ the running setup program");
    platform.ownProgram = Path("downloads\\VantorSaelin-Setup.exe");
    platform.specialFolders = {
        {0x2a, Path("Program Files (x86)")},
        {0x26, Path("Program Files")},
        {0x24, Path("windows")},
        {0x25, Path("windows\\system32")},
        {0x28, Path("users\\me")},
        {0x10, Path("users\\me\\Desktop")},
        {0x05, Path("users\\me\\Documents")},
        {0x19, CommonDesktop()},
        {0x16, Path("ProgramData\\Start Menu")},
        {0x17, CommonPrograms()},
        {0x23, Path("ProgramData")},
    };
}

void SetupTestMachine::TearDown() {
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(nativeRoot_, error)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(nativeRoot_, error);
}

std::string SetupTestMachine::Path(const std::string& relative) const {
    return root_ + "\\" + relative;
}

std::string SetupTestMachine::NativePath(const std::string& relative) const {
    return rt::NativePath(Path(relative));
}

bool SetupTestMachine::Exists(const std::string& relative) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(NativePath(relative), error));
}

std::string SetupTestMachine::ReadText(const std::string& relative) const {
    std::ifstream in(NativePath(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void SetupTestMachine::WriteText(const std::string& relative, const std::string& text) const {
    std::ofstream(NativePath(relative), std::ios::binary) << text;
}

void SetupTestMachine::MakeFolders(const std::string& relative) const {
    fs::create_directories(NativePath(relative));
}

void SetupTestMachine::MakeLink(const std::string& relative, const std::string& target) const {
    std::error_code absent;
    fs::remove(NativePath(relative), absent);
    fs::create_directory_symlink(NativePath(target), NativePath(relative));
}

void SetupTestMachine::MakeReadOnly(const std::string& relative) const {
    fs::permissions(NativePath(relative),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

}  // namespace insttest
