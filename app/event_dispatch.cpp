#include "app/event_dispatch.h"

#include <new>
#include <stdexcept>

#include "config/file_io.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

class EventScope {
 public:
  EventScope() { g_program.handlingEvent = true; }
  ~EventScope() { g_program.handlingEvent = false; }
  EventScope(const EventScope&) = delete;
  EventScope& operator=(const EventScope&) = delete;
};

}  // namespace

void HandleEvent(std::function<void()> event) {
  g_program.waitingEvents.push_back(std::move(event));
  if (g_program.handlingEvent) return;
  const EventScope scope;
  try {
    while (!g_program.waitingEvents.empty()) {
      const std::function<void()> next = std::move(g_program.waitingEvents.front());
      g_program.waitingEvents.pop_front();
      next();
    }
  } catch (const std::bad_alloc&) {
    // A file of hundreds of megabytes is held in several copies while it is decoded.
    CheckFile(kOutOfMemoryText);
  } catch (const std::exception&) {
    CheckFile(kUnexpectedFailureText);
  }
}

bool HandlingEvent() {
  return g_program.handlingEvent;
}

}  // namespace sendlark
