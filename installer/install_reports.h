// What the install tells the user when it cannot finish: a volume without room for the files,
// and files it could not write. Portable; the texts are in the program's code page.
#pragma once

#include "installer/install_space.h"
#include "runtime/value_types.h"

namespace inst {

// "磁盘空间不足 ...": the space needed and the space free in MB, one decimal, the need rounded
// up and the free space down, so that the figures never look like enough.
rt::TextValue NoRoomMessage(const SpaceCheck& check);

// The product files and the uninstaller that an install could not write: how many, and the
// first with the system's reason.
struct UnwrittenFiles {
    int count = 0;
    rt::TextValue first;
    rt::TextValue firstReason;
    void Add(const rt::TextValue& path, const rt::TextValue& reason);
};

// "安装未完成 ...": how many files, the first and why, and to press the button again.
rt::TextValue IncompleteInstallMessage(const UnwrittenFiles& files);

}  // namespace inst
