#pragma once

#include <functional>
#include <string>

#include "platform/KeyInjector.h"

namespace qv {

class HistoryLog;

// Stands between the engine and the real injector and tells the user why
// keystrokes go nowhere: each new reason the injector gives is shown once
// and written to the history log; `show` hears "" when the reason is gone.
class KeyDeliveryWatch final : public KeyInjector {
 public:
  using Show = std::function<void(const std::string& problem)>;

  KeyDeliveryWatch(KeyInjector& injector, HistoryLog& history, Show show);

  void inject(std::span<const KeyEvent> batch) override;
  [[nodiscard]] std::string deliveryProblem() const override;

  // Asks the injector now, as after each batch.
  void check();

 private:
  KeyInjector& injector_;
  HistoryLog& history_;
  Show show_;
  std::string known_;
};

}  // namespace qv
