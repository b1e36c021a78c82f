// Waits, so that a test can find this process by its image name and stop it. Ends by itself
// after a while so that nothing is left behind when a test fails half-way.
#include <windows.h>

int main() {
    Sleep(60000);
    return 7;
}
