// Case-insensitive matching of process image names.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "installer/process_entry.h"
#include "runtime/value_types.h"

namespace inst {

// Lowers ASCII letters only, as the runtime's TextToLower does: a byte above 0x80 leads a
// double-byte character, and it and the byte after it stay as they are, so a trail byte that
// looks like a capital letter is kept. 0x80 alone is a character of its own in code page 936.
rt::TextValue LowerImageName(std::string_view name);

// Id of the first entry whose lowered name equals the lowered `imageName`; 0 when none does.
std::uint32_t FindFirstProcessIdNamed(const std::vector<ProcessEntry>& processes,
                                      std::string_view imageName);

}  // namespace inst
