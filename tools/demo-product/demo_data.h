// Deterministic contents for the demo product's data files: the same name, kind and size give
// the same bytes on every build machine, and the mix compresses about as well as a real
// product's files do.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/demo-product/product_files.h"

namespace demo {

std::vector<std::uint8_t> GenerateData(std::string_view name, DataKind kind, std::uint32_t size);

}  // namespace demo
