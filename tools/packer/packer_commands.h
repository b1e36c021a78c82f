// The packer's verbs. Each returns the process exit code and reports on stdout/stderr.
#pragma once

#include <string>

#include "installer/payload_encoder.h"

namespace packer {

struct PackRequest {
    std::string directory;
    std::string payloadPath;
    std::string imagePath;     // also write the uncompressed image here when not empty
    std::string checksumPath;  // and the image's CRC-32 (4 bytes, little-endian) here
    inst::PayloadOptions options;
    bool rawNames = false;  // store names as they are instead of converting UTF-8 to GBK
    bool quiet = false;
};

int PackDirectory(const PackRequest& request);
int ListPayload(const std::string& payloadPath, bool rawNames);
int ExtractPayload(const std::string& payloadPath, const std::string& directory, bool rawNames);

}  // namespace packer
