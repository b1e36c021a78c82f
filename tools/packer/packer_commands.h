// The packer's verbs. Each returns the process exit code and reports on stdout/stderr.
#pragma once

#include <string>

#include "installer/payload_encoder.h"

namespace packer {

struct PackRequest {
    std::string directory;
    std::string payloadPath;
    std::string imagePath;         // also write the uncompressed image here when not empty
    std::string checksumPath;      // and the image's CRC-32 (4 bytes, little-endian) here
    inst::PayloadOptions options;  // a dictionary size of 0: fitted to the image
    bool tune = false;             // try the settings search's candidates, keep the smallest
    std::uint32_t threads = 2;     // trials at once when tuning
    bool rawNames = false;         // store names as they are instead of converting UTF-8 to GBK
    bool quiet = false;
};

int PackDirectory(const PackRequest& request);

struct InstallerRequest {
    PackRequest pack;         // its payloadPath is not used
    std::string payloadPath;  // a payload made by PackDirectory, appended as it is; empty: pack
    std::string stubPath;
    std::string outPath;
};

// Packs the directory as PackDirectory does (or takes the payload made before, which must
// decode) and writes a copy of the stub with the payload appended
// (installer/appended_payload.h). Refuses a file that is not the bare, unsigned stub, and an
// output path that names the stub.
int MakeInstaller(const InstallerRequest& request);
int ListPayload(const std::string& payloadPath, bool rawNames);
int ExtractPayload(const std::string& payloadPath, const std::string& directory, bool rawNames);

}  // namespace packer
