#include <gtest/gtest.h>

#include <functional>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "DoubleClick.h"
#include "PriceHistoryChart.h"
#include "f_Gadget.h"
#include "f_Main.h"

namespace {

// A control made on a window, the signal its handler hangs on, and whether it has a double-click handler.
struct Control {
  const char* name;
  std::function<QWidget*(QWidget* window)> make;
  const char* signal;
  bool keepsDoubleClick;
};

QWidget* sized(QWidget* widget) {
  widget->setGeometry(10, 10, 120, 40);
  return widget;
}

TEST(DoubleClickGuard, AClickControlActsOnceAndAListKeepsItsDoubleClick) {
  const Control controls[] = {
      {"push button", [](QWidget* w) { return sized(new QPushButton("Sell", w)); }, SIGNAL(clicked()), false},
      {"check box", [](QWidget* w) { return sized(new QCheckBox("Wishlist", w)); }, SIGNAL(clicked()), false},
      {"main window picture", [](QWidget* w) { return sized(new desk::MainPicture(w)); }, SIGNAL(clicked()),
       false},
      {"gadget label", [](QWidget* w) { return sized(new desk::GadgetLabel("12:00", w)); }, SIGNAL(clicked()),
       false},
      {"clock pie", [](QWidget* w) { return sized(new desk::ClockPie(w)); }, SIGNAL(clicked()), false},
      {"price chart",
       [](QWidget* w) {
         auto* chart = new desk::PriceHistoryChart(w, "Price");
         chart->setGeometry(10, 10, 200, 120);
         return chart;
       },
       SIGNAL(clicked()), false},
      {"list",
       [](QWidget* w) {
         auto* list = new QListWidget(w);
         list->setGeometry(10, 10, 200, 120);
         list->addItem("Slot 1");
         return list;
       },
       SIGNAL(itemDoubleClicked(QListWidgetItem*)), true},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.name);
    QWidget window;
    window.resize(300, 200);
    QWidget* control = c.make(&window);
    QSignalSpy acted(control, c.signal);
    ASSERT_TRUE(acted.isValid());
    auto* area = qobject_cast<QAbstractScrollArea*>(control);
    QWidget* target = area != nullptr ? area->viewport() : control;
    // The list's first row is at its top.
    const QPoint at = c.keepsDoubleClick ? QPoint(5, 5) : target->rect().center();

    doubleClick(target, at);
    EXPECT_EQ(acted.count(), 1) << "a double click";
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    EXPECT_EQ(acted.count(), c.keepsDoubleClick ? 1 : 2) << "the click after it";
  }
}

}  // namespace
