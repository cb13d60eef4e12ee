#include "engine/KeyDeliveryWatch.h"

#include <utility>

#include "engine/HistoryLog.h"

namespace qv {

KeyDeliveryWatch::KeyDeliveryWatch(KeyInjector& injector, HistoryLog& history, Show show)
    : injector_(injector), history_(history), show_(std::move(show)) {}

void KeyDeliveryWatch::inject(std::span<const KeyEvent> batch) {
  injector_.inject(batch);
  check();
}

std::string KeyDeliveryWatch::deliveryProblem() const {
  return injector_.deliveryProblem();
}

void KeyDeliveryWatch::check() {
  std::string problem = injector_.deliveryProblem();
  if (problem == known_) {
    return;
  }
  known_ = std::move(problem);
  if (!known_.empty()) {
    history_.appendLine(known_);
  }
  show_(known_);
}

}  // namespace qv
