#include "installer/process_name_match.h"

#include "runtime/text_ops.h"

namespace inst {

rt::TextValue LowerImageName(std::string_view name) {
    return rt::TextToLower(name);
}

std::uint32_t FindFirstProcessIdNamed(const std::vector<ProcessEntry>& processes,
                                      std::string_view imageName) {
    const rt::TextValue wanted = LowerImageName(imageName);
    for (const ProcessEntry& process : processes) {
        if (LowerImageName(process.imageName) == wanted) return process.processId;
    }
    return 0;
}

}  // namespace inst
