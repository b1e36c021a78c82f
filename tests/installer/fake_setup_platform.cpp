#include "tests/installer/fake_setup_platform.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <algorithm>

#include "runtime/files.h"
#include "runtime/native_path.h"

namespace insttest {
namespace {

std::string KeyOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

rt::ByteSet BytesOf(const std::string& text) {
    return rt::ByteSet(text.begin(), text.end());
}

}  // namespace

void FakeSetupPlatform::SetValue(int root, const std::string& path, const std::string& text) {
    values[{root, path}] = text;
    keys.insert({root, KeyOf(path)});
}

bool FakeSetupPlatform::HasValue(int root, const std::string& path) const {
    return values.count({root, path}) != 0;
}

std::string FakeSetupPlatform::Value(int root, const std::string& path) const {
    const auto found = values.find({root, path});
    return found == values.end() ? std::string("<absent>") : found->second;
}

std::string FakeSetupPlatform::ShortcutContent(const std::string& target,
                                               const std::string& description,
                                               const std::string& workingDirectory) {
    return target + "|" + description + "|" + workingDirectory;
}

rt::TextValue FakeSetupPlatform::ReadRegistryText(int root, const rt::TextValue& path,
                                                  const rt::TextValue& fallback) {
    registryLog.push_back("read " + std::to_string(root) + " " + path);
    const auto found = values.find({root, path});
    return found == values.end() || found->second.empty() ? fallback : found->second;
}

int FakeSetupPlatform::WriteRegistryText(int root, const rt::TextValue& path,
                                         const rt::TextValue& text) {
    registryLog.push_back("write " + std::to_string(root) + " " + path + "=" + text);
    if (refuseMachineWrites && root == 4) {
        errno = EACCES;
        return 0;
    }
    SetValue(root, path, text);
    return 1;
}

bool FakeSetupPlatform::KeyHasContents(int root, const std::string& key) const {
    const std::string below = key + "\\";
    const auto inside = [&](const auto& name) {
        return name.first == root && name.second.compare(0, below.size(), below) == 0;
    };
    return std::any_of(values.begin(), values.end(),
                       [&](const auto& value) { return inside(value.first); }) ||
           std::any_of(keys.begin(), keys.end(), inside);
}

// A value first; otherwise the whole path as a key, which goes only when it is empty.
int FakeSetupPlatform::DeleteRegistryEntry(int root, const rt::TextValue& path) {
    registryLog.push_back("delete " + std::to_string(root) + " " + path);
    if (values.erase({root, path}) != 0) return 1;
    if (keys.count({root, path}) == 0 || KeyHasContents(root, path)) return 0;
    keys.erase({root, path});
    return 1;
}

rt::TextValue FakeSetupPlatform::SpecialFolder(int csidl) {
    const auto found = specialFolders.find(csidl);
    return found == specialFolders.end() ? rt::TextValue() : found->second;
}

rt::TextValue FakeSetupPlatform::EnvironmentText(const rt::TextValue& name) {
    const auto found = environment.find(name);
    return found == environment.end() ? rt::TextValue() : found->second;
}

rt::TextValue FakeSetupPlatform::FullPath(const rt::TextValue& path) {
    if (path.empty() || (path[0] != '/' && path[0] != '\\')) return path;
    std::string full = "Z:" + path;
    std::replace(full.begin(), full.end(), '/', '\\');
    return full;
}

rt::TextValue FakeSetupPlatform::FinalPath(const rt::TextValue& path) {
    char resolved[PATH_MAX] = {};
    if (path.empty() || realpath(rt::NativePath(path).c_str(), resolved) == nullptr) return {};
    return FullPath(resolved);
}

bool FakeSetupPlatform::CreateShortcut(const rt::TextValue& linkPath, const rt::TextValue& target,
                                       const rt::TextValue& description,
                                       const rt::TextValue& workingDirectory) {
    shortcuts.push_back({linkPath, target, description, workingDirectory});
    return rt::WriteWholeFile(linkPath,
                              BytesOf(ShortcutContent(target, description, workingDirectory))) != 0;
}

int FakeSetupPlatform::StartProgram(const rt::TextValue& commandLine) {
    startedPrograms.push_back(commandLine);
    return 1;
}

inst::StopResult FakeSetupPlatform::StopProcessNamed(const rt::TextValue& imageName) {
    stoppedProcesses.push_back(imageName);
    int& count = running[imageName];
    if (count == 0) return inst::StopResult::kNotRunning;
    if (unstoppable.count(imageName) != 0) return inst::StopResult::kStillRunning;
    --count;
    return inst::StopResult::kStopped;
}

int FakeSetupPlatform::ShowMessage(const rt::TextValue& text, int style,
                                   const rt::TextValue& title) {
    messages.push_back({text, style, title});
    return messageAnswer;
}

}  // namespace insttest
