#pragma once

#include <queue>
#include <string>

#include "Qorvex6criteria.h"
#include "Qorvex6data.h"

namespace Qorvex6 {

constexpr int STATUS_NORMAL = 0;
constexpr int STATUS_XD = 1;
constexpr int STATUS_SP = 4;
constexpr int STATUS_HALT = 8;

constexpr int TASK_SET_HALT = 16;
constexpr int TASK_SET_SP = 17;
constexpr int TASK_CLEAR_STATUS = 31;
constexpr int TASK_COMPLETE_QUEUE = 32;
constexpr int TASK_UPDATE_STOCK = 48;
constexpr int TASK_INBOX = 64;
constexpr int TASK_ADD_PRICE = 80;

// One pending database change collected by a price step and applied by the tick master.
struct pTask {
  int type = 0;
  qxORDER order;       // TASK_UPDATE_STOCK: the assignments
  qxQueue queueRow;    // TASK_COMPLETE_QUEUE: the matched order
  std::string symbol;  // the stock; the message text for TASK_INBOX
  float price = 0;     // TASK_ADD_PRICE
  // The ID of the queue row whose settlement this task reports (the bid's wishlist reset, the "You
  // paid" / "You earned" message); 0 for a task that stands alone. Applied only when that row traded.
  int settles = 0;

  pTask() = default;
  pTask(int t, std::string s) : type(t), symbol(std::move(s)) {}
  pTask(int t, std::string s, const qxQueue& row) : type(t), queueRow(row), symbol(std::move(s)) {}
  pTask(int t, std::string s, qxORDER o) : type(t), order(std::move(o)), symbol(std::move(s)) {}
  pTask(int t, std::string s, float p) : type(t), symbol(std::move(s)), price(p) {}
};

using TaskQueue = std::queue<pTask>;

// Appends a copy of the task; the caller holds dbLock.
void addPendingTask(TaskQueue* tasks, pTask task);

}  // namespace Qorvex6
