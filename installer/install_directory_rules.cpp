#include "installer/install_directory_rules.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "installer/install_comparable_path.h"
#include "installer/install_wipe_guard.h"
#include "installer/uninstall_listed_name.h"
#include "runtime/dbcs.h"

namespace inst {
namespace {

struct RefusalTexts {
    const char* reason;
    const char* sentence;
};

// In the order of DirectoryRefusal.
constexpr RefusalTexts kRefusalTexts[] = {
    {"it may be used", ""},
    {"it is not an absolute path", "安装目录不是完整的路径，其中的文件没有删除。"},
    {"it does not exist, or where it really is cannot be told",
     "安装目录不存在或无法确定其位置，其中的文件没有删除。"},
    {"it is the root of a drive or share", "安装目录是磁盘或共享的根目录，其中的文件没有删除。"},
    {"it is a system, program or user folder, or holds one",
     "安装目录是系统、程序或用户的文件夹，其中的文件没有删除。"},
    {"a link or junction lies on the way to it",
     "安装目录要经过链接才能到达，其中的文件没有删除。"},
};
static_assert(std::size(kRefusalTexts) ==
              static_cast<std::size_t>(DirectoryRefusal::kThroughLink) + 1);

// The length of the part of an absolute path that names its drive or share, with the
// separator after it: "C:\", "\\server\share\".
std::size_t RootLength(const rt::TextValue& path) {
    if (path.size() >= 2 && path[1] == ':') return std::min<std::size_t>(3, path.size());
    int separators = 0;
    for (std::size_t i = 0; i < path.size(); i += rt::CharWidthAt(path, i)) {
        if ((path[i] == '\\' || path[i] == '/') && ++separators == 4) return i + 1;
    }
    return path.size();
}

// A junction or symbolic link on any folder below the root. A mapped or substituted drive is
// no link: it names its folder wherever it leads.
bool HasLinkOnTheWay(const rt::TextValue& full) {
    const std::size_t root = RootLength(full);
    return PassesThroughLink(full.substr(0, root), std::string_view(full).substr(root));
}

}  // namespace

bool IsRootDirectory(const rt::TextValue& directory, SetupPlatform& platform) {
    const std::optional<ComparablePath> full = MakeComparablePath(platform.FullPath(directory));
    return full && full->names.empty();
}

DirectoryRefusal JudgeUninstallDirectory(const rt::TextValue& base, SetupPlatform& platform) {
    if (!MakeComparablePath(base)) return DirectoryRefusal::kNotAbsolute;
    const rt::TextValue full = platform.FullPath(base), real = platform.FinalPath(base);
    const std::optional<ComparablePath> given = MakeComparablePath(full);
    const std::optional<ComparablePath> found = MakeComparablePath(real);
    if (!given || !found) return DirectoryRefusal::kNotThere;
    if (given->names.empty() || found->names.empty()) return DirectoryRefusal::kRoot;
    const GuardedFolders guarded = GuardedFoldersOf(platform);
    if (!MayWipeDirectory(full, guarded) || !MayWipeDirectory(real, guarded))
        return DirectoryRefusal::kGuardedFolder;
    if (HasLinkOnTheWay(full)) return DirectoryRefusal::kThroughLink;
    return DirectoryRefusal::kNone;
}

const char* RefusalReason(DirectoryRefusal refusal) {
    return kRefusalTexts[static_cast<std::size_t>(refusal)].reason;
}

const char* RefusalReportSentence(DirectoryRefusal refusal) {
    return kRefusalTexts[static_cast<std::size_t>(refusal)].sentence;
}

}  // namespace inst
