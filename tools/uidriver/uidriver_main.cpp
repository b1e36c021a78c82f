// uidriver: finds another program's windows and message boxes, reads them, presses their
// buttons and types into them. Run under Wine in the same prefix and display as the program it
// drives.
//
//   uidriver list [--pid N]
//   uidriver wait [--class C] [--title T] [--pid N] [--timeout MS]
//       prints "HWND<TAB>class<TAB>title"
//   uidriver text HWND                                       the message text of a box
//   uidriver press HWND (ID | --text T)                      clicks a button
//   uidriver answer (yes|no|ok) [--title T] [--timeout MS]   waits for a box, answers it
//   uidriver type HWND TEXT                                  types the text
//   uidriver keys HWND KEY[+KEY...]                          a chord, e.g. ctrl+a; keys are ctrl,
//       shift, alt, enter, tab, esc, back, delete, home, end, left, right, up, down or one
//       character
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/uidriver/ui_driver.h"

namespace {

struct Options {
    e2e::WindowQuery query;
    int timeoutMs = 10000;
    std::string text;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: uidriver list|wait|text|press|answer ... (see the source header)\n");
    return 2;
}

Options ParseOptions(int argc, char** argv, int first) {
    Options options;
    for (int i = first; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const char* value = argv[i + 1];
        if (flag == "--class") options.query.className = value;
        if (flag == "--title") options.query.title = value;
        if (flag == "--pid") options.query.processId = std::strtoul(value, nullptr, 10);
        if (flag == "--timeout") options.timeoutMs = std::atoi(value);
        if (flag == "--text") options.text = value;
    }
    return options;
}

// A key name of the "keys" verb as its virtual-key code; 0 when unknown.
WORD KeyCode(const std::string& name) {
    static const struct {
        const char* name;
        WORD key;
    } kNamed[] = {{"ctrl", VK_CONTROL}, {"shift", VK_SHIFT},   {"alt", VK_MENU},
                  {"enter", VK_RETURN}, {"tab", VK_TAB},       {"esc", VK_ESCAPE},
                  {"back", VK_BACK},    {"delete", VK_DELETE}, {"home", VK_HOME},
                  {"end", VK_END},      {"left", VK_LEFT},     {"right", VK_RIGHT},
                  {"up", VK_UP},        {"down", VK_DOWN}};
    for (const auto& named : kNamed) {
        if (name == named.name) return named.key;
    }
    if (name.size() != 1) return 0;
    const SHORT layout = VkKeyScanA(name[0]);
    return layout == -1 ? 0 : LOBYTE(layout);
}

int PressNamedChord(HWND window, const std::string& chord) {
    std::vector<WORD> keys;
    for (std::size_t start = 0; start <= chord.size();) {
        std::size_t plus = chord.find('+', start + 1);
        if (plus == std::string::npos) plus = chord.size();
        const WORD key = KeyCode(chord.substr(start, plus - start));
        if (key == 0) return Usage();
        keys.push_back(key);
        start = plus + 1;
    }
    return e2e::PressChord(window, keys) ? 0 : 1;
}

HWND ParseHandle(const char* text) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text, nullptr, 0)));
}

void PrintWindow(const e2e::WindowInfo& w) {
    std::printf("0x%lx\t%lu\t%s\t%s\n",
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(w.handle)), w.processId,
                w.className.c_str(), w.title.c_str());
}

int Answer(const std::string& button, Options options) {
    options.query.className = "#32770";
    auto box = e2e::WaitForWindow(options.query, options.timeoutMs);
    if (!box) {
        std::fprintf(stderr, "no message box appeared\n");
        return 1;
    }
    const int id = button == "yes" ? IDYES : button == "no" ? IDNO : IDOK;
    std::printf("%s\n", e2e::MessageBoxText(box->handle).c_str());
    return e2e::ClickButton(box->handle, id) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string verb = argv[1];
    if (verb == "list") {
        Options options = ParseOptions(argc, argv, 2);
        options.query.visibleOnly = false;
        for (const auto& w : e2e::ListTopLevelWindows(options.query))
            PrintWindow(w);
        return 0;
    }
    if (verb == "wait") {
        Options options = ParseOptions(argc, argv, 2);
        auto found = e2e::WaitForWindow(options.query, options.timeoutMs);
        if (!found) return 1;
        PrintWindow(*found);
        return 0;
    }
    if (verb == "text" && argc >= 3) {
        std::printf("%s\n", e2e::MessageBoxText(ParseHandle(argv[2])).c_str());
        return 0;
    }
    if (verb == "press" && argc >= 4) {
        HWND dialog = ParseHandle(argv[2]);
        if (std::strcmp(argv[3], "--text") == 0 && argc >= 5) {
            return e2e::ClickButtonWithText(dialog, argv[4]) ? 0 : 1;
        }
        return e2e::ClickButton(dialog, std::atoi(argv[3])) ? 0 : 1;
    }
    if (verb == "type" && argc >= 4) return e2e::TypeText(ParseHandle(argv[2]), argv[3]) ? 0 : 1;
    if (verb == "keys" && argc >= 4) return PressNamedChord(ParseHandle(argv[2]), argv[3]);
    if (verb == "answer" && argc >= 3) return Answer(argv[2], ParseOptions(argc, argv, 3));
    // uidriver (move|click) HWND X Y: points at or clicks a position of the window's client area.
    if ((verb == "move" || verb == "click") && argc >= 5) {
        HWND window = ParseHandle(argv[2]);
        const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
        const bool done =
            verb == "move" ? e2e::MoveMouseTo(window, x, y) : e2e::ClickAt(window, x, y);
        return done ? 0 : 1;
    }
    return Usage();
}
