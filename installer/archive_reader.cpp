#include "installer/archive_reader.h"

#include "installer/archive_paths.h"
#include "installer/ensure_directory.h"
#include "runtime/checked_allocation.h"
#include "runtime/files.h"

namespace inst {

namespace {

const char kDataSuffix[] = ".Data";
const char kHeaderSuffix[] = ".Header";

}  // namespace

struct ArchiveReader::BuildState {
    ArchiveFile data;
    rt::ByteSet header;
    rt::TextValue sourceRoot;
    rt::TextValue dataPath;
    std::uint64_t dataSize = 0;
    bool failed = false;
};

ArchiveReader::ArchiveReader() = default;

ArchiveReader::~ArchiveReader() {
    Close();
}

bool ArchiveReader::Open(const rt::TextValue& path, rt::ByteSet image) {
    Close();
    if (!path.empty()) {
        if (!file_.Open(path, ArchiveFile::Mode::ReadExisting)) return false;
        inMemory_ = false;
    } else {
        inMemory_ = true;
        image_ = std::move(image);
    }
    if (SourceSize() < kArchiveTrailerSize) {
        Close();
        return false;
    }
    entries_.clear();
    if (!ReadDirectory()) {
        Close();
        return false;
    }
    open_ = true;
    return true;
}

bool ArchiveReader::IsOpen() const {
    return open_;
}

void ArchiveReader::Close() {
    cursor_ = 0;
    inMemory_ = false;
    open_ = false;
    rt::ByteSet().swap(image_);
    file_.Close();
}

rt::ByteSet ArchiveReader::ReadEntry(const rt::TextValue& name) {
    const int position = FindEntry(name);
    rt::ByteSet bytes;
    if (position == 0 || !open_) return bytes;
    const ArchiveEntry& entry = entries_[position - 1];
    if (!rt::TryAssignZeros(bytes, entry.size) || !ReadSource(entry.offset, bytes)) return {};
    return bytes;
}

bool ArchiveReader::BuildArchive(const rt::TextValue& source, const rt::TextValue& archivePath) {
    build_ = std::make_unique<BuildState>();
    build_->sourceRoot = WithTrailingBackslash(source);
    build_->dataPath = archivePath + kDataSuffix;
    RemoveFile(archivePath + kHeaderSuffix);
    RemoveFile(build_->dataPath);
    if (!build_->data.Open(build_->dataPath, ArchiveFile::Mode::CreateNew)) {
        build_.reset();
        return false;
    }
    AddTree(build_->sourceRoot);
    BuildState& state = *build_;
    if (state.dataSize + state.header.size() + 1 + kArchiveTrailerSize > UINT32_MAX)
        state.failed = true;
    AppendDirectoryEnd(state.header, static_cast<std::uint32_t>(state.dataSize));
    if (!state.data.Append(state.header)) state.failed = true;
    state.data.Close();
    const bool complete = !state.failed;
    const rt::TextValue dataPath = state.dataPath;
    build_.reset();
    // A file that could not be read or written must not leave an archive that lacks it.
    if (!complete) {
        RemoveFile(dataPath);
        return false;
    }
    RemoveFile(archivePath);
    RemoveFile(archivePath + kHeaderSuffix);
    return RenameFile(dataPath, archivePath);
}

void ArchiveReader::AddTree(const rt::TextValue& directory) {
    if (!build_) return;
    rt::FileSearchHandle search;
    for (rt::TextValue name = rt::FindFileEntry(directory + "*", 0, true, search); !name.empty();
         name = rt::FindFileEntry("", 0, true, search))
        AddFile(directory + name);
    for (rt::TextValue name = rt::FindFileEntry(directory + "*", rt::kAttrDirectory, false, search);
         !name.empty(); name = rt::FindFileEntry("", rt::kAttrDirectory, false, search)) {
        if (name != "." && name != "..") AddTree(directory + name + "\\");
    }
}

void ArchiveReader::AddFile(const rt::TextValue& filePath) {
    if (!build_) return;
    BuildState& state = *build_;
    // The archive being written may lie inside the tree it is built from.
    if (filePath == state.dataPath) return;
    const rt::OptionalBytes bytes = rt::ReadWholeFile(filePath);
    const std::size_t rootLength = state.sourceRoot.size();
    if (!bytes || filePath.size() <= rootLength || state.dataSize > UINT32_MAX ||
        bytes->size() > UINT32_MAX) {
        state.failed = true;
        return;
    }
    AppendDirectoryEntry(state.header, std::string_view(filePath).substr(rootLength),
                         static_cast<std::uint32_t>(state.dataSize),
                         static_cast<std::uint32_t>(bytes->size()));
    if (!state.data.Append(*bytes)) state.failed = true;
    state.dataSize += bytes->size();
}

bool ArchiveReader::ExtractAll(const rt::TextValue& path, rt::ByteSet image,
                               const rt::TextValue& target) {
    if (!path.empty() || !image.empty()) {
        if (!Open(path, std::move(image))) return false;
    } else if (!open_) {
        return false;
    }
    const std::string base = WithTrailingBackslash(target);
    std::uint64_t bodies = 0;
    for (const ArchiveEntry& entry : entries_)
        bodies += entry.size;
    ProgressThrottle progress(observer_, bodies);
    progress.Report(0);
    sweptFolders_.clear();
    cursor_ = 0;
    for (const ArchiveEntry& entry : entries_) {
        WriteEntry(entry, cursor_, base, progress);
        cursor_ += entry.size;
        progress.Report(cursor_);
    }
    Close();
    return true;
}

int ArchiveReader::FindEntry(const rt::TextValue& name) const {
    const std::uint32_t checksum = NameChecksum(name);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].nameChecksum == checksum) return static_cast<int>(i + 1);
    return 0;
}

std::uint64_t ArchiveReader::SourceSize() const {
    return inMemory_ ? image_.size() : file_.Size();
}

bool ArchiveReader::ReadDirectory() {
    const std::uint64_t size = SourceSize();
    std::uint8_t trailer[kArchiveTrailerSize];
    if (!ReadSource(size - kArchiveTrailerSize, trailer)) return false;
    const auto bounds = ReadArchiveTrailer(size, trailer);
    if (!bounds) return false;
    const std::uint64_t length = bounds->directoryEnd - bounds->directoryOffset;
    std::optional<std::vector<ArchiveEntry>> parsed;
    if (inMemory_) {
        parsed = ParseArchiveDirectory(std::span(image_).subspan(bounds->directoryOffset, length),
                                       bounds->directoryOffset);
    } else {
        rt::ByteSet directory;
        if (!rt::TryAssignZeros(directory, length) ||
            !ReadSource(bounds->directoryOffset, directory))
            return false;
        parsed = ParseArchiveDirectory(directory, bounds->directoryOffset);
    }
    if (!parsed) return false;
    entries_ = std::move(*parsed);
    return true;
}

bool ArchiveReader::ReadSource(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!inMemory_) return file_.ReadAt(offset, out);
    if (offset > image_.size() || out.size() > image_.size() - offset) return false;
    std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

void ArchiveReader::WriteEntry(const ArchiveEntry& entry, std::uint64_t offset,
                               const std::string& base, ProgressThrottle& progress) {
    if (!IsContainedEntryName(entry.name)) {
        if (observer_ != nullptr) observer_->EntryRefused(entry.name);
        return;
    }
    const std::string fullPath = base + WithBackslashes(entry.name);
    PrepareFolder(fullPath.substr(0, FindLastSeparator(fullPath)));
    FileReplacement file(fullPath);
    bool written = false;
    if (inMemory_) {
        written = WriteBody(file, std::span(image_).subspan(offset, entry.size), offset, progress);
    } else {
        rt::ByteSet body;
        written = rt::TryAssignZeros(body, entry.size) && ReadSource(offset, body) &&
                  WriteBody(file, body, offset, progress);
    }
    if (observer_ != nullptr) observer_->FileWritten(fullPath, entry.size, written);
}

// Without an observer the body goes in one write, as fast as it can.
bool ArchiveReader::WriteBody(FileReplacement& file, std::span<const std::uint8_t> body,
                              std::uint64_t offset, ProgressThrottle& progress) {
    if (observer_ == nullptr) return file.Write(body);
    return file.Write(body, kProgressStep,
                      [&](std::uint64_t written) { progress.Report(offset + written); });
}

// Made with its missing parents; cleared of what an interrupted extraction left there once
// per extraction.
void ArchiveReader::PrepareFolder(const std::string& folder) {
    FolderCreated onFolder;
    if (observer_ != nullptr) {
        onFolder = [this](const rt::TextValue& created, bool made) {
            observer_->FolderCreated(created, made);
        };
    }
    EnsureDirectory(folder, onFolder);
    if (sweptFolders_.insert(folder).second) RemoveLeftoverReplacements(folder);
}

}  // namespace inst
