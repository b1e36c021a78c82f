#include "tools/packer/packer_commands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "installer/appended_payload.h"
#include "installer/archive_format.h"
#include "installer/archive_image_builder.h"
#include "installer/archive_paths.h"
#include "installer/archive_reader.h"
#include "installer/payload_codec.h"
#include "installer/payload_settings_search.h"
#include "installer/pe_layout.h"
#include "tools/packer/name_encoding.h"
#include "tools/packer/source_tree.h"
#include "tools/packer/terminal_progress.h"

namespace packer {

namespace {

bool ReadFile(const std::string& path, rt::ByteSet& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

// The parts one after the other.
bool WriteFile(const std::string& path,
               std::initializer_list<std::span<const std::uint8_t>> parts) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::span<const std::uint8_t> part : parts)
        out.write(reinterpret_cast<const char*>(part.data()),
                  static_cast<std::streamsize>(part.size()));
    return static_cast<bool>(out.flush());
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vspack: %s\n", message.c_str());
    return 1;
}

std::optional<std::string> ArchiveName(const std::string& hostName, bool rawNames) {
    return rawNames ? std::optional<std::string>(hostName) : Utf8ToGbk(hostName);
}

// For display and for files on the build machine; names that are not GBK stay as they are.
std::string HostName(const std::string& archiveName, bool rawNames) {
    if (rawNames) return archiveName;
    return GbkToUtf8(archiveName).value_or(archiveName);
}

// Decodes a payload file into its image; prints why when it cannot.
bool LoadImage(const std::string& payloadPath, rt::ByteSet& payload, rt::ByteSet& image) {
    if (!ReadFile(payloadPath, payload)) {
        Fail(payloadPath + ": cannot read");
        return false;
    }
    const int result = inst::UnpackPayload(payload, image);
    if (result != 0) {
        Fail(payloadPath + ": not a payload (LZMA result " + std::to_string(result) + ")");
        return false;
    }
    return true;
}

bool HoldsText(std::span<const std::uint8_t> bytes, std::string_view text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// Why a file cannot serve as the stub; empty when it can.
std::string StubProblem(const rt::ByteSet& stub) {
    const std::optional<inst::PeLayout> layout = inst::ReadPeLayout(stub);
    if (!layout) return "not a Windows program";
    if (!HoldsText(stub, inst::kStubMarker))
        return "not the stub VantorSaelin-Stub.exe (it lacks the stub's marker)";
    if (layout->Signed()) return "signed: sign the installer made from the stub, not the stub";
    if (inst::FindAppendedPayload(stub)) return "carries a payload already: give the stub itself";
    return {};
}

// "lc0 lp2 pb2, dictionary 16777216, preset 6, match finder 0x14, nice 273, depth 512" (the
// search's parts only when set).
std::string SettingsText(const inst::PayloadOptions& options) {
    const inst::LzmaProperties& properties = options.properties;
    std::string text = "lc" + std::to_string(properties.lc) + " lp" +
                       std::to_string(properties.lp) + " pb" + std::to_string(properties.pb) +
                       ", dictionary " + std::to_string(properties.dictionarySize);
    text += ", preset " + std::to_string(options.preset & 0xFF) +
            (options.preset >> 31 != 0 ? " extreme" : "");
    char finder[16];
    std::snprintf(finder, sizeof finder, "0x%02X", options.matchFinder);
    if (options.matchFinder != 0) text += std::string(", match finder ") + finder;
    if (options.niceLength != 0) text += ", nice " + std::to_string(options.niceLength);
    if (options.depth != 0) text += ", depth " + std::to_string(options.depth);
    return text;
}

// The image compressed with the request's settings, or with the best of the search's candidates
// when it asks to tune; prints each trial unless quiet. The encoder's result.
int Compress(const PackRequest& request, const rt::ByteSet& image, rt::ByteSet& payload) {
    inst::PayloadOptions options = request.options;
    if (options.properties.dictionarySize == 0)
        options.properties.dictionarySize = inst::FittingDictionarySize(image.size());
    std::vector<inst::PayloadTrial> trials;
    int result = 0;
    {
        TerminalProgress progress("packing", !request.quiet && StderrIsTerminal());
        const auto report = [&](std::uint64_t done, std::uint64_t total) {
            progress.Update(done, total);
        };
        result = request.tune ? inst::PackPayloadTuned(image, options, request.threads, payload,
                                                       &trials, report)
                              : inst::PackPayload(image, options, payload, report);
    }
    bool kept = false;
    for (const inst::PayloadTrial& trial : trials) {
        const bool thisOne = !kept && result == 0 && trial.bytes == payload.size();
        kept = kept || thisOne;
        if (!request.quiet)
            std::printf("  tried %s: %zu bytes%s\n", SettingsText(trial.options).c_str(),
                        trial.bytes, thisOne ? " (kept)" : "");
    }
    return result;
}

// Packs the request's directory into a payload in memory, with the checksum of its image; writes
// the image and the checksum files when asked to, and prints the summary. The exit code.
int PackToMemory(const PackRequest& request, rt::ByteSet& payload, std::uint32_t& imageChecksum) {
    const auto started = std::chrono::steady_clock::now();
    std::string error;
    const std::vector<SourceFile> files = CollectSourceTree(request.directory, error);
    if (!error.empty()) return Fail(error);

    inst::ArchiveImageBuilder builder;
    for (const SourceFile& file : files) {
        const auto name = ArchiveName(file.name, request.rawNames);
        if (!name) return Fail(file.name + ": name has no GBK form (use --raw-names)");
        rt::ByteSet body;
        if (!ReadFile(file.path.string(), body)) return Fail(file.path.string() + ": cannot read");
        if (!builder.Add(*name, body)) return Fail(file.name + ": archive would exceed 4 GiB");
    }
    const std::size_t count = builder.EntryCount();
    const rt::ByteSet image = builder.Finish();
    if (!request.imagePath.empty() && !WriteFile(request.imagePath, {image}))
        return Fail(request.imagePath + ": cannot write");
    imageChecksum = inst::ImageChecksum(image);
    rt::ByteSet checksum;
    inst::AppendU32(checksum, imageChecksum);
    if (!request.checksumPath.empty() && !WriteFile(request.checksumPath, {checksum}))
        return Fail(request.checksumPath + ": cannot write");

    const int result = Compress(request, image, payload);
    if (result != 0) return Fail("LZMA encoder failed with result " + std::to_string(result));

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!request.quiet)
        std::printf("packed %zu files: image %zu bytes, payload %zu bytes (%.1f%%) in %.1f s\n",
                    count, image.size(), payload.size(),
                    image.empty() ? 0.0 : 100.0 * payload.size() / image.size(), seconds);
    return 0;
}

}  // namespace

int PackDirectory(const PackRequest& request) {
    rt::ByteSet payload;
    std::uint32_t imageChecksum = 0;
    if (const int result = PackToMemory(request, payload, imageChecksum); result != 0)
        return result;
    if (!WriteFile(request.payloadPath, {payload}))
        return Fail(request.payloadPath + ": cannot write");
    return 0;
}

int MakeInstaller(const InstallerRequest& request) {
    std::error_code failure;
    if (std::filesystem::equivalent(request.stubPath, request.outPath, failure))
        return Fail(request.outPath + ": this is the stub itself; name another output file");
    rt::ByteSet stub;
    if (!ReadFile(request.stubPath, stub)) return Fail(request.stubPath + ": cannot read");
    if (const std::string problem = StubProblem(stub); !problem.empty())
        return Fail(request.stubPath + ": " + problem);

    rt::ByteSet payload;
    std::uint32_t imageChecksum = 0;
    if (request.payloadPath.empty()) {
        if (const int result = PackToMemory(request.pack, payload, imageChecksum); result != 0)
            return result;
    } else {
        rt::ByteSet image;
        if (!LoadImage(request.payloadPath, payload, image)) return 1;
        imageChecksum = inst::ImageChecksum(image);
    }
    const rt::ByteSet block = inst::AppendedPayloadBlock({payload, imageChecksum}, stub.size());
    if (block.empty()) return Fail("the payload is too large to append (4 GiB at most)");
    if (!WriteFile(request.outPath, {stub, block})) {
        std::filesystem::remove(request.outPath, failure);
        return Fail(request.outPath + ": cannot write");
    }
    if (!request.pack.quiet)
        std::printf("made %s: the stub (%zu bytes) and the payload appended (%zu bytes)\n",
                    request.outPath.c_str(), stub.size(), block.size());
    return 0;
}

int ListPayload(const std::string& payloadPath, bool rawNames) {
    rt::ByteSet payload;
    rt::ByteSet image;
    if (!LoadImage(payloadPath, payload, image)) return 1;
    const std::size_t imageSize = image.size();
    inst::ArchiveReader reader;
    if (!reader.Open("", std::move(image))) return Fail(payloadPath + ": not an archive image");
    int mismatches = 0;
    std::printf("%4s %10s %10s %8s  %s\n", "#", "size", "offset", "crc", "name");
    int index = 0;
    for (const inst::ArchiveEntry& entry : reader.Entries()) {
        const bool good = entry.nameChecksum == inst::NameChecksum(entry.name);
        mismatches += good ? 0 : 1;
        std::printf("%4d %10u %10u %08X%c %s\n", ++index, entry.size, entry.offset,
                    entry.nameChecksum, good ? ' ' : '!', HostName(entry.name, rawNames).c_str());
    }
    std::printf("%zu entries, image %zu bytes, payload %zu bytes\n", reader.Entries().size(),
                imageSize, payload.size());
    if (mismatches > 0) return Fail(std::to_string(mismatches) + " name checksums do not match");
    return 0;
}

int ExtractPayload(const std::string& payloadPath, const std::string& directory, bool rawNames) {
    rt::ByteSet payload;
    rt::ByteSet image;
    if (!LoadImage(payloadPath, payload, image)) return 1;
    rt::ByteSet().swap(payload);
    if (rawNames) {
        inst::ArchiveReader reader;
        if (!reader.ExtractAll("", std::move(image), directory))
            return Fail(payloadPath + ": not an archive image");
        std::printf("extracted %zu entries to %s\n", reader.Entries().size(), directory.c_str());
        return 0;
    }
    inst::ArchiveReader reader;
    if (!reader.Open("", image)) return Fail(payloadPath + ": not an archive image");
    // Names are split as GBK, then each part is written in the build machine's UTF-8.
    std::size_t written = 0;
    std::uint64_t cursor = 0;
    for (const inst::ArchiveEntry& entry : reader.Entries()) {
        const std::span<const std::uint8_t> body(image.data() + cursor, entry.size);
        cursor += entry.size;
        if (!inst::IsContainedEntryName(entry.name)) {
            std::fprintf(stderr, "vspack: skipping %s: it would land outside %s\n",
                         HostName(entry.name, false).c_str(), directory.c_str());
            continue;
        }
        std::filesystem::path target(directory);
        for (const std::string& part : inst::SplitAtSeparators(entry.name))
            if (!part.empty()) target /= HostName(part, false);
        std::error_code failure;
        std::filesystem::create_directories(target.parent_path(), failure);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(body.data()),
                  static_cast<std::streamsize>(body.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "vspack: cannot write %s\n", target.string().c_str());
            continue;
        }
        ++written;
    }
    std::printf("extracted %zu of %zu entries to %s\n", written, reader.Entries().size(),
                directory.c_str());
    return written == reader.Entries().size() ? 0 : 1;
}

}  // namespace packer
