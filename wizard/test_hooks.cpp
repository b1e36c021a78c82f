#include "wizard/test_hooks.h"

#include <utility>

namespace wiz {
namespace {

TestHooks& Hooks() {
    static TestHooks hooks;
    return hooks;
}

}  // namespace

void SetTestHooks(TestHooks hooks) {
    Hooks() = std::move(hooks);
}

const TestHooks& CurrentTestHooks() {
    return Hooks();
}

}  // namespace wiz
