#include "tools/demo-product/demo_data.h"

#include <array>
#include <string>

namespace demo {

namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Next()); }

  private:
    std::uint64_t state_;
};

std::uint64_t SeedOf(std::string_view name) {
    std::uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a
    for (unsigned char c : name)
        hash = (hash ^ c) * 0x100000001B3ull;
    return hash;
}

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

void AppendU32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

constexpr std::array<std::string_view, 48> kWords = {
    "Vantor", "Saelin", "Fenwix",  "window",  "player", "server", "update",  "config",
    "enable", "value",  "default", "version", "module", "script", "render",  "texture",
    "sound",  "volume", "network", "timeout", "retry",  "cache",  "session", "account",
    "quest",  "item",   "level",   "skill",   "map",    "region", "channel", "message",
    "hotkey", "toggle", "panel",   "button",  "layout", "theme",  "font",    "color",
    "width",  "height", "offset",  "scale",   "true",   "false",  "auto",    "none"};

std::string_view Word(Random& random) {
    return kWords[random.Below(kWords.size())];
}

// Function bodies built from common x86 instruction patterns with varying operands, then
// import names and zero padding between sections.
void FillCode(Bytes& out, std::uint32_t size, Random& random) {
    static constexpr std::array<std::array<std::uint8_t, 4>, 12> kPatterns = {{
        {0x8B, 0x45, 0x08, 0x00},
        {0x89, 0x4D, 0xFC, 0x00},
        {0x83, 0xC4, 0x0C, 0x00},
        {0x8B, 0x4E, 0x04, 0x00},
        {0x85, 0xC0, 0x74, 0x00},
        {0x6A, 0x00, 0xFF, 0x15},
        {0x50, 0xE8, 0x00, 0x00},
        {0x33, 0xC0, 0x5F, 0x5E},
        {0x8D, 0x45, 0xF0, 0x50},
        {0xC7, 0x45, 0xF8, 0x00},
        {0x3B, 0xC3, 0x75, 0x00},
        {0x8B, 0x0D, 0x00, 0x00},
    }};
    while (out.size() < size) {
        const std::uint32_t section = random.Below(3);
        if (section == 0) {  // a function
            Append(out, "\x55\x8B\xEC\x83\xEC");
            out.push_back(static_cast<std::uint8_t>(random.Below(16) * 4));
            for (std::uint32_t i = random.Below(40) + 8; i > 0; --i) {
                const auto& pattern = kPatterns[random.Below(kPatterns.size())];
                out.insert(out.end(), pattern.begin(), pattern.end());
                for (std::uint32_t n = random.Below(4); n > 0; --n)
                    out.push_back(random.Byte());
            }
            Append(out, "\x8B\xE5\x5D\xC3");
        } else if (section == 1) {  // import and export names
            for (std::uint32_t i = random.Below(12) + 2; i > 0; --i) {
                out.push_back(static_cast<std::uint8_t>(random.Below(256)));
                out.push_back(0);
                Append(out, Word(random));
                Append(out, Word(random));
                out.push_back(0);
            }
        } else {  // alignment and relocation-like tables
            for (std::uint32_t i = random.Below(32); i > 0; --i)
                AppendU32(out, 0x10001000u + random.Below(0x40000) * 4);
            out.insert(out.end(), random.Below(64), 0);
        }
    }
}

void FillMedia(Bytes& out, std::uint32_t size, Random& random) {
    // Byte by byte: GCC 12 mistakes a range insert into the empty vector for an overflow.
    for (char c : std::string_view("\x89PNG\r\n\x1A\n"))
        out.push_back(static_cast<std::uint8_t>(c));
    while (out.size() < size)
        out.push_back(random.Byte());
}

void FillRecords(Bytes& out, std::uint32_t size, Random& random) {
    for (std::uint32_t id = 1; out.size() < size; ++id) {
        AppendU32(out, id);
        AppendU32(out, random.Below(12));
        std::string name = std::string(Word(random)) + "_" + std::string(Word(random));
        name.resize(24, '\0');
        Append(out, name);
        for (int stat = 0; stat < 6; ++stat)
            AppendU32(out, random.Below(stat < 3 ? 100 : 5000));
        AppendU32(out, random.Below(2) ? 0 : 1u << random.Below(8));
    }
}

void FillText(Bytes& out, std::uint32_t size, Random& random) {
    while (out.size() < size) {
        if (random.Below(8) == 0) {
            Append(out, "\r\n[");
            Append(out, Word(random));
            Append(out, "]\r\n");
        }
        Append(out, Word(random));
        out.push_back('_');
        Append(out, Word(random));
        Append(out, " = ");
        for (std::uint32_t i = random.Below(6) + 1; i > 0; --i) {
            Append(out, Word(random));
            out.push_back(' ');
        }
        Append(out, std::to_string(random.Below(1000)));
        Append(out, "\r\n");
    }
}

// GBK text: keys in ASCII, values in double-byte characters from the common range.
void FillChinese(Bytes& out, std::uint32_t size, Random& random) {
    for (std::uint32_t line = 1; out.size() < size; ++line) {
        Append(out, "msg_" + std::to_string(line) + "=");
        for (std::uint32_t i = random.Below(20) + 4; i > 0; --i) {
            out.push_back(static_cast<std::uint8_t>(0xB0 + random.Below(16)));
            out.push_back(static_cast<std::uint8_t>(0xA1 + random.Below(40)));
        }
        Append(out, "\r\n");
    }
}

}  // namespace

std::vector<std::uint8_t> GenerateData(std::string_view name, DataKind kind, std::uint32_t size) {
    Random random(SeedOf(name));
    Bytes out;
    out.reserve(size + 512);
    switch (kind) {
        case DataKind::Code:
            FillCode(out, size, random);
            break;
        case DataKind::Media:
            FillMedia(out, size, random);
            break;
        case DataKind::Records:
            FillRecords(out, size, random);
            break;
        case DataKind::Text:
            FillText(out, size, random);
            break;
        case DataKind::Chinese:
            FillChinese(out, size, random);
            break;
    }
    out.resize(size);
    return out;
}

}  // namespace demo
