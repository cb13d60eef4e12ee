#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One row of the action queue: further presses ("P"), a key release ("U") or
// a gear-light step ("G") of function FnId, due after `pulses` ticks.
struct TActionRow {
  int32_t FnId = 0;
  int32_t pulses = 0;
  std::string actionid;
  // "U" rows: the codes that went down, in batch order. The release sends
  // these, so a record rebuilt during the hold cannot leave them held.
  std::vector<uint16_t> held{};

  bool operator==(const TActionRow&) const = default;
};

// vtActionList: at most one row per function id, lives only while the
// program runs.
class ActionQueue {
 public:
  // Queues a row unless one for fn is already queued.
  void AddAction(int32_t fn, int32_t pulses, std::string_view actionid,
                 std::vector<uint16_t> held = {});

  // The row of function fn, nullptr when none is queued.
  [[nodiscard]] const TActionRow* find(int32_t fn) const;

  // One pass of the tick: counts every row down once and performs its step
  // through `go` (function id, action id).
  void pass(const std::function<void(int32_t, std::string_view)>& go);

  // Drops every row of this kind without performing it.
  void removeRows(std::string_view actionid);

  [[nodiscard]] const std::vector<TActionRow>& rows() const { return rows_; }

  // Called after every change, so a view bound to the queue can follow it.
  void setChangeObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  void changed() const;

  std::vector<TActionRow> rows_;
  std::function<void()> observer_;
};

}  // namespace qv
