// The steps of an install, shared by the wizard's install (RunInstall) and the silent one, which
// runs them in another order: it checks the payload before it changes anything. Each step goes
// on after a failed action and records every action in the log. Portable.
#pragma once

#include "installer/archive_reader.h"
#include "installer/byte_progress.h"
#include "installer/install_options.h"
#include "installer/install_platform.h"
#include "installer/payload_codec.h"
#include "installer/setup_log.h"

namespace inst {

// The choices as one log line.
void LogChoices(SetupLog& log, const InstallOptions& options);

// Decodes the payload and opens its archive; false when it does not decode, does not match its
// recorded checksum or holds no archive. `progress` hears the decoding.
bool OpenPayloadArchive(const ShippedPayload& payload, ArchiveReader& archive,
                        ByteProgress* progress, SetupLog& log);

// Remembers the choices, applies the auto-start and shortcut choices, removes the old
// installation when chosen (never a folder whose loss would harm more than this product), and
// registers the product in the system's list of installed programs.
void RecordAndApplyChoices(const InstallOptions& options, SetupPlatform& platform, SetupLog& log);

// Writes the archive's files below the install directory, puts a copy of the running program
// there as uninstall.exe and starts the updater. `progress` hears the writing.
void PlaceProduct(const InstallOptions& options, ArchiveReader& archive, SetupPlatform& platform,
                  SetupLog& log, ByteProgress* progress);

}  // namespace inst
