#pragma once

#include <QDialog>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QString>

namespace desk {

// A label showing the skin picture `name` at `at`, sized to the picture (120x34 while it is missing).
QLabel* skinPicture(QWidget* parent, const QString& name, QPoint at);

// A borderless dialog of the size of its background picture, shaped by the picture's white surround;
// returns the background label.
QLabel* shapedBackground(QDialog* dialog, const QString& name, QSize size);

// The shaped dialogs' "X" button, 75x25 at `at`, never the default button.
QPushButton* closeButton(QWidget* parent, QPoint at);

}  // namespace desk
