// Whole-file reading and writing, directories, deletion of trees and directory searches.
//
// Every operation reports failure through its result (0, false or null) and never shows a
// message. The Win32 tree implements them over the ANSI file API; the native tree has stand-ins
// with the same results so portable code (the archive) can be tested natively. The stand-ins
// accept "\" as a separator as well as "/", so callers may build Windows-style paths.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>

#include "runtime/value_types.h"

namespace rt {

// File attribute bits as the platform reports them (the native stand-ins produce the same).
enum FileAttribute : int {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
};

// The whole contents of a file; nullopt when it cannot be opened, an empty set for an empty file.
OptionalBytes ReadWholeFile(const TextValue& path);

// Creates or truncates the file and writes the parts in order. 1 when everything was written,
// 0 when the file cannot be created or a write fails (a partial file is then left behind).
int WriteWholeFile(const TextValue& path,
                   std::initializer_list<std::reference_wrapper<const ByteSet>> parts);
int WriteWholeFile(const TextValue& path, const ByteSet& bytes);

// One directory level; nonzero on success, 0 when it exists already or the parent is missing.
int MakeDirectory(const TextValue& path);

// Nonzero on success. A read-only file is not deleted.
int DeleteOneFile(const TextValue& path);

// Sets the attribute bits (kAttrReadOnly etc.; 0 clears them); nonzero on success.
int SetFileAttrs(const TextValue& path, int attributes);

// Removes a directory with everything in it; nonzero on success. An empty path and "\" are
// refused. The walk stops at the first entry that cannot be removed and leaves the rest. It
// never goes through a link: a linked folder, the given one included, is removed as a link and
// what it leads to is left as it is.
int DeleteTree(const TextValue& path);

// True when the path names a link itself: a junction, a symbolic link or another reparse point
// (native tree: a symbolic link). The link is not followed.
bool IsLink(const TextValue& path);

// Copies a file, overwriting an existing destination; nonzero on success.
int CopyOneFile(const TextValue& source, const TextValue& destination);

// True when the path names an existing directory.
bool IsExistingDirectory(const TextValue& path);

// Platform state of one directory search; defined by each tree.
struct FileSearchState;
struct FileSearchStateCloser {
    void operator()(FileSearchState* state) const;
};

// The search handle lives in the caller's variable: FindFileEntry with a pattern starts a new
// search in it (closing the previous one), with an empty pattern it continues. The handle also
// closes its search when it goes out of scope.
class FileSearchHandle {
  public:
    bool IsOpen() const { return state_ != nullptr; }
    FileSearchState* State() const { return state_.get(); }
    void Reset(FileSearchState* state = nullptr) { state_.reset(state); }

  private:
    std::unique_ptr<FileSearchState, FileSearchStateCloser> state_;
};

// Name (without directory part) of the next entry that matches: with filesOnly, any entry that
// is not a directory; otherwise an entry whose attributes share a bit with attributeMask.
// "." and ".." are ordinary entries. Null (empty) when no entry is left or the search failed.
TextValue FindFileEntry(const TextValue& pattern, int attributeMask, bool filesOnly,
                        FileSearchHandle& handle);

// Ends the search held in the handle; nonzero when there was one to close.
int CloseFileSearch(FileSearchHandle& handle);

}  // namespace rt
