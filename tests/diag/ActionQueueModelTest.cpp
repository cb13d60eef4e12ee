#include <gtest/gtest.h>

#include "tests/diag/support/QtPrinters.h"

#include <QTableView>
#include <memory>

#include "diag/ActionQueueModel.h"
#include "diag/TestPage.h"
#include "engine/ActionQueue.h"

namespace qv {
namespace {

QVariant cell(const QAbstractItemModel& model, int row, int column) {
  return model.data(model.index(row, column), Qt::DisplayRole);
}

TEST(ActionQueueModelTest, DBGrid1FollowsTheLiveQueue) {
  TestPage page;
  ActionQueue queue;
  page.setActionQueue(&queue);
  const QAbstractItemModel& model = *page.findChild<QTableView*>("DBGrid1")->model();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "actionid");

  queue.AddAction(12, 2, "U");
  queue.AddAction(4, 1, "G");
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(cell(model, 0, 0).toInt(), 12);
  EXPECT_EQ(cell(model, 0, 1).toInt(), 2);
  EXPECT_EQ(cell(model, 0, 2).toString(), "U");

  queue.pass([](int32_t, std::string_view) {});  // row 4 falls due and leaves
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(cell(model, 0, 0).toInt(), 12);
  EXPECT_EQ(cell(model, 0, 1).toInt(), 1);
}

TEST(ActionQueueModelTest, TheQueueOutlivesItsModel) {
  ActionQueue queue;
  auto model = std::make_unique<ActionQueueModel>();
  model->setQueue(&queue);
  model.reset();
  queue.AddAction(3, 1, "P");  // must not reach the destroyed model
  EXPECT_EQ(queue.rows().size(), 1U);
}

}  // namespace
}  // namespace qv
