// The look the docked pages and the transfer dialog share: the main background behind a page, the
// translucent panels, plain-text captions and the flat buttons.

#pragma once

#include <cstdint>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QString>

class QComboBox;
class QPainter;

namespace desk {

// The picture stretched to w x h in the screen's pixel format, on this thread alone: Qt's own scaling
// and conversion of a picture this large hand rows to a thread pool.
QImage stretched(const QImage& source, int w, int h);

// The main window's background painted behind a page as if the page did not cover it, so the picture
// runs on without a seam into the margins where the main window shows; every docked page paints it so.
// The stretched picture is kept until the page's size or place changes.
class PageBackground {
 public:
  PageBackground();
  void paint(QWidget* page);

 private:
  QImage background_;
  QSize stretchedFor_;
  QPixmap stretched_;
};

// A panel's light, translucent fill with a green frame; `alpha` 0..255.
void panelLook(QWidget* panel, int alpha);

// A plain-text caption in the forms' font and a colour written 0x00BBGGRR.
QLabel* plainLabel(QWidget* parent, const QString& caption, QRect at, int pixels, std::uint32_t colour,
                   bool bold = false);

// A drop-down list of fixed items in the forms' font, on the light field colour.
void dropDownLook(QComboBox* list, int pixels);

// The pages' flat button, never the default button.
QPushButton* pageButton(QWidget* parent, const QString& caption, QRect at);

}  // namespace desk
