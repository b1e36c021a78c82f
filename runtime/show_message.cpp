#include "runtime/show_message.h"

#include "runtime/system_message_box.h"
#include "runtime/value_conversions.h"

namespace rt {

TextValue MessageTextOf(const TaggedValue& content) {
    if (content.IsArray() || content.Tag() == kTagBytes) return {};
    return ValueToText(content);
}

int ShowMessage(const TaggedValue& content, int style, std::optional<TextValue> title) {
    const TextValue shownTitle = title ? *title : TextValue("信息");
    return SystemMessageBox(MessageTextOf(content), shownTitle, static_cast<unsigned>(style)) - 1;
}

}  // namespace rt
