// The plain text button: the control's own face in every state, nothing intercepted. The
// wizard's browse button and the default buttons of the toolkit message box are push buttons.
#pragma once

#include "toolkit/core/control.h"

namespace ui {

class PushButton : public Control {
  public:
    ~PushButton() override { Destroy(); }
};

}  // namespace ui
