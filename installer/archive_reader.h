// The archive object: opens an archive image in memory or an archive file on disk, writes its
// files below a target directory, returns single entries, and builds archive files from a
// directory tree. Portable (over the runtime's file operations and ArchiveFile).
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "installer/archive_file.h"
#include "installer/archive_format.h"
#include "installer/extract_observer.h"
#include "installer/file_replacement.h"
#include "runtime/value_types.h"

namespace inst {

class ArchiveReader {
  public:
    ArchiveReader();
    virtual ~ArchiveReader();
    // It owns an open file or image; nothing in the program copies one.
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens the archive file at `path` when the path is not empty, else the image (taken over:
    // move it in to avoid a copy). False for a source shorter than 8 bytes, a wrong magic
    // number, or a directory that does not lie wholly inside the source or lists bodies that
    // do not.
    virtual bool Open(const rt::TextValue& path, rt::ByteSet image = {});
    virtual bool IsOpen() const;
    // Releases the source; the entry list stays until the next Open.
    virtual void Close();
    // The entry's bytes; empty when absent or unreadable.
    virtual rt::ByteSet ReadEntry(const rt::TextValue& name);
    // Writes every file below `source` into a new archive file; false when its temporary file
    // cannot be created.
    virtual bool BuildArchive(const rt::TextValue& source, const rt::TextValue& archivePath);
    // While building: the files of `directory` (ending with "\"), then its sub-directories.
    virtual void AddTree(const rt::TextValue& directory);
    // While building: appends one file under its path relative to the source root.
    virtual void AddFile(const rt::TextValue& filePath);
    // Opens the given file or image (or uses the open source when neither is given), writes
    // every entry below `target` and closes. Each file replaces an earlier one only once it is
    // complete (file_replacement.h); temporary files that an interrupted extraction left in the
    // folders it writes to are removed. Entries that would land outside the target or cannot
    // be written are skipped, the earlier files kept. False when nothing could be opened.
    virtual bool ExtractAll(const rt::TextValue& path, rt::ByteSet image,
                            const rt::TextValue& target);
    // 1-based position of the first entry whose name checksum equals the name's; 0 if none.
    virtual int FindEntry(const rt::TextValue& name) const;

    const std::vector<ArchiveEntry>& Entries() const { return entries_; }

    // Told of every folder, file and refused entry of the following ExtractAll calls, and of
    // their progress; null for none. With an observer, large bodies are written in pieces of
    // kProgressStep so that progress moves within them.
    void SetObserver(ExtractObserver* observer) { observer_ = observer; }

  private:
    struct BuildState;

    std::uint64_t SourceSize() const;
    bool ReadDirectory();
    bool ReadSource(std::uint64_t offset, std::span<std::uint8_t> out) const;
    void WriteEntry(const ArchiveEntry& entry, std::uint64_t offset, const std::string& base,
                    ProgressThrottle& progress);
    bool WriteBody(FileReplacement& file, std::span<const std::uint8_t> body, std::uint64_t offset,
                   ProgressThrottle& progress);
    void PrepareFolder(const std::string& folder);

    std::vector<ArchiveEntry> entries_;
    ArchiveFile file_;
    bool inMemory_ = false;
    rt::ByteSet image_;
    std::uint64_t cursor_ = 0;
    bool open_ = false;
    ExtractObserver* observer_ = nullptr;
    std::set<std::string> sweptFolders_;  // during ExtractAll

    std::unique_ptr<BuildState> build_;  // only while BuildArchive runs
};

}  // namespace inst
