// demo-data-gen <directory>: writes the demo product's generated data files into the
// directory (created when missing). Names are written in UTF-8, as the build machine expects;
// the packer turns them into GBK.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/demo-product/demo_data.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: demo-data-gen <directory>\n", stderr);
        return 2;
    }
    const std::filesystem::path directory(argv[1]);
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    std::uint64_t total = 0;
    for (const demo::DataFile& file : demo::kDataFiles) {
        const auto bytes = demo::GenerateData(file.name, file.kind, file.size);
        std::ofstream out(directory / file.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "demo-data-gen: cannot write %s\n", file.name);
            return 1;
        }
        total += bytes.size();
    }
    std::printf("demo-data-gen: %zu files, %llu bytes in %s\n", std::size(demo::kDataFiles),
                static_cast<unsigned long long>(total), directory.string().c_str());
    return 0;
}
