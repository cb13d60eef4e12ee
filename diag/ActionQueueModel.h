#pragma once

#include <QAbstractTableModel>

namespace qv {

class ActionQueue;

// The action queue as DBGrid1 shows it: one line per queued row with the
// columns FnId, pulses and actionid. It follows the queue's change observer,
// so the grid is live; it takes that observer over.
class ActionQueueModel final : public QAbstractTableModel {
 public:
  explicit ActionQueueModel(QObject* parent = nullptr);

  // Binds the model to `queue` (nullptr: shows nothing). A queue bound
  // before must still exist; its observer is cleared. The observer installed
  // checks that the model still exists, so either may be destroyed first.
  void setQueue(ActionQueue* queue);

  [[nodiscard]] int rowCount(const QModelIndex& parent) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;

 private:
  ActionQueue* queue_ = nullptr;
};

}  // namespace qv
