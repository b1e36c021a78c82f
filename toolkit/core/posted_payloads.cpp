#include "toolkit/core/posted_payloads.h"

#include <mutex>
#include <unordered_map>
#include <variant>

#include "toolkit/core/posted_payloads_lock.h"

namespace ui {

namespace {

struct Entry {
    PayloadWindow window;
    std::variant<RectF, PackedMessage> value;
};

// Elements on other threads post too, hence the lock.
struct Registry {
    PostedPayloadsLock lock;
    std::unordered_map<PayloadToken, Entry> entries;
    PayloadToken next = 1;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

// The next token that is neither 0 nor in use (the counter may wrap on a 32-bit target).
PayloadToken FreshToken(Registry& registry) {
    while (registry.next == 0 || registry.entries.contains(registry.next))
        ++registry.next;
    return registry.next++;
}

template <typename T>
PayloadToken Add(PayloadWindow window, const T& value) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    PayloadToken token = FreshToken(registry);
    registry.entries.emplace(token, Entry{window, value});
    return token;
}

template <typename T>
std::optional<T> Take(PayloadWindow window, PayloadToken token) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    auto found = registry.entries.find(token);
    if (found == registry.entries.end() || found->second.window != window) return std::nullopt;
    const T* value = std::get_if<T>(&found->second.value);
    if (!value) return std::nullopt;
    T copy = *value;
    registry.entries.erase(found);
    return copy;
}

}  // namespace

PayloadToken PostedPayloads::AddRect(PayloadWindow window, const RectF& rect) {
    return Add(window, rect);
}

PayloadToken PostedPayloads::AddMessage(PayloadWindow window, const PackedMessage& message) {
    return Add(window, message);
}

std::optional<RectF> PostedPayloads::TakeRect(PayloadWindow window, PayloadToken token) {
    return Take<RectF>(window, token);
}

std::optional<PackedMessage> PostedPayloads::TakeMessage(PayloadWindow window, PayloadToken token) {
    return Take<PackedMessage>(window, token);
}

void PostedPayloads::Discard(PayloadToken token) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.entries.erase(token);
}

void PostedPayloads::DropWindow(PayloadWindow window) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    std::erase_if(registry.entries,
                  [window](const auto& item) { return item.second.window == window; });
}

std::size_t PostedPayloads::Pending() {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    return registry.entries.size();
}

}  // namespace ui
