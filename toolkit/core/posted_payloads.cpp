#include "toolkit/core/posted_payloads.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <variant>

namespace ui {

namespace {

struct Entry {
    HWND window;
    std::variant<std::unique_ptr<RectF>, std::unique_ptr<PackedMessage>> value;
};

// Elements on other threads post too, hence the lock.
std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::unordered_map<const void*, Entry>& Registry() {
    static std::unordered_map<const void*, Entry> registry;
    return registry;
}

template <typename T>
const T* Register(HWND window, const T& value) {
    auto owned = std::make_unique<T>(value);
    const T* pointer = owned.get();
    std::lock_guard guard(Lock());
    Registry().emplace(pointer, Entry{window, std::move(owned)});
    return pointer;
}

template <typename T>
std::optional<T> Take(HWND window, const void* payload) {
    std::lock_guard guard(Lock());
    auto found = Registry().find(payload);
    if (found == Registry().end() || found->second.window != window) return std::nullopt;
    auto* holder = std::get_if<std::unique_ptr<T>>(&found->second.value);
    if (!holder) return std::nullopt;
    T value = **holder;
    Registry().erase(found);
    return value;
}

}  // namespace

const RectF* PostedPayloads::NewRect(HWND window, const RectF& rect) {
    return Register(window, rect);
}

const PackedMessage* PostedPayloads::NewMessage(HWND window, const PackedMessage& message) {
    return Register(window, message);
}

std::optional<RectF> PostedPayloads::TakeRect(HWND window, const void* payload) {
    return Take<RectF>(window, payload);
}

std::optional<PackedMessage> PostedPayloads::TakeMessage(HWND window, const void* payload) {
    return Take<PackedMessage>(window, payload);
}

void PostedPayloads::Discard(const void* payload) {
    std::lock_guard guard(Lock());
    Registry().erase(payload);
}

void PostedPayloads::DropWindow(HWND window) {
    std::lock_guard guard(Lock());
    std::erase_if(Registry(), [window](const auto& item) { return item.second.window == window; });
}

std::size_t PostedPayloads::Pending() {
    std::lock_guard guard(Lock());
    return Registry().size();
}

}  // namespace ui
