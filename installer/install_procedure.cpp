// The install procedure, step by step. A failed step is not reported and the next one follows;
// shown to the user are an empty directory, a payload that does not decode, a volume without
// room for the files and files that could not be written.
#include <algorithm>

#include "installer/archive_reader.h"
#include "installer/install.h"
#include "installer/install_directory_rules.h"
#include "installer/install_layout.h"
#include "installer/install_steps.h"
#include "runtime/registry.h"

namespace inst {
namespace {

// Empty directory: on Yes the page gets the stored directory, or the default one. Nothing is
// installed; the user presses the button again.
void OfferDefaultDirectory(InstallFrontEnd& frontEnd, SetupPlatform& platform, SetupLog& log) {
    const int answer = frontEnd.ShowInstallMessage(kEmptyDirectoryQuestion, kInstallTitle,
                                                   kButtonsYesNo, kIconQuestion, false);
    log.Message(kInstallTitle, kEmptyDirectoryQuestion, answer);
    if (answer != rt::kResultYes) return;
    frontEnd.SetInstallPath(platform.ReadRegistryText(rt::kRootCurrentUser,
                                                      SettingsValuePath(kValueInstallPath),
                                                      DefaultInstallDirectory(platform)));
}

// Unpacking as the front end sees it: one count of bytes over decoding and writing, in which
// each byte of the archive image counts twice, once decoded and once written out. So the total
// is known before the first byte (from the size the payload declares).
class UnpackProgress {
  public:
    UnpackProgress(InstallFrontEnd& frontEnd, std::uint64_t imageSize)
        : decoding_(frontEnd, imageSize, 0), writing_(frontEnd, imageSize, imageSize) {}
    ByteProgress& Decoding() { return decoding_; }
    ByteProgress& Writing() { return writing_; }

  private:
    // One half of the count: `done` of a half's own total lands after `start`; the end of the
    // half is its full share, whatever the half's own total.
    class Half final : public ByteProgress {
      public:
        Half(InstallFrontEnd& frontEnd, std::uint64_t share, std::uint64_t start)
            : frontEnd_(frontEnd), share_(share), start_(start) {}
        void Advance(std::uint64_t done, std::uint64_t total) override {
            const std::uint64_t part = done >= total ? share_ : std::min(done, share_);
            frontEnd_.ShowProgress(start_ + part, 2 * share_);
        }

      private:
        InstallFrontEnd& frontEnd_;
        std::uint64_t share_;
        std::uint64_t start_;
    };
    Half decoding_;
    Half writing_;
};

// A report with only an OK button, centred over the wizard.
void Report(InstallFrontEnd& frontEnd, SetupLog& log, const rt::TextValue& text, int icon) {
    const int answer = frontEnd.ShowInstallMessage(text, kInstallTitle, kButtonsOk, icon, true);
    log.Message(kInstallTitle, text, answer);
}

}  // namespace

rt::TextValue DefaultInstallDirectory(SetupPlatform& platform) {
    rt::TextValue programFiles = platform.SpecialFolder(kFolderOwnProgramFiles);
    if (programFiles.empty()) programFiles = platform.SpecialFolder(kFolderOtherProgramFiles);
    if (programFiles.empty()) return {};
    return InFolder(InFolder(programFiles, kMakerFolderName), kProductFolderName);
}

InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd,
                          SetupPlatform& platform, const ShippedPayload& payload, SetupLog& log) {
    LogChoices(log, options);
    if (options.InstallPath.empty()) {
        OfferDefaultDirectory(frontEnd, platform, log);
        return InstallOutcome::kAskedForDirectory;
    }
    if (IsRootDirectory(options.InstallPath, platform)) {
        Report(frontEnd, log, kRootDirectoryMessage, kIconExclamation);
        return InstallOutcome::kRootRefused;
    }

    // Decoded before anything is changed: a damaged payload then changes nothing, and the
    // archive's table tells the room its files need. The image takes as much memory here as
    // it did while the files were written.
    UnpackProgress progress(frontEnd, DeclaredImageSize(payload.container));
    ArchiveReader archive;
    if (!OpenPayloadArchive(payload, archive, &progress.Decoding(), log)) {
        Report(frontEnd, log, kUnpackFailedMessage, kIconInformation);
        return InstallOutcome::kPayloadDamaged;
    }
    const SpaceCheck room = CheckRoom(options, archive, payload, platform, log);
    if (!room.Enough()) {
        Report(frontEnd, log, NoRoomMessage(room), kIconExclamation);
        return InstallOutcome::kNoRoom;
    }
    RecordAndApplyChoices(options, platform, log);
    const UnwrittenFiles unwritten =
        PlaceProduct(options, archive, payload, platform, log, &progress.Writing());
    if (unwritten.count > 0) {
        Report(frontEnd, log, IncompleteInstallMessage(unwritten), kIconExclamation);
        return InstallOutcome::kIncomplete;
    }
    frontEnd.CloseWizard();
    return InstallOutcome::kInstalled;
}

InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd,
                          SetupPlatform& platform, const ShippedPayload& payload) {
    SetupLog unwritten;
    return RunInstall(options, frontEnd, platform, payload, unwritten);
}

}  // namespace inst
