#pragma once
// Form description of the network settings dialog "ネットワーク設定": a dialog
// border, 303 by 121 client pixels, centred on the screen. Positions are client
// coordinates (left, top, width, height).
#include <string_view>

#include "forms/FormTypes.h"

namespace forms::networkform {

inline constexpr std::string_view kCaption = "ネットワーク設定";
inline constexpr int kClientWidth = 303;
inline constexpr int kClientHeight = 121;
using forms::kFontFamily;
inline constexpr int kFontPixels = 12;

using forms::Rect;

inline constexpr Rect kLabel1{6, 6, 46, 12};
inline constexpr Rect kEdiNet1{6, 24, 131, 20};
inline constexpr Rect kLabel2{6, 48, 55, 12};
inline constexpr Rect kEdiNet2{6, 64, 131, 20};
inline constexpr Rect kCheAccess1{6, 88, 97, 17};
inline constexpr Rect kButAccess1{142, 96, 75, 20};
inline constexpr Rect kButton1{222, 96, 75, 20};

inline constexpr std::string_view kLabel1Caption = "接続先IP";
inline constexpr std::string_view kLabel2Caption = "ポート番号";
inline constexpr std::string_view kDefaultHost = "localhost";
inline constexpr std::string_view kDefaultPort = "9120";
inline constexpr std::string_view kServerCaption = "サーバー待機";
inline constexpr std::string_view kConnectCaption = "接続(&U)";
inline constexpr std::string_view kDisconnectCaption = "切断(&U)";
inline constexpr std::string_view kCancelCaption = "ｷｬﾝｾﾙ(&C)";

// The main window's server component listens on this port until the dialog
// sets another.
inline constexpr int kServerSocketPort = 9120;

// Tab order, first to last: N_ButAccess1, N_CheAccess1, N_EdiNet2, N_EdiNet1, Button1.

} // namespace forms::networkform
