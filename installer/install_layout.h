// Where the product lives on the machine: the registry values the install writes (and the
// options page and the uninstaller read back), the files and shortcuts it creates, and the
// texts it shows. Portable.
#pragma once

#include <array>

#include "runtime/value_types.h"

namespace inst {

// Special folders (CSIDL codes) the install and uninstall work in.
inline constexpr int kFolderCommonPrograms = 23;
inline constexpr int kFolderCommonDesktop = 25;
inline constexpr int kFolderProgramFiles = 38;
inline constexpr int kFolderProgramFilesX86 = 42;
// Where programs built like this one belong: the 32-bit program in Program Files (x86), the
// 64-bit build in Program Files itself (where a 64-bit process finds the x86 folder under 42
// too, and where its user looks for it). The other folder stands in when a system lacks it.
inline constexpr bool kIs64BitBuild = sizeof(void*) == 8;
inline constexpr int kFolderOwnProgramFiles =
    kIs64BitBuild ? kFolderProgramFiles : kFolderProgramFilesX86;
inline constexpr int kFolderOtherProgramFiles =
    kIs64BitBuild ? kFolderProgramFilesX86 : kFolderProgramFiles;

// HKEY_CURRENT_USER: the choices of the last install (the check boxes' values are named in
// kInstallChoices, install_options.h).
inline constexpr char kSettingsKey[] = "Software\\VantorFenWix";
inline constexpr char kValueInstallPath[] = "InstallPath";

// HKEY_CURRENT_USER: start with Windows.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "VantorFenwix";

// HKEY_LOCAL_MACHINE: the entry in the system's list of installed programs.
inline constexpr char kUninstallEntryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VantorFenWix";
// The entry's values in the order they are written and deleted.
inline constexpr std::array<const char*, 9> kUninstallEntryValues = {
    "Comments",  "DisplayIcon",   "DisplayName",     "HelpLink",    "InstallLocation",
    "Publisher", "UninstallPath", "UninstallString", "URLInfoAbout"};

inline constexpr char kProductComments[] = "一款界面简洁，功能强大的Vantor辅助工具。";
inline constexpr char kProductDisplayName[] = "VantorSaelin";
inline constexpr char kProductPublisher[] = "Zemlo";
// The product on the web. Every address the program shows or opens is here.
// The product's page: the system shows it as the help link and "about" address of the
// uninstall entry, and the wizard's menu opens it as the home page ("主页").
inline constexpr char kProductAddress[] = "https://www.zemlo.example/vantorsaelin/";
// The publisher's home page, behind the wizard's logo.
inline constexpr char kHomePageAddress[] = "https://www.zemlo.example/";
// The product's forum ("论坛" in the wizard's menu).
inline constexpr char kForumAddress[] = "https://bbs.zemlo.example/forum-vantorsaelin/";
// The users' QQ group: the publisher's link that joins it, and its number for joining by hand.
inline constexpr char kChatGroupJoinAddress[] = "https://www.zemlo.example/go/qq-group";
inline constexpr char kChatGroupNumber[] = "736241859";

// Files inside the install directory.
inline constexpr char kProductProgramName[] = "VantorFenwix.exe";
inline constexpr char kCompanionProgramName[] = "VantorSaelin.exe";
inline constexpr char kUninstallerName[] = "uninstall.exe";
inline constexpr char kUpdaterName[] = "AutoUpdate.exe";
inline constexpr char kUpdateListName[] = "updatelist.xml";
inline constexpr char kDownloadFolderName[] = "download";

// Shortcuts and Start-menu folders. "Korrel" is the maker's folder, shared with its other
// products; "VantorFenWix" below it belongs to this product alone.
inline constexpr char kMakerFolderName[] = "Korrel";
inline constexpr char kProductFolderName[] = "VantorFenWix";
inline constexpr char kProgramShortcutName[] = "VantorSaelin.lnk";
inline constexpr char kUninstallShortcutName[] = "卸载.lnk";
inline constexpr char kShortcutDescription[] = "一样的世界，不一样的精彩。";

// Messages of the install.
inline constexpr char kInstallTitle[] = "VantorSaelin 安装向导";
inline constexpr char kEmptyDirectoryQuestion[] = "安装目录不能为空。\r\n是否初始化为默认值？";
inline constexpr char kUnpackFailedMessage[] = "解压失败！";
// Why an archive entry was not written, in the message that names it (install_reports.h).
inline constexpr char kNameOutsideReason[] = "文件名指向安装目录之外。";
inline constexpr char kRootDirectoryMessage[] =
    "安装目录不能是磁盘的根目录。\r\n请选择其中的一个文件夹。";
inline constexpr int kButtonsOk = 0;
inline constexpr int kButtonsYesNo = 4;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;

// Messages of the uninstall: the question before it, the report after it.
inline constexpr char kUninstallQuestion[] = "是否卸载 VantorSaelin ？";
inline constexpr char kUninstallTitle[] = "卸载 VantorSaelin";
inline constexpr char kUninstallReportTitle[] = "卸载完毕";
inline constexpr char kUninstallReportText[] =
    "VantorSaelin 卸载完毕！\r\n\r\n剩余文件您可以手动删除：\r\n\r\n";

// Paths derived from the install directory D exactly as typed: plain concatenation, so a D
// ending with "\" gives a doubled backslash, as the registry and shortcuts then show.
rt::TextValue InFolder(const rt::TextValue& folder, const char* name);
rt::TextValue ProductProgramPath(const rt::TextValue& installPath);
rt::TextValue UninstallerPath(const rt::TextValue& installPath);
rt::TextValue UpdaterPath(const rt::TextValue& installPath);

// Registry paths ("key\value") of the settings and the auto-start value.
rt::TextValue SettingsValuePath(const char* valueName);
rt::TextValue RunValuePath();
rt::TextValue UninstallEntryValuePath(const char* valueName);

// The Start-menu entries below the common Programs folder.
struct StartMenuPaths {
    rt::TextValue makerFolder;
    rt::TextValue productFolder;
    rt::TextValue programShortcut;
    rt::TextValue uninstallShortcut;
};
StartMenuPaths StartMenuPathsIn(const rt::TextValue& commonPrograms);

}  // namespace inst
