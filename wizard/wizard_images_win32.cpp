#include "wizard/wizard_images.h"

#include "kWizardBanner.h"
#include "kWizardChatGroupStrip.h"
#include "kWizardCloseStrip.h"
#include "kWizardExitIcon.h"
#include "kWizardForumIcon.h"
#include "kWizardHelpIcon.h"
#include "kWizardHomeIcon.h"
#include "kWizardInstallStrip.h"
#include "kWizardLogoStrip.h"
#include "kWizardMenuStrip.h"
#include "kWizardMinimiseStrip.h"
#include "toolkit/core/images.h"

namespace wiz {
namespace {

ImageBytes Copy(const unsigned char* embedded) {
    const ui::ByteView bytes = ui::EmbeddedBytes(embedded);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

ImageBytes BannerImage() {
    return Copy(kWizardBanner);
}
ImageBytes LogoStrip() {
    return Copy(kWizardLogoStrip);
}
ImageBytes CloseStrip() {
    return Copy(kWizardCloseStrip);
}
ImageBytes MinimiseStrip() {
    return Copy(kWizardMinimiseStrip);
}
ImageBytes MenuStrip() {
    return Copy(kWizardMenuStrip);
}
ImageBytes ChatGroupStrip() {
    return Copy(kWizardChatGroupStrip);
}
ImageBytes InstallStrip() {
    return Copy(kWizardInstallStrip);
}
ImageBytes HelpIcon() {
    return Copy(kWizardHelpIcon);
}
ImageBytes HomeIcon() {
    return Copy(kWizardHomeIcon);
}
ImageBytes ForumIcon() {
    return Copy(kWizardForumIcon);
}
ImageBytes ExitIcon() {
    return Copy(kWizardExitIcon);
}

}  // namespace wiz
