// What the install end-to-end tests look at on the machine: registry values, shortcuts, files
// and folders, and the programs they start.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A path on the build machine as the programs under Wine see it (the host's root is drive Z:).
std::string WindowsPathOf(std::string hostPath);

// The built test programs and the product's packed files, as Windows paths.
std::string RunnerPath();
// The shipped program, and its build with the test hooks
// (tests/e2e/test_program_win32.cpp).
std::string SetupProgramPath();
std::string TestProgramPath();
// The library that marks its loading (plant_marker_win32.cpp), and the program that loads
// libraries the plain way (plant_probe_win32.cpp).
std::string PlantMarkerPath();
std::string PlantProbePath();
std::string ProductStagePath();
// The packed payload as the build appends it to the shipped program and links it into the
// others.
std::string ProductPayloadPath();
// The shipped program's file up to its appended payload: what its uninstall.exe copy holds.
// Empty when no payload is appended to it.
std::string ShippedProgramPart();

// A special folder (CSIDL_...) as the system reports it to this process, without a trailing
// backslash; empty when it has none.
std::string SystemFolder(int csidl);

// The text of a REG_SZ value; nothing when the key or the value is missing.
std::optional<std::string> RegistryText(HKEY root, const std::string& key,
                                        const std::string& value);
// `view` may pick a registry view (KEY_WOW64_32KEY, KEY_WOW64_64KEY); 0 is the process's own.
bool RegistryKeyExists(HKEY root, const std::string& key, REGSAM view = 0);
void SetRegistryText(HKEY root, const std::string& key, const std::string& value,
                     const std::string& text);
// Deletes a key with everything below it.
void DeleteRegistryTree(HKEY root, const std::string& key);
// Every value name and text below the key ("sub\name=text"), for before/after comparisons.
std::vector<std::string> RegistrySnapshot(HKEY root, const std::string& key);

struct ShortcutInfo {
    std::string target;
    std::string description;
    std::string workingDirectory;
};
// Reads a .lnk file through the shell's link object; nothing when it cannot be loaded.
std::optional<ShortcutInfo> ReadShortcut(const std::string& linkPath);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::optional<std::string> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Names of the files directly in a folder (no folders), sorted.
std::vector<std::string> FileNamesIn(const std::string& folder);
// Every file below a folder with its contents ("sub\name" -> bytes), for comparisons.
std::vector<std::pair<std::string, std::string>> TreeSnapshot(const std::string& folder);
// Removes a folder with everything in it, read-only files too; a linked folder goes as a link.
void RemoveTree(const std::string& folder);
bool WaitForFile(const std::string& path, int timeoutMs);
bool WaitForFolder(const std::string& path, int timeoutMs);

// Whether this process is a 32-bit program on 64-bit Windows.
bool RunsUnderWow64();
// Runs a command line to its end (at most `timeoutMs`) and returns what it wrote to its
// standard output.
std::string OutputOf(const std::string& commandLine, int timeoutMs);

// The small drive: a tmpfs that the test's fixture (small_drive.sh) links into the prefix as
// S:, to be filled. Empty when it is there, else why it is not.
inline constexpr char kSmallDrive[] = "S:\\";
std::string SmallDriveMissing();
// What this user may still write on the volume of a folder.
std::uint64_t FreeBytes(const std::string& folder);
// Fills the small drive with a file of its own (kFiller) until `bytes` are left free.
inline constexpr char kFiller[] = "S:\\filler.bin";
void LeaveFree(std::uint64_t bytes);

// The product's files as the build staged them into the payload, by name.
using NamedFiles = std::map<std::string, std::string>;
NamedFiles StagedProduct();
// Gives every product file installed in `dir` other bytes of the same size, as an earlier
// version of the product would have; returns them by name.
NamedFiles AgeInstallation(const std::string& dir);
// What is wrong with the product files in `dir`: each that is neither as in `earlier` nor as
// in `current` (a truncated or mixed file), and, unless allowed, each temporary file.
std::vector<std::string> BrokenFiles(const std::string& dir, const NamedFiles& earlier,
                                     const NamedFiles& current, bool temporariesAllowed);

// A copy of the shipped program whose payload was damaged on its way (a bad download): the
// decoder or the image's checksum notices. Empty when the payload was not found in it.
std::string DamagedProgramCopy();

}  // namespace e2e
