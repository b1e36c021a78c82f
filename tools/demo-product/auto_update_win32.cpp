// Stand-in for the product's updater. Started after an install, it records the files it
// manages in updatelist.xml next to itself (root/files, one element per file, the path relative
// to its folder in attribute name; the uninstaller deletes exactly these) and creates the
// folder download for its downloads. It shows no window and ends at once.
#include <windows.h>

#include <string>

#include "tools/demo-product/product_files.h"

namespace {

std::string OwnDirectory() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    // Character by character: a GBK character may end in the byte 0x5C.
    std::size_t lastSeparator = std::string::npos;
    for (std::size_t i = 0; i < directory.size(); ++i) {
        if (directory[i] == '\\') {
            lastSeparator = i;
        } else if (IsDBCSLeadByte(static_cast<BYTE>(directory[i])) && i + 1 < directory.size()) {
            ++i;
        }
    }
    return directory.substr(0, lastSeparator == std::string::npos ? 0 : lastSeparator);
}

// Attribute values are written escaped; the uninstaller's reader unescapes them.
std::string Escaped(const char* text) {
    std::string out;
    for (const char* c = text; *c != '\0'; ++c) {
        switch (*c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += *c;
        }
    }
    return out;
}

std::string FileList() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"gbk\"?>\r\n<root>\r\n  <files>\r\n";
    auto add = [&xml](const char* name) {
        xml += "    <file name=\"" + Escaped(name) + "\" />\r\n";
    };
    for (const char* program : demo::kProgramFiles)
        add(program);
    for (const demo::DataFile& file : demo::kDataFiles)
        add(file.name);
    xml += "  </files>\r\n</root>\r\n";
    return xml;
}

bool WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string directory = OwnDirectory();
    CreateDirectoryA((directory + "\\download").c_str(), nullptr);
    return WriteText(directory + "\\updatelist.xml", FileList()) ? 0 : 1;
}
