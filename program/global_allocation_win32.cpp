// The program's operator new and delete, on the C heap as the library's. The library's throw
// std::bad_alloc when no new-handler is set, which brings the exception runtime into a program
// built without exceptions; these end the program instead. The program sets its handler first
// thing (out_of_memory.h: "内存不足", then the end), so abort() covers only the moments before.
#include <cstdlib>
#include <new>

namespace {

// The heap's block, after the new-handler had its turns; null only when there is no handler.
void* AllocateOrNull(std::size_t size) {
    if (size == 0) size = 1;  // every `new` gives a distinct address
    while (true) {
        if (void* block = std::malloc(size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) return nullptr;
        handler();
    }
}

}  // namespace

void* operator new(std::size_t size) {
    void* block = AllocateOrNull(size);
    if (block == nullptr) std::abort();
    return block;
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
