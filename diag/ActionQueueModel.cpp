#include "diag/ActionQueueModel.h"

#include <QPointer>
#include <array>

#include "engine/ActionQueue.h"

namespace qv {

namespace {

constexpr std::array<const char*, 3> kColumns{"FnId", "pulses", "actionid"};

}  // namespace

ActionQueueModel::ActionQueueModel(QObject* parent) : QAbstractTableModel(parent) {}

void ActionQueueModel::setQueue(ActionQueue* queue) {
  beginResetModel();
  if (queue_ != nullptr) {
    queue_->setChangeObserver({});
  }
  queue_ = queue;
  if (queue_ != nullptr) {
    // Rows come and go and counts change on every pass; a reset is the
    // honest description of each change.
    queue_->setChangeObserver([model = QPointer<ActionQueueModel>(this)] {
      if (model != nullptr) {
        model->beginResetModel();
        model->endResetModel();
      }
    });
  }
  endResetModel();
}

int ActionQueueModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || queue_ == nullptr) {
    return 0;
  }
  return static_cast<int>(queue_->rows().size());
}

int ActionQueueModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kColumns.size());
}

QVariant ActionQueueModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) {
    return {};
  }
  const TActionRow& row = queue_->rows().at(static_cast<size_t>(index.row()));
  switch (index.column()) {
    case 0:
      return row.FnId;
    case 1:
      return row.pulses;
    case 2:
      return QString::fromStdString(row.actionid);
    default:
      return {};
  }
}

QVariant ActionQueueModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= static_cast<int>(kColumns.size())) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString(kColumns.at(static_cast<size_t>(section)));
}

}  // namespace qv
