#include "engine/ActionQueue.h"

#include <algorithm>

namespace qv {

void ActionQueue::AddAction(int32_t fn, int32_t pulses, std::string_view actionid,
                            std::vector<uint16_t> held) {
  if (find(fn) != nullptr) {
    return;
  }
  rows_.push_back(TActionRow{fn, pulses, std::string(actionid), std::move(held)});
  changed();
}

const TActionRow* ActionQueue::find(int32_t fn) const {
  const auto row =
      std::find_if(rows_.begin(), rows_.end(), [fn](const TActionRow& r) { return r.FnId == fn; });
  return row == rows_.end() ? nullptr : &*row;
}

void ActionQueue::pass(const std::function<void(int32_t, std::string_view)>& go) {
  // The steps send keys or lights and never queue rows, so the row at index i
  // stays in place across `go`.
  bool any = false;
  size_t i = 0;
  while (i < rows_.size()) {
    if (rows_[i].pulses <= 0) {
      ++i;
      continue;
    }
    any = true;
    --rows_[i].pulses;
    const TActionRow row = rows_[i];
    if (row.actionid == "P") {
      go(row.FnId, "P");
    }
    if (row.pulses == 0) {
      if (row.actionid != "P") {
        go(row.FnId, row.actionid);
      }
      rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    ++i;
  }
  if (any) {
    changed();
  }
}

void ActionQueue::removeRows(std::string_view actionid) {
  const auto removed =
      std::erase_if(rows_, [actionid](const TActionRow& r) { return r.actionid == actionid; });
  if (removed > 0) {
    changed();
  }
}

void ActionQueue::changed() const {
  if (observer_) {
    observer_();
  }
}

}  // namespace qv
