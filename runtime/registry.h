// Registry values addressed by a root code and one registry path ("key\value name").
//
// Root codes: 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS. Any other code, and an empty path, fail before the
// registry is touched. Failures are results only; nothing is shown.
#pragma once

#include <cstdint>

#include "runtime/tagged_value.h"

namespace rt {

enum RegistryRootCode : int {
    kRootClassesRoot = 1,
    kRootCurrentConfig = 2,
    kRootCurrentUser = 3,
    kRootLocalMachine = 4,
    kRootUsers = 5,
};

// The text of a REG_SZ or REG_EXPAND_SZ value (not expanded) up to its first zero byte. A missing
// value, another type or an empty text gives the default text (empty = null).
TextValue RegReadText(int root, const TextValue& path, const TextValue& defaultText = {});

// Writes the value, creating every missing key on the way: text as REG_SZ, byte set as
// REG_BINARY, numbers as REG_DWORD. 1 on success; 0 on failure or for a value of another kind.
int RegWriteValue(int root, const TextValue& path, const TaggedValue& value);
int RegWriteValue(int root, const TextValue& path, const TextValue& text);
int RegWriteValue(int root, const TextValue& path, const ByteSet& bytes);
int RegWriteValue(int root, const TextValue& path, std::int32_t number);

// Deletes the value the path names; when there is no such value, deletes the whole path as a key
// (only a key without subkeys can go). 1 when something was deleted, else 0.
int RegDeleteEntry(int root, const TextValue& path);

}  // namespace rt
