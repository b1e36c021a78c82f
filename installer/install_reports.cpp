#include "installer/install_reports.h"

#include <string>

namespace inst {
namespace {

constexpr std::uint64_t kMegabyte = 1u << 20;

std::string Tenths(std::uint64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string MegabytesUp(std::uint64_t bytes) {
    return Tenths((bytes / kMegabyte) * 10 +
                  ((bytes % kMegabyte) * 10 + kMegabyte - 1) / kMegabyte);
}

std::string MegabytesDown(std::uint64_t bytes) {
    return Tenths((bytes / kMegabyte) * 10 + (bytes % kMegabyte) * 10 / kMegabyte);
}

}  // namespace

rt::TextValue NoRoomMessage(const SpaceCheck& check) {
    return "磁盘空间不足，无法安装。\r\n需要 " + MegabytesUp(check.needed) + " MB，可用 " +
           MegabytesDown(check.free.value_or(0)) + " MB。";
}

void UnwrittenFiles::Add(const rt::TextValue& path, const rt::TextValue& reason) {
    if (count++ > 0) return;
    first = path;
    firstReason = reason;
}

rt::TextValue IncompleteInstallMessage(const UnwrittenFiles& files) {
    return "安装未完成：" + std::to_string(files.count) + " 个文件无法写入。\r\n首个文件：" +
           files.first + "\r\n原因：" + files.firstReason + "\r\n请排除问题后再次点击“立即安装”。";
}

}  // namespace inst
