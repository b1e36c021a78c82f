// Scratch places for one test under Wine: a folder below %TEMP% and a key below
// HKEY_CURRENT_USER\Software\VantorSaelinTests, both removed with everything in them afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/value_types.h"
#include "tests/runtime/folder_link.h"

// Removes a folder tree, clearing read-only attributes first, so a test that leaves read-only
// files behind still cleans up; a linked folder goes as a link.
inline void ForceRemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (folder_link::IsFolderLink(full))
                folder_link::RemoveFolderLink(full);
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ForceRemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "vs-files-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }
    void TearDown() override { ForceRemoveTree(folder_); }

    rt::TextValue Path(const std::string& relative) const { return folder_ + "\\" + relative; }
    bool Exists(const std::string& relative) const {
        return GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    const std::string& Folder() const { return folder_; }

  private:
    std::string folder_;
};

class ScratchKeyTest : public ::testing::Test {
  protected:
    static constexpr const char* kParent = "Software\\VantorSaelinTests";

    void SetUp() override {
        key_ = std::string(kParent) + "\\run-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount());
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kParent);  // only goes when no other run uses it
    }

    // A registry path below the scratch key.
    rt::TextValue Under(const std::string& relative) const { return key_ + "\\" + relative; }
    const std::string& Key() const { return key_; }
    bool KeyExists(const std::string& subkey) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

  private:
    std::string key_;
};
