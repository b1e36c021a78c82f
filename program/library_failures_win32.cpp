// How the program ends when the standard library meets a failure it reports by throwing: a
// length beyond max_size(), a position out of range, a call through an empty std::function.
// The program is built without exceptions, so nothing could catch one; it ends as on any
// uncaught exception, with abort(). Defined in the executable itself, these are taken before the
// library's own, which bring the exception classes, their strings and the unwinder along (about
// 100 KB of a program that never uses them).
#include <bits/functexcept.h>

#include <cstdlib>

namespace std {

void __throw_bad_exception() {
    std::abort();
}
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_bad_cast() {
    std::abort();
}
void __throw_bad_typeid() {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_domain_error(const char*) {
    std::abort();
}
void __throw_invalid_argument(const char*) {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_out_of_range(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
void __throw_runtime_error(const char*) {
    std::abort();
}
void __throw_range_error(const char*) {
    std::abort();
}
void __throw_overflow_error(const char*) {
    std::abort();
}
void __throw_underflow_error(const char*) {
    std::abort();
}
void __throw_system_error(int) {
    std::abort();
}
void __throw_bad_function_call() {
    std::abort();
}

}  // namespace std
