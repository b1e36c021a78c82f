// Loads each library named on its command line (separated by spaces) by its bare name, with
// the search order a process has when it does not limit it: libraries planted beside it are
// taken. Exit code: how many of the names could not be loaded.
#include <windows.h>

#include <sstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    std::istringstream names(commandLine);
    int missing = 0;
    for (std::string name; names >> name;) {
        if (LoadLibraryA(name.c_str()) == nullptr) ++missing;
    }
    return missing;
}
