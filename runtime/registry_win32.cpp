// Registry values over the ANSI registry API.
#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

#include "runtime/registry.h"
#include "runtime/registry_data.h"
#include "runtime/registry_path.h"

namespace rt {

namespace {

constexpr REGSAM kWriteAccess = 0x20006;  // KEY_WRITE
constexpr REGSAM kAllAccess = 0xF003F;    // KEY_ALL_ACCESS
constexpr DWORD kFirstQuerySize = 1024;

std::optional<HKEY> RootKeyOf(int code) {
    switch (code) {
        case kRootClassesRoot:
            return HKEY_CLASSES_ROOT;
        case kRootCurrentConfig:
            return HKEY_CURRENT_CONFIG;
        case kRootCurrentUser:
            return HKEY_CURRENT_USER;
        case kRootLocalMachine:
            return HKEY_LOCAL_MACHINE;
        case kRootUsers:
            return HKEY_USERS;
        default:
            return std::nullopt;
    }
}

bool IsPredefined(HKEY key) {
    return (reinterpret_cast<ULONG_PTR>(key) & 0x80000000u) != 0;
}

// Closes an opened key when it goes out of scope.
class ScopedKey {
  public:
    ScopedKey() = default;
    ~ScopedKey() {
        // Opening an empty subkey hands back the root itself, which is not ours to close.
        if (key_ != nullptr && !IsPredefined(key_)) RegCloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// The value's text when it is a non-empty REG_SZ or REG_EXPAND_SZ, else null.
TextValue QueryText(HKEY key, const TextValue& valueName) {
    std::vector<char> buffer(kFirstQuerySize);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    LONG status;
    while ((status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(buffer.data()), &size)) ==
           ERROR_MORE_DATA) {
        buffer.assign(size, 0);
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    // Stored text need not end with a zero: never read beyond the size the registry reported.
    const std::size_t length = strnlen(buffer.data(), size);
    return TextValue(buffer.data(), length);
}

// The registry answers with a status instead of setting the thread's last error; a failure
// becomes the last error, so that the caller can tell why (runtime/system_error.h).
int Succeeded(LONG status) {
    if (status == ERROR_SUCCESS) return 1;
    SetLastError(static_cast<DWORD>(status));
    return 0;
}

LONG WriteData(HKEY root, const RegistryPathParts& parts, const RegistryData& data) {
    ScopedKey key;
    const LONG created = RegCreateKeyExA(root, parts.subkey.c_str(), 0, nullptr, 0, kWriteAccess,
                                         nullptr, key.Receive(), nullptr);
    if (created != ERROR_SUCCESS) return created;
    return RegSetValueExA(key.Get(), parts.valueName.c_str(), 0, data.type, data.bytes.data(),
                          static_cast<DWORD>(data.bytes.size()));
}

LONG DeleteValue(HKEY root, const RegistryPathParts& parts) {
    ScopedKey key;
    const LONG opened = RegOpenKeyExA(root, parts.subkey.c_str(), 0, kAllAccess, key.Receive());
    if (opened != ERROR_SUCCESS) return opened;
    return RegDeleteValueA(key.Get(), parts.valueName.c_str());
}

}  // namespace

TextValue RegReadText(int root, const TextValue& path, const TextValue& defaultText) {
    const std::optional<HKEY> rootKey = RootKeyOf(root);
    if (!rootKey || path.empty()) return defaultText;
    const RegistryPathParts parts = SplitRegistryPath(path);
    TextValue text;
    ScopedKey key;
    if (RegOpenKeyA(*rootKey, parts.subkey.c_str(), key.Receive()) == ERROR_SUCCESS)
        text = QueryText(key.Get(), parts.valueName);
    return text.empty() ? defaultText : text;
}

int RegWriteValue(int root, const TextValue& path, const TaggedValue& value) {
    const std::optional<RegistryData> data = RegistryDataOf(value);
    if (!data) return 0;
    const std::optional<HKEY> rootKey = RootKeyOf(root);
    if (!rootKey || path.empty()) return 0;
    return Succeeded(WriteData(*rootKey, SplitRegistryPath(path), *data));
}

int RegWriteValue(int root, const TextValue& path, const TextValue& text) {
    return RegWriteValue(root, path, TaggedValue::Text(text));
}

int RegWriteValue(int root, const TextValue& path, const ByteSet& bytes) {
    return RegWriteValue(root, path, TaggedValue::Bytes(bytes));
}

int RegWriteValue(int root, const TextValue& path, std::int32_t number) {
    return RegWriteValue(root, path, TaggedValue::Int(number));
}

int RegDeleteEntry(int root, const TextValue& path) {
    const std::optional<HKEY> rootKey = RootKeyOf(root);
    if (!rootKey || path.empty()) return 0;
    if (DeleteValue(*rootKey, SplitRegistryPath(path)) == ERROR_SUCCESS) return 1;
    return Succeeded(RegDeleteKeyA(*rootKey, path.c_str()));
}

}  // namespace rt
