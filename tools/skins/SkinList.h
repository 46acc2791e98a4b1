// Every window picture the skin renderer draws: file name (skins/<name>.jpg) and size. A name is
// <form>_<control>, the control that shows the picture. Shared by the renderer and the tests.

#pragma once

#include <string_view>

namespace skins {

struct Skin {
  const char* name;
  int width;
  int height;
};

inline constexpr Skin kSkins[] = {
    // Main window: background (stretched over the screen), top bar buttons and their hover pictures.
    {"frmMain_imgBK", 1920, 1080},
    {"frmMain_btnSave", 96, 30},
    {"frmMain_btnSaveX", 96, 30},
    {"frmMain_btnFeedback", 124, 30},
    {"frmMain_btnFeedbackX", 124, 30},
    // Menu bar: left cap, middle (stretched to the window's width), right cap.
    {"frmMain_mnuMain1", 43, 40},
    {"frmMain_mnuMain2", 8, 40},
    {"frmMain_mnuMain3", 43, 40},
    // Static menu entries Home, Market, Shop, Setting; their highlights; the current-page markers.
    {"frmMain_Image1", 120, 40},
    {"frmMain_Image2", 120, 40},
    {"frmMain_Image3", 120, 40},
    {"frmMain_Image6", 120, 40},
    {"frmMain_mnuHome", 120, 40},
    {"frmMain_mnuMarket", 120, 40},
    {"frmMain_mnuShop", 120, 40},
    {"frmMain_mnuSetting", 120, 40},
    {"frmMain_mnuHomeX", 120, 40},
    {"frmMain_mnuMarketX", 120, 40},
    {"frmMain_mnuShopX", 120, 40},
    {"frmMain_mnuSettingX", 120, 40},
    // Speed display and the busy pictures shown at its place.
    {"frmMain_mnuSpeedSlow", 40, 40},
    {"frmMain_mnuSpeedMedium", 40, 40},
    {"frmMain_mnuSpeedFast", 40, 40},
    {"frmMain_imgProcessing1", 40, 40},
    {"frmMain_imgRefreshing", 40, 40},
    // About box.
    {"frmAbout_imgBK", 480, 300},
    // Popup: background, icon (at 14,8) and the star shown by star1..star5 (top 36).
    {"frmMsgPopup_Image1", 384, 276},
    {"frmMsgPopup_Image2", 38, 38},
    {"frmMsgPopup_star", 32, 32},
    // Start dialog: shaped background (white outside the shape), New (624,167) and Load (624,205).
    {"frmLoadGame_imgBK", 775, 403},
    {"frmLoadGame_Image1", 120, 34},
    {"frmLoadGame_btnNewX", 120, 34},
    {"frmLoadGame_Image2", 120, 34},
    {"frmLoadGame_btnLoadX", 120, 34},
    // Name dialog: shaped background and Next (579,180).
    {"frmNewGame_imgBK", 775, 403},
    {"frmNewGame_Image1", 120, 34},
    {"frmNewGame_btnNextX", 120, 34},
};

// The size the list gives a picture; {nullptr, 0, 0} for a name it does not hold.
constexpr Skin skinNamed(std::string_view name) {
  for (const Skin& s : kSkins)
    if (name == s.name) return s;
  return {nullptr, 0, 0};
}

// Where the controls lie that sit over a background: the renderer cuts their pictures from that
// background at these spots (so the corners match), and the windows place the controls there.
struct Spot {
  int x;
  int y;
};
struct Box {
  int x;
  int y;
  int width;
  int height;
};
inline constexpr Spot kPopupIcon{14, 8};        // frmMsgPopup_Image2
inline constexpr Spot kPopupFirstStar{61, 36};  // star1; the others follow 33 apart
inline constexpr int kPopupStarStep = 33;
inline constexpr Spot kLoadNew{624, 167};            // frmLoadGame_Image1 / btnNewX
inline constexpr Spot kLoadLoad{624, 205};           // frmLoadGame_Image2 / btnLoadX
inline constexpr Box kLoadList{303, 144, 280, 130};  // lstSave, framed on the background
inline constexpr Spot kNameNext{579, 180};           // frmNewGame_Image1 / btnNextX
inline constexpr Box kNameBox{387, 184, 178, 21};    // txtUsername, framed on the background

// Colours the window layer shares with the pictures, as red, green, blue.
struct Rgb {
  int r;
  int g;
  int b;
};

// The top bar (bkTop) is filled with this colour; its buttons, speed and busy pictures are drawn on it.
inline constexpr Rgb kTopBar{14, 48, 60};

// The shaped dialogs: a pixel whose channels are all at least this value lies outside the shape.
// Inside the shape no pixel comes near it, so JPEG noise at the edge cannot punch holes.
inline constexpr int kShapeWhiteThreshold = 240;

}  // namespace skins
