#include <gtest/gtest.h>

#include <functional>

#include "installer/appended_payload.h"
#include "installer/archive_format.h"
#include "installer/pe_layout.h"

namespace inst {
namespace {

// Where the parts of the small programs below lie.
constexpr std::size_t kCoffAt = 0x44;
constexpr std::size_t kOptionalAt = kCoffAt + 20;
constexpr std::size_t kSectionDataAt = 0x400;
constexpr std::size_t kSectionDataSize = 0x200;

void PutU32(rt::ByteSet& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutU16(rt::ByteSet& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// The security directory's entry in the optional header.
std::size_t SecurityEntryAt(bool pe32Plus) {
    return kOptionalAt + (pe32Plus ? 112 : 96) + 4 * 8;
}

// A PE32 or PE32+ file with 16 data directories and two sections; `overlay` bytes follow the
// sections as a linker's symbol table would.
rt::ByteSet SmallProgram(bool pe32Plus, std::size_t overlay = 0) {
    rt::ByteSet file(kSectionDataAt + 2 * kSectionDataSize + overlay, 0xCC);
    std::fill(file.begin(), file.begin() + kSectionDataAt, 0);
    file[0] = 'M';
    file[1] = 'Z';
    PutU32(file, 0x3C, 0x40);
    file[0x40] = 'P';
    file[0x41] = 'E';
    PutU16(file, kCoffAt + 2, 2);
    const std::uint16_t optionalSize = pe32Plus ? 240 : 224;
    PutU16(file, kCoffAt + 16, optionalSize);
    PutU16(file, kOptionalAt, pe32Plus ? 0x20B : 0x10B);
    PutU32(file, kOptionalAt + (pe32Plus ? 108 : 92), 16);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t section = kOptionalAt + optionalSize + 40 * i;
        PutU32(file, section + 16, kSectionDataSize);
        PutU32(file, section + 20, kSectionDataAt + kSectionDataSize * i);
    }
    return file;
}

// As a signer leaves it: padded to 8 bytes, a certificate table after it, named in the
// optional header.
void Sign(rt::ByteSet& file, bool pe32Plus) {
    file.resize((file.size() + 7) / 8 * 8, 0);
    PutU32(file, SecurityEntryAt(pe32Plus), static_cast<std::uint32_t>(file.size()));
    PutU32(file, SecurityEntryAt(pe32Plus) + 4, 0x48);
    file.resize(file.size() + 0x48, 0x30);
}

rt::ByteSet Container() {
    rt::ByteSet container(3001);
    for (std::size_t i = 0; i < container.size(); ++i)
        container[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return container;
}

constexpr std::uint32_t kChecksum = 0xC0FFEE11;

rt::ByteSet Installer(const rt::ByteSet& program, std::uint64_t blockMadeFor) {
    const rt::ByteSet container = Container();
    rt::ByteSet file = program;
    const rt::ByteSet block = AppendedPayloadBlock({container, kChecksum}, blockMadeFor);
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

TEST(AppendedPayload, IsFoundHoweverTheProgramIsBuiltAndSigned) {
    for (const bool pe32Plus : {false, true}) {
        for (const std::size_t overlay : {0, 5}) {
            for (const bool sign : {false, true}) {
                const rt::ByteSet program = SmallProgram(pe32Plus, overlay);
                // A block made for another size needs a signer's padding before the table.
                for (const std::uint64_t madeFor : {program.size(), program.size() + 3}) {
                    rt::ByteSet file = Installer(program, madeFor);
                    if (madeFor == program.size()) {
                        EXPECT_EQ(file.size() % 8, 0u);
                    }
                    if (sign) Sign(file, pe32Plus);
                    const auto found = FindAppendedPayload(file);
                    const std::string what = "PE32" + std::string(pe32Plus ? "+" : "") +
                                             " overlay " + std::to_string(overlay) +
                                             (sign ? " signed" : "") + " made for " +
                                             std::to_string(madeFor);
                    ASSERT_TRUE(found) << what;
                    EXPECT_TRUE(rt::ByteSet(found->container.begin(), found->container.end()) ==
                                Container())
                        << what;
                    EXPECT_EQ(found->imageChecksum, kChecksum) << what;
                    // What the uninstaller copy holds: the program as it was before signing,
                    // its checksum formed anew.
                    ASSERT_EQ(found->programLength, program.size()) << what;
                    rt::ByteSet front(file.begin(), file.begin() + program.size());
                    DetachCertificateTable(front);
                    EXPECT_FALSE(ReadPeLayout(front)->Signed()) << what;
                    std::fill_n(front.begin() + kOptionalAt + 64, 4, 0);
                    EXPECT_TRUE(front == program) << what;
                }
            }
        }
    }
}

// The trailer of `file` replaced by one with these fields and a right checksum of its own.
void PutTrailer(rt::ByteSet& file, const AppendedTrailer& trailer) {
    const rt::ByteSet bytes = EncodeAppendedTrailer(trailer);
    std::copy(bytes.begin(), bytes.end(), file.end() - kAppendedTrailerSize);
}

TEST(AppendedPayload, NothingIsFoundInAProgramWithoutASoundBlock) {
    const rt::ByteSet program = SmallProgram(true);
    const std::size_t containerLength = Container().size();
    const std::uint32_t padding = (8 - (program.size() + containerLength) % 8) % 8;
    ASSERT_NE(padding, 0u) << "the cases below change a byte of the padding";
    const std::size_t paddingAt = program.size() + containerLength;
    struct Case {
        const char* what;
        std::function<void(rt::ByteSet&)> damage;
    };
    const Case cases[] = {
        {"nothing appended", [&](rt::ByteSet& f) { f.resize(program.size()); }},
        {"cut short in the payload", [&](rt::ByteSet& f) { f.resize(paddingAt - 100); }},
        {"the last byte cut", [](rt::ByteSet& f) { f.pop_back(); }},
        {"a padding byte changed", [&](rt::ByteSet& f) { f[paddingAt] = 1; }},
        {"a length changed", [](rt::ByteSet& f) { f[f.size() - kAppendedTrailerSize] ^= 1; }},
        {"the checksum of the trailer changed", [](rt::ByteSet& f) { f[f.size() - 10] ^= 1; }},
        {"the magic changed", [](rt::ByteSet& f) { f.back() ^= 1; }},
        {"a payload reaching into the program",
         [&](rt::ByteSet& f) {
             PutTrailer(f, {static_cast<std::uint32_t>(containerLength + 1), padding, 0});
         }},
        {"a payload longer than the file",
         [&](rt::ByteSet& f) {
             PutTrailer(f, {0xFFFFFFF0u, padding, 0});
         }},
        {"a padding length over 7",
         [&](rt::ByteSet& f) {
             PutTrailer(f, {0, 8, 0});
         }},
        {"a certificate table beyond the file",
         [](rt::ByteSet& f) {
             PutU32(f, SecurityEntryAt(true), static_cast<std::uint32_t>(f.size() - 8));
             PutU32(f, SecurityEntryAt(true) + 4, 0x10);
         }},
        {"a certificate table inside the sections",
         [](rt::ByteSet& f) {
             PutU32(f, SecurityEntryAt(true), kSectionDataAt);
             PutU32(f, SecurityEntryAt(true) + 4, 8);
         }},
        {"a section beyond the file's end",
         [](rt::ByteSet& f) { PutU32(f, kOptionalAt + 240 + 40 + 16, 0x7FFFFFFF); }},
        {"headers cut short", [](rt::ByteSet& f) { f.resize(kOptionalAt + 100); }},
        {"no PE signature", [](rt::ByteSet& f) { f[0x41] = 'X'; }},
        {"not a program", [](rt::ByteSet& f) { f[0] = 'Z'; }},
    };
    for (const Case& c : cases) {
        rt::ByteSet file = Installer(program, program.size());
        ASSERT_TRUE(FindAppendedPayload(file));
        c.damage(file);
        EXPECT_FALSE(FindAppendedPayload(file)) << c.what;
    }
}

}  // namespace
}  // namespace inst
