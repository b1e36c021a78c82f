#include "installer/process_name_match.h"

namespace inst {

rt::TextValue LowerImageName(std::string_view name) {
    rt::TextValue lowered(name);
    for (std::size_t pos = 0; pos < lowered.size(); ++pos) {
        const unsigned char c = static_cast<unsigned char>(lowered[pos]);
        if (c >= 0x80) {
            ++pos;  // the trail byte stays as it is
        } else if (c >= 'A' && c <= 'Z') {
            lowered[pos] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered;
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
