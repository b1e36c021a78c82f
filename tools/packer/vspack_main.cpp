// vspack: packs a directory into an installer payload (archive image compressed as raw LZMA1
// with the properties and the image length in a 9-byte trailer), makes a finished installer
// from a directory and the stub program, lists a payload's entries, and extracts a payload
// into a directory.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tools/packer/packer_commands.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  vspack pack <directory> <payload> [options]\n"
    "      --preset N      encoder effort 0..9 (default 6)   --extreme   slower, a little smaller\n"
    "      --tune          pack with a few settings and keep the smallest (they replace\n"
    "                      --lc/--lp/--pb/--mf/--nice)\n"
    "      --threads N     trials of --tune at once (default 2)\n"
    "      --dict SIZE     dictionary stored in the trailer, bytes or with KiB/MiB (default: the\n"
    "                      smallest 2^n or 3*2^(n-1) that holds the image)\n"
    "      --lc N --lp N --pb N   literal and position bits (default 3, 0, 2)\n"
    "      --mf hc3|hc4|bt2|bt3|bt4   match finder   --nice N   nice length 2..273\n"
    "      --end-marker    end the stream with an end marker (default: none)\n"
    "      --image FILE    also write the uncompressed archive image\n"
    "      --image-checksum FILE   write the image's CRC-32 (4 bytes, little-endian)\n"
    "      --raw-names     store file names as they are (default: UTF-8 names become GBK)\n"
    "      --quiet         no progress and no summary\n"
    "  vspack make-installer <directory> --stub <stub.exe> --out <setup.exe> [pack options]\n"
    "      packs the directory as pack does and writes a copy of the stub with the payload\n"
    "      appended: the finished installer, ready to be signed\n"
    "  vspack make-installer --payload <payload> --stub <stub.exe> --out <setup.exe> [--quiet]\n"
    "      the same with a payload that pack made before\n"
    "  vspack list <payload> [--raw-names]\n"
    "  vspack extract <payload> <directory> [--raw-names]\n";

// liblzma's LZMA_PRESET_EXTREME.
constexpr std::uint32_t kExtremeFlag = 1u << 31;

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool ParseNumber(const std::string& text, std::uint32_t& out) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    const std::string unit = end;
    unsigned long long scale = 1;
    if (unit == "KiB") {
        scale = 1024;
    } else if (unit == "MiB") {
        scale = 1024 * 1024;
    } else if (!unit.empty() || end == text.c_str()) {
        return false;
    }
    if (value * scale > 0xFFFFFFFFull) return false;
    out = static_cast<std::uint32_t>(value * scale);
    return true;
}

// liblzma's lzma_match_finder values.
bool ParseMatchFinder(const std::string& name, std::uint32_t& out) {
    const std::pair<const char*, std::uint32_t> finders[] = {
        {"hc3", 0x03}, {"hc4", 0x04}, {"bt2", 0x12}, {"bt3", 0x13}, {"bt4", 0x14}};
    for (const auto& [finderName, value] : finders) {
        if (name == finderName) {
            out = value;
            return true;
        }
    }
    return false;
}

// Options after the verb's positional arguments; false on anything unknown or out of range.
bool ParsePackOptions(const std::vector<std::string>& args, std::size_t from,
                      packer::PackRequest& request) {
    auto& props = request.options.properties;
    std::uint32_t preset = request.options.preset;
    bool extreme = false;
    struct NumberOption {
        const char* name;
        std::uint32_t min, max;
        std::uint32_t* target;
    };
    const NumberOption numbers[] = {{"--preset", 0, 9, &preset},
                                    {"--dict", 4096, 0xFFFFFFFFu, &props.dictionarySize},
                                    {"--lc", 0, 8, &props.lc},
                                    {"--lp", 0, 4, &props.lp},
                                    {"--pb", 0, 4, &props.pb},
                                    {"--nice", 2, 273, &request.options.niceLength},
                                    {"--threads", 1, 64, &request.threads}};
    props.dictionarySize = 0;  // fitted to the image unless --dict sets it
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--end-marker") {
            request.options.endMarker = true;
        } else if (arg == "--raw-names") {
            request.rawNames = true;
        } else if (arg == "--quiet") {
            request.quiet = true;
        } else if (arg == "--extreme") {
            extreme = true;
        } else if (arg == "--tune") {
            request.tune = true;
        } else if (arg == "--mf" && i + 1 < args.size()) {
            if (!ParseMatchFinder(args[++i], request.options.matchFinder)) return false;
        } else if (arg == "--image" && i + 1 < args.size()) {
            request.imagePath = args[++i];
        } else if (arg == "--image-checksum" && i + 1 < args.size()) {
            request.checksumPath = args[++i];
        } else {
            const NumberOption* option = nullptr;
            for (const NumberOption& candidate : numbers)
                if (arg == candidate.name) option = &candidate;
            std::uint32_t value = 0;
            if (option == nullptr || i + 1 >= args.size() || !ParseNumber(args[++i], value) ||
                value < option->min || value > option->max)
                return false;
            *option->target = value;
        }
    }
    request.options.preset = preset | (extreme ? kExtremeFlag : 0);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string& verb = args[0];
    const bool rawNames = args.size() >= 3 && args.back() == "--raw-names";
    if (verb == "pack" && args.size() >= 3) {
        packer::PackRequest request;
        request.directory = args[1];
        request.payloadPath = args[2];
        if (!ParsePackOptions(args, 3, request)) return Usage();
        return packer::PackDirectory(request);
    }
    if (verb == "make-installer" && args.size() >= 2) {
        packer::InstallerRequest request;
        const bool packed = args[1] == "--payload" && args.size() >= 3;
        (packed ? request.payloadPath : request.pack.directory) = args[packed ? 2 : 1];
        std::vector<std::string> packOptions;
        for (std::size_t i = packed ? 3 : 2; i < args.size(); ++i) {
            if (args[i] == "--stub" && i + 1 < args.size()) {
                request.stubPath = args[++i];
            } else if (args[i] == "--out" && i + 1 < args.size()) {
                request.outPath = args[++i];
            } else {
                packOptions.push_back(args[i]);
            }
        }
        const bool packOptionsFit =
            !packed || packOptions.empty() || packOptions == std::vector<std::string>{"--quiet"};
        if (request.stubPath.empty() || request.outPath.empty() || !packOptionsFit ||
            !ParsePackOptions(packOptions, 0, request.pack))
            return Usage();
        return packer::MakeInstaller(request);
    }
    if (verb == "list" && (args.size() == 2 || (args.size() == 3 && rawNames)))
        return packer::ListPayload(args[1], rawNames);
    if (verb == "extract" && (args.size() == 3 || (args.size() == 4 && rawNames)))
        return packer::ExtractPayload(args[1], args[2], rawNames);
    return Usage();
}
