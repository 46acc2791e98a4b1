// What a real double click delivers to a widget, with the event loop running between the two clicks as it
// does on screen.

#pragma once

#include <QCoreApplication>
#include <QPoint>
#include <QTest>
#include <QWidget>

inline void doubleClick(QWidget* widget, QPoint at = {}) {
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  QCoreApplication::processEvents();
  // QTest::mouseDClick sends the double-click press alone.
  QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}
