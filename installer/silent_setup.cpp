#include "installer/silent_setup.h"

#include "installer/archive_reader.h"
#include "installer/ensure_directory.h"
#include "installer/install_directory_rules.h"
#include "installer/install_layout.h"
#include "installer/install_steps.h"
#include "installer/logging_setup_platform.h"
#include "installer/saved_choices.h"
#include "installer/setup_exit_codes.h"
#include "installer/uninstall_procedure.h"
#include "runtime/files.h"

namespace inst {
namespace {

constexpr char kNotShown[] = "not shown (silent run)";
constexpr char kProbeName[] = "~vantorsaelin-setup-write-test.tmp";
// More instances of one program than anyone runs; a program that keeps coming back is not
// stopped.
constexpr int kMostInstances = 16;

// Asks each running instance in turn to end; false when one does not.
bool StopEveryInstance(SetupPlatform& platform, const char* imageName) {
    for (int round = 0; round < kMostInstances; ++round) {
        switch (platform.StopProcessNamed(imageName)) {
            case StopResult::kNotRunning:
                return true;
            case StopResult::kStillRunning:
                return false;
            case StopResult::kStopped:
                break;
        }
    }
    return false;
}

bool StopRunningProduct(SetupPlatform& platform) {
    return StopEveryInstance(platform, kCompanionProgramName) &&
           StopEveryInstance(platform, kProductProgramName);
}

// The directory exists (made with its missing parents) and takes a file.
bool PrepareDirectory(const rt::TextValue& directory, SetupLog& log) {
    EnsureDirectory(directory, [&](const rt::TextValue& folder, bool created) {
        log.Action("folder made", folder, created, FailureKind::kUncounted);
    });
    if (!rt::IsExistingDirectory(directory)) {
        log.Failure("install directory", directory, "it cannot be created", FailureKind::kFiles);
        return false;
    }
    const rt::TextValue probe = directory + "\\" + kProbeName;
    if (rt::WriteWholeFile(probe, rt::ByteSet{}) == 0) {
        log.Action("install directory written", directory, false, FailureKind::kFiles);
        return false;
    }
    rt::DeleteOneFile(probe);
    return true;
}

void LogOldFilesAnswer(SetupLog& log, const InstallOptions& options) {
    log.Note(options.RemoveOldConfigFiles
                 ? "question: delete the old configuration files (删除旧的配置文件)? yes: the "
                   "saved choice RemoveOldConfigFiles is \"1\""
                 : "question: delete the old configuration files (删除旧的配置文件)? no: the "
                   "saved choice RemoveOldConfigFiles is not \"1\"");
}

// Each argument that was not understood; true when there was none.
bool Understood(const SetupCommandLine& command, SetupLog& log) {
    for (const CommandLineProblem& problem : command.problems)
        log.Failure("switch", problem.argument, problem.reason, FailureKind::kUncounted);
    if (!command.problems.empty()) log.Note("nothing done: the command line has bad switches");
    return command.problems.empty();
}

int ExitCodeAfter(const SetupLog& log) {
    if (log.Failures(FailureKind::kFiles) > 0) return kExitDirectoryNotWritable;
    if (log.Failures(FailureKind::kSettings) > 0) return kExitIncomplete;
    return kExitSuccess;
}

}  // namespace

int RunSilentInstall(const SetupCommandLine& command, SetupPlatform& system,
                     const ShippedPayload& payload, SetupLog& log) {
    if (!Understood(command, log)) return kExitBadSwitches;
    LoggingSetupPlatform platform(system, log);
    const InstallOptions options = StartingChoices(platform, command.switches);
    LogChoices(log, options);
    if (options.InstallPath.empty()) {
        log.Message(kInstallTitle, kEmptyDirectoryQuestion,
                    "no: this system names no Program Files folder for the default");
        return kExitDirectoryNotWritable;
    }
    if (IsRootDirectory(options.InstallPath, platform)) {
        log.Message(kInstallTitle, kRootDirectoryMessage, kNotShown);
        log.Failure("install directory", options.InstallPath, "a drive root is refused",
                    FailureKind::kFiles);
        return kExitDirectoryNotWritable;
    }
    LogOldFilesAnswer(log, options);

    ArchiveReader archive;
    if (!OpenPayloadArchive(payload, archive, nullptr, log)) {
        log.Message(kInstallTitle, kUnpackFailedMessage, kNotShown);
        return kExitDamagedPayload;
    }
    const SpaceCheck room = CheckRoom(options, archive, payload, platform, log);
    if (!room.Enough()) {
        log.Message(kInstallTitle, NoRoomMessage(room), kNotShown);
        return kExitDirectoryNotWritable;
    }
    if (!StopRunningProduct(platform)) return kExitProductRunning;
    if (!PrepareDirectory(options.InstallPath, log)) return kExitDirectoryNotWritable;
    RecordAndApplyChoices(options, platform, log);
    const UnwrittenFiles unwritten =
        PlaceProduct(options, archive, payload, platform, log, nullptr);
    if (unwritten.count > 0)
        log.Message(kInstallTitle, IncompleteInstallMessage(unwritten), kNotShown);
    return ExitCodeAfter(log);
}

int RunSilentUninstall(const SetupCommandLine& command, SetupPlatform& system, SetupLog& log) {
    if (!Understood(command, log)) return kExitBadSwitches;
    LoggingSetupPlatform platform(system, log);
    log.Message(kUninstallTitle, kUninstallQuestion, "yes, by /S (not shown)");
    if (!StopRunningProduct(platform)) return kExitProductRunning;
    const ProductRemoval removal = RemoveProduct(platform, log);
    log.Message(kUninstallReportTitle, UninstallReport(removal), kNotShown);
    return ExitCodeAfter(log);
}

}  // namespace inst
