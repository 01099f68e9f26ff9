#include "player/state/window_commands.h"

namespace kirivane {

void WaitWithEvents(Clock& clock, WindowCommands& window, int milliseconds) {
  const std::uint32_t start = clock.NowMs();
  for (;;) {
    window.DoEvents();
    if (clock.NowMs() - start >= static_cast<std::uint32_t>(milliseconds)) return;
    clock.SleepMs(1);
  }
}

}  // namespace kirivane
