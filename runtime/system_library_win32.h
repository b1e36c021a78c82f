// Where the program takes the libraries it loads while it runs. It runs elevated from a folder
// anyone may have written to (Downloads), so a library that the system does not count among its
// known libraries must never be taken from the program's own folder, the current folder or the
// PATH: only from the system folder.
#pragma once

#include <windows.h>

namespace rt {

// Limits the library search of the whole process (the program's own loads and those the system
// libraries make on its behalf) to the system folder, drops the current folder from it, and
// loads from the system folder the libraries the system's own libraries are known to load by
// name later. Call it first thing in the process entry, before any library is loaded on demand.
// Windows 7 without update KB2533623 lacks the limit; there only the current folder goes and
// the libraries loaded first are what keeps the program's folder out.
void RestrictLibrarySearch();

// Loads a library by its bare name ("gdiplus" or "gdiplus.dll") from the system folder only;
// a library the process holds already is simply counted once more. Nothing when it is not there.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace rt
