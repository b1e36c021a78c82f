// Draining the calling thread's message queue, for animations that run inside one handler.
#pragma once

namespace rt {

// Takes and dispatches every queued message of the calling thread until the queue is empty or
// the next message is WM_QUIT, which stays queued for the thread's own loop. Returns true when
// it stopped at WM_QUIT. Natively there is no queue and it returns false.
bool PumpMessages();

}  // namespace rt
