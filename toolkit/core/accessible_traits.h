// What a screen reader is told about an element: its role, what its default action does, and
// the states and value only the element's class knows. Each element class fills these in
// (Element::DescribeForAccessibility); the accessible objects (accessible_element.h) turn them
// into the platform's roles, states and texts.
#pragma once

#include <optional>
#include <string>

namespace ui {

enum class AccessibleRole : int {
    kClient = 0,  // a plain element: no role of its own
    kPushButton,
    kCheckButton,
    kEditableText,
    kStaticText,
    kLink,
    kGraphic,
    kProgressBar,
    kMenuItem,
    kMenuPopup,
    kDialog,
};

// What the default action does (and how a screen reader announces it).
enum class AccessibleAction : int {
    kNone = 0,
    kPress,   // buttons and menu items: a click
    kToggle,  // check boxes: a click that checks or clears
    kJump,    // links: a click that opens the page
};

struct AccessibleFacts {
    AccessibleRole role = AccessibleRole::kClient;
    AccessibleAction action = AccessibleAction::kNone;
    std::wstring name;
    std::optional<std::wstring> value;  // edit boxes, progress bars
    bool checked = false;
    bool readOnly = false;
    bool protectedText = false;  // a password box: its value is not told
};

}  // namespace ui
