#include "installer/file_replacement.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "runtime/files.h"

namespace inst {
namespace {

// The copy of a program file goes through memory in pieces of this size.
constexpr std::size_t kCopyPiece = 1u << 20;

}  // namespace

FileReplacement::FileReplacement(rt::TextValue target)
    : target_(std::move(target)), temporary_(target_ + kReplacementSuffix) {}

FileReplacement::~FileReplacement() {
    file_.Close();
    if (pending_) RemoveFile(temporary_);
}

bool FileReplacement::Write(std::span<const std::uint8_t> bytes, std::size_t piece,
                            const PieceWritten& onPiece) {
    if (!Begin()) return false;
    std::uint64_t written = 0;
    do {
        const std::span<const std::uint8_t> next = bytes.first(std::min(piece, bytes.size()));
        if (!file_.Append(next)) return false;
        bytes = bytes.subspan(next.size());
        written += next.size();
        if (onPiece) onPiece(written);
    } while (!bytes.empty());
    return Complete();
}

bool FileReplacement::CopyFrom(const rt::TextValue& source) {
    ArchiveFile from;
    if (!from.Open(source, ArchiveFile::Mode::ReadExisting) || !Begin()) return false;
    const std::uint64_t size = from.Size();
    rt::ByteSet buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kCopyPiece)));
    for (std::uint64_t offset = 0; offset < size; offset += buffer.size()) {
        const std::span<std::uint8_t> piece = std::span(buffer).first(
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - offset)));
        if (!from.ReadAt(offset, piece) || !file_.Append(piece)) return false;
    }
    return Complete();
}

// A temporary file that a killed run left under the same name is written over.
bool FileReplacement::Begin() {
    if (!file_.Open(temporary_, ArchiveFile::Mode::CreateAlways)) return false;
    pending_ = true;
    return true;
}

bool FileReplacement::Complete() {
    if (!file_.Flush()) return false;
    file_.Close();
    if (!MoveOver(temporary_, target_)) return false;
    pending_ = false;
    return true;
}

void RemoveLeftoverReplacements(const rt::TextValue& folder) {
    constexpr std::string_view suffix = kReplacementSuffix;
    std::vector<rt::TextValue> leftovers;
    rt::FileSearchHandle search;
    for (rt::TextValue name =
             rt::FindFileEntry(folder + "\\*" + kReplacementSuffix, 0, true, search);
         !name.empty(); name = rt::FindFileEntry("", 0, true, search)) {
        if (name.ends_with(suffix)) leftovers.push_back(folder + "\\" + name);
    }
    rt::CloseFileSearch(search);
    for (const rt::TextValue& path : leftovers)
        RemoveFile(path);
}

}  // namespace inst
