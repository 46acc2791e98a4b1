// The pieces the docked pages are built from: captions, titles, body panels, buttons and the main
// window's background painted behind a page.

#pragma once

#include <cstdint>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>

namespace desk {

// A plain-text label in the window font at `at`.
QLabel* pageLabel(QWidget* parent, const QString& caption, QRect at, int pixels, std::uint32_t colour,
                  bool bold = false);
// A sub-page's title.
QLabel* pageTitle(QWidget* parent, const QString& caption, QPoint at);
// A light, framed panel added to a page's body stack.
QWidget* bodyPanel(QStackedWidget* body, const char* name);
// A page button, never the default one.
QPushButton* pageButton(QWidget* parent, const QString& caption, QRect at);

// The main window's background picture stretched behind a page as if the page did not cover it; the
// stretched picture is kept for the page's size.
class PageBackground {
 public:
  PageBackground();
  void paint(QWidget* page);

 private:
  QImage picture_;
  QSize scaledFor_;
  QPixmap scaled_;
};

inline constexpr std::uint32_t kPageTitleColour = 0x113127;
inline constexpr std::uint32_t kPageValueColour = 0x2B7942;

}  // namespace desk
