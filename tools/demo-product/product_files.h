// The demo product's files: what the build packs into the payload, and what its updater lists
// in updatelist.xml after an install. One table for both, so they never disagree.
#pragma once

#include <cstdint>

namespace demo {

// How a data file's bytes are made (see demo_data.h).
enum class DataKind {
    Code,     // machine code, import names and padding, as in a program library
    Media,    // already compressed images and sound: random bytes behind a small header
    Records,  // fixed-size database records
    Text,     // configuration, scripts and documents in ASCII
    Chinese,  // text in GBK
};

struct DataFile {
    const char* name;  // in the execution character set: GBK in the program, UTF-8 in tools
    DataKind kind;
    std::uint32_t size;
};

// The three programs are built from source; the rest is generated.
inline constexpr const char* kProgramFiles[] = {"AutoUpdate.exe", "VantorFenwix.exe",
                                                "VantorSaelin.exe"};

// clang-format off
inline constexpr DataFile kDataFiles[] = {
    {"VantorCore.dll", DataKind::Code, 2640544},
    {"VantorUI.dll", DataKind::Code, 1439232},
    {"VantorNet.dll", DataKind::Code, 843776},
    {"VantorScript.dll", DataKind::Code, 719872},
    {"VantorHook.dll", DataKind::Code, 241664},
    {"VantorRender.dll", DataKind::Code, 964608},
    {"CrashReport.dll", DataKind::Code, 181248},
    {"VantorZip.dll", DataKind::Code, 120832},
    {"VantorAudio.dll", DataKind::Code, 421888},
    {"skin.pak", DataKind::Media, 1512397},
    {"sound.pak", DataKind::Media, 1003520},
    {"fonts.pak", DataKind::Code, 601088},
    {"icons.pak", DataKind::Media, 301465},
    {"splash.jpg", DataKind::Media, 196123},
    {"logo.png", DataKind::Media, 41377},
    {"background.png", DataKind::Media, 346811},
    {"items.db", DataKind::Records, 753664},
    {"npc.db", DataKind::Records, 376832},
    {"quests.db", DataKind::Records, 482304},
    {"maps.dat", DataKind::Records, 1245184},
    {"config.ini", DataKind::Text, 3771},
    {"default.ini", DataKind::Text, 11302},
    {"hotkeys.ini", DataKind::Text, 2829},
    {"lang_zh-CN.ini", DataKind::Chinese, 139448},
    {"lang_en-US.ini", DataKind::Text, 120586},
    {"changelog.txt", DataKind::Text, 60293},
    {"license.txt", DataKind::Text, 16958},
    {"使用说明.txt", DataKind::Chinese, 22611},
    {"plugins.xml", DataKind::Text, 15072},
    {"servers.xml", DataKind::Text, 7536},
    {"version.xml", DataKind::Text, 942},
    {"updater.cfg", DataKind::Text, 1884},
    {"scripts.lua", DataKind::Text, 188416},
    {"readme.html", DataKind::Text, 26378},
    {"help.chm", DataKind::Media, 565248},
};
// clang-format on

}  // namespace demo
