// What the install end-to-end tests look at on the machine: registry values, shortcuts, files
// and folders, and the programs they start.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The built test programs and the product's packed files, as Windows paths.
std::string RunnerPath();
// The shipped program, and its build with the test hooks
// (tests/install_e2e/test_program_win32.cpp).
std::string SetupProgramPath();
std::string TestProgramPath();
// The library that marks its loading (plant_marker_win32.cpp), and the program that loads
// libraries the plain way (plant_probe_win32.cpp).
std::string PlantMarkerPath();
std::string PlantProbePath();
std::string ProductStagePath();
// The packed payload as the build links it into the program.
std::string ProductPayloadPath();

// The text of a REG_SZ value; nothing when the key or the value is missing.
std::optional<std::string> RegistryText(HKEY root, const std::string& key,
                                        const std::string& value);
bool RegistryKeyExists(HKEY root, const std::string& key);
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

// A copy of the shipped program whose payload was damaged on its way (a bad download): the
// decoder or the image's checksum notices. Empty when the payload was not found in it.
std::string DamagedProgramCopy();

}  // namespace e2e
