// The install procedure, step by step. A failed step is not reported and the next one follows;
// only an empty directory and a payload that does not decode are shown to the user.
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
        const int answer = frontEnd.ShowInstallMessage(kRootDirectoryMessage, kInstallTitle,
                                                       kButtonsOk, kIconExclamation, true);
        log.Message(kInstallTitle, kRootDirectoryMessage, answer);
        return InstallOutcome::kRootRefused;
    }
    RecordAndApplyChoices(options, platform, log);

    UnpackProgress progress(frontEnd, DeclaredImageSize(payload.container));
    ArchiveReader archive;
    if (!OpenPayloadArchive(payload, archive, &progress.Decoding(), log)) {
        const int answer = frontEnd.ShowInstallMessage(kUnpackFailedMessage, kInstallTitle,
                                                       kButtonsOk, kIconInformation, true);
        log.Message(kInstallTitle, kUnpackFailedMessage, answer);
        return InstallOutcome::kPayloadDamaged;
    }
    PlaceProduct(options, archive, platform, log, &progress.Writing());
    frontEnd.CloseWizard();
    return InstallOutcome::kInstalled;
}

InstallOutcome RunInstall(const InstallOptions& options, InstallFrontEnd& frontEnd,
                          SetupPlatform& platform, const ShippedPayload& payload) {
    SetupLog unwritten;
    return RunInstall(options, frontEnd, platform, payload, unwritten);
}

}  // namespace inst
