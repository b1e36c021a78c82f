// The plain system message box with a value of any type as its message.
#pragma once

#include <optional>

#include "runtime/tagged_value.h"
#include "runtime/value_types.h"

namespace rt {

// Shows the content's text with the MessageBoxA style bits and the title (default "信息"),
// without an owner window. Returns the pressed button as a MessageBoxResult (the button id
// minus one), or -1 when no box could be shown.
int ShowMessage(const TaggedValue& content, int style, std::optional<TextValue> title = {});

// The message text of a content: texts as they are, truth values, date-times and numbers as
// ValueToText shows them; byte sets, arrays and other kinds give an empty message.
TextValue MessageTextOf(const TaggedValue& content);

}  // namespace rt
