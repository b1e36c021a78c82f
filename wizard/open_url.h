// Opens a web address in the user's browser.
#pragma once

#include "runtime/value_types.h"

namespace wiz {

// Hands the address to the shell ("open", shown normally); a failure is not reported.
void OpenUrl(const rt::TextValue& url);

}  // namespace wiz
