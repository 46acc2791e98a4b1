// Every window picture the skin renderer draws: file name (skins/<name>.jpg) and size. A name is
// <form>_<control>, the control that shows the picture. Shared by the renderer, the windows and the tests.

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
    // Home page: avatar, left sub-menu entries top to bottom, the highlights hil1..hil5 drawn over
    // them at the same places, the milestone star.
    {"frmCwHome_imgAvatar", 32, 32},
    {"frmCwHome_submnuPort", 170, 40},
    {"frmCwHome_submnuStats", 170, 40},
    {"frmCwHome_submnuMoney", 170, 40},
    {"frmCwHome_submnuLife", 170, 40},
    {"frmCwHome_submnuMilestone", 170, 40},
    {"frmCwHome_hil1", 170, 40},
    {"frmCwHome_hil2", 170, 40},
    {"frmCwHome_hil3", 170, 40},
    {"frmCwHome_hil4", 170, 40},
    {"frmCwHome_hil5", 170, 40},
    {"frmCwHome_star", 24, 24},
    // State pictures of the holdings list, by image index (0 to 2 unused), on kPortfolioList:
    // halted, SP, XD, profit levels from the best to the worst, wishlist row.
    {"imlStates_3", 20, 20},
    {"imlStates_4", 20, 20},
    {"imlStates_5", 20, 20},
    {"imlStates_6", 20, 20},
    {"imlStates_7", 20, 20},
    {"imlStates_8", 20, 20},
    {"imlStates_9", 20, 20},
    {"imlStates_10", 20, 20},
    {"imlStates_11", 20, 20},
    // Market page: left sub-menu entries and their highlights hil1..hil3, the order buttons and their
    // hover pictures (also on the details panel), index arrows, status badges, the wishlist star, the
    // stock table's state pictures (no change, down, up, H, SP, XD, wishlist) and the queue's (offer,
    // bid). The small ones are drawn on white, which the page masks away.
    {"frmCwMarket_submnuTable", 170, 40},
    {"frmCwMarket_submnuStats", 170, 40},
    {"frmCwMarket_submnuQueue", 170, 40},
    {"frmCwMarket_hil1", 170, 40},
    {"frmCwMarket_hil2", 170, 40},
    {"frmCwMarket_hil3", 170, 40},
    {"frmCwMarket_btnBid", 110, 34},
    {"frmCwMarket_btnBidX", 110, 34},
    {"frmCwMarket_btnOffer", 110, 34},
    {"frmCwMarket_btnOfferx", 110, 34},
    {"frmCwMarket_imgIndexUp", 20, 20},
    {"frmCwMarket_imgIndexDown", 20, 20},
    {"frmCwMarket_imgStatusH", 32, 20},
    {"frmCwMarket_imgStatusSP", 32, 20},
    {"frmCwMarket_imgStatusXD", 32, 20},
    {"frmCwMarket_imgFav", 20, 20},
    {"frmCwMarket_imlStates_0", 20, 20},
    {"frmCwMarket_imlStates_1", 20, 20},
    {"frmCwMarket_imlStates_2", 20, 20},
    {"frmCwMarket_imlStates_3", 20, 20},
    {"frmCwMarket_imlStates_4", 20, 20},
    {"frmCwMarket_imlStates_5", 20, 20},
    {"frmCwMarket_imlStates_6", 20, 20},
    {"frmCwMarket_imlQueue_0", 20, 20},
    {"frmCwMarket_imlQueue_1", 20, 20},
    // Bid/offer dialog background.
    {"frmBidOffer_Image1", 400, 300},
    // Shop products, by product ID.
    {"imlProduct_0", 105, 105},
    {"imlProduct_1", 105, 105},
    {"imlProduct_2", 105, 105},
    {"imlProduct_3", 105, 105},
    {"imlProduct_4", 105, 105},
    {"imlProduct_5", 105, 105},
    {"imlProduct_6", 105, 105},
    {"imlProduct_7", 105, 105},
    {"imlProduct_8", 105, 105},
    {"imlProduct_9", 105, 105},
    {"imlProduct_10", 105, 105},
    {"imlProduct_11", 105, 105},
    {"imlProduct_12", 105, 105},
    {"imlProduct_13", 105, 105},
    {"imlProduct_14", 105, 105},
    {"imlProduct_15", 105, 105},
    {"imlProduct_16", 105, 105},
    {"imlProduct_17", 105, 105},
    {"imlProduct_18", 105, 105},
    {"imlProduct_19", 105, 105},
    {"imlProduct_20", 105, 105},
    {"imlProduct_21", 105, 105},
    {"imlProduct_22", 105, 105},
    {"imlProduct_23", 105, 105},
    // Feedback form: background with the frames of its two edit boxes (kFeedbackEmail, kFeedbackComment).
    {"frmFeedback_imgBK", 705, 398},
    // Transfer dialog: shaped background and the exchange icon (at kTransferIcon) cut from its header.
    {"frmTransfer_imgBK", 460, 330},
    {"frmTransfer_Image2", 40, 40},
    // Shop page: category entries Vehicles, Assets, Jewellery side by side in the header, and the
    // highlights hil1..hil3 drawn over them at the same places.
    {"frmCwShop_submnuCar", 150, 40},
    {"frmCwShop_submnuAsset", 150, 40},
    {"frmCwShop_submnuJew", 150, 40},
    {"frmCwShop_hil1", 150, 40},
    {"frmCwShop_hil2", 150, 40},
    {"frmCwShop_hil3", 150, 40},
    // Setting page: the gear beside its title.
    {"frmCwSetting_imgIcon", 40, 40},
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
inline constexpr Spot kTransferIcon{18, 12};         // frmTransfer_Image2
inline constexpr int kTransferHeader = 64;           // the transfer dialog's header band

// The feedback form's txtEmail and txtComment, framed on its background.
inline constexpr Box kFeedbackEmail{44, 124, 380, 26};
inline constexpr Box kFeedbackComment{44, 204, 617, 26};

// Colours the window layer shares with the pictures, as red, green, blue.
struct Rgb {
  int r;
  int g;
  int b;
};

// The top bar (bkTop) is filled with this colour; its buttons, speed and busy pictures are drawn on it.
inline constexpr Rgb kTopBar{14, 48, 60};

// The Home page's holdings list is filled with this colour; its state pictures are drawn on it.
inline constexpr Rgb kPortfolioList{194, 231, 146};

// The shaped dialogs: a pixel whose channels are all at least this value lies outside the shape.
// Inside the shape no pixel comes near it, so JPEG noise at the edge cannot punch holes.
inline constexpr int kShapeWhiteThreshold = 240;

}  // namespace skins
