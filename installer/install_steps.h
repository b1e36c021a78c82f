// The steps of an install, shared by the wizard's install (RunInstall) and the silent one, which
// runs them in another order: it checks the payload before it changes anything. Each step goes
// on after a failed action and records every action in the log. Portable.
#pragma once

#include "installer/archive_reader.h"
#include "installer/byte_progress.h"
#include "installer/install_options.h"
#include "installer/install_platform.h"
#include "installer/install_reports.h"
#include "installer/install_space.h"
#include "installer/payload_codec.h"
#include "installer/setup_log.h"

namespace inst {

// The choices as one log line.
void LogChoices(SetupLog& log, const InstallOptions& options);

// Decodes the payload and opens its archive; false when it does not decode, does not match its
// recorded checksum or holds no archive. `progress` hears the decoding.
bool OpenPayloadArchive(const ShippedPayload& payload, ArchiveReader& archive,
                        ByteProgress* progress, SetupLog& log);

// Whether the install directory's volume has room for the archive's files and the
// uninstaller, the copy of the program that carries `payload` (uninstaller_copy.h); the figures
// go into the log, a shortage as a failure.
SpaceCheck CheckRoom(const InstallOptions& options, const ArchiveReader& archive,
                     const ShippedPayload& payload, SetupPlatform& platform, SetupLog& log);

// Remembers the choices, applies the auto-start and shortcut choices, removes the old
// installation when chosen (never a folder whose loss would harm more than this product), and
// registers the product in the system's list of installed programs.
void RecordAndApplyChoices(const InstallOptions& options, SetupPlatform& platform, SetupLog& log);

// Writes the archive's files below the install directory, puts a copy of the running program,
// which carries `payload`, there as uninstall.exe (uninstaller_copy.h) and, when every file is
// in place, starts the updater. Returns the files it could not write (each keeps what it held
// before). `progress` hears the writing.
UnwrittenFiles PlaceProduct(const InstallOptions& options, ArchiveReader& archive,
                            const ShippedPayload& payload, SetupPlatform& platform, SetupLog& log,
                            ByteProgress* progress);

}  // namespace inst
