#pragma once
// Form description of the sound and system window "VelmorasystemC Ver 0.8".
// Positions are client coordinates (left, top, width, height); the client area
// is 412 by 230, so what lies below it is never seen.
#include <string_view>

#include "forms/FormTypes.h"

namespace forms::systemform {

inline constexpr std::string_view kCaption = "VelmorasystemC Ver 0.8";
inline constexpr int kClientWidth = 412;
inline constexpr int kClientHeight = 230;
using forms::kFontFamily;
inline constexpr int kFontPoints = 9;
inline constexpr int kStatusFontPoints = 18; // N_StaBgm1

using forms::Rect;

inline constexpr Rect kPage{8, 4, 396, 150}; // the pages overlap here
inline constexpr Rect kImaInformation1 = kPage;
inline constexpr Rect kImaInformation2 = kPage;
inline constexpr Rect kLisSystem1 = kPage;
inline constexpr int kLisSystem1ItemHeight = 12;
inline constexpr int kLabInformationLeft = 178, kLabInformationWidth = 222, kLabInformationHeight = 14;
inline constexpr int kLabInformationTops[6] = {35, 49, 63, 77, 91, 105};
inline constexpr Rect kRaGBgm1{8, 4, 185, 65};
// Wider than the 113 pixels the captions once needed: this font's captions take up to 130.
inline constexpr Rect kRaBBgm1{23, 20, 160, 17};
inline constexpr Rect kRaBBgm2{23, 44, 160, 17};
inline constexpr Rect kGroBgm1{8, 72, 185, 81};
inline constexpr Rect kChePlay[3] = {{23, 88, 97, 17}, {23, 108, 97, 17}, {23, 128, 97, 17}};
inline constexpr Rect kComBgm1{216, 17, 179, 20};
inline constexpr Rect kEdiBgm1{216, 57, 153, 20};
inline constexpr Rect kButOpen1{374, 57, 20, 20};
inline constexpr Rect kStaBgm1{232, 86, 153, 30};
inline constexpr Rect kSpeBgm[5] = {
    {219, 123, 30, 30}, {251, 123, 30, 30}, {283, 123, 30, 30}, {331, 123, 30, 30}, {363, 123, 30, 30}};
inline constexpr Rect kButCDCheck1{219, 123, 174, 30};
// Tab buttons, left to right: N_ButTab4, N_ButTab3, N_ButTab2, N_ButTab1.
inline constexpr Rect kButTab4{10, 160, 92, 21};
inline constexpr Rect kButTab3{110, 160, 92, 21};
inline constexpr Rect kButTab2{210, 160, 92, 21};
inline constexpr Rect kButTab1{310, 160, 92, 21};
inline constexpr Rect kStaHelp1{8, 186, 396, 39};
// Off-screen parts: the work pictures lie below the visible client area.
inline constexpr Rect kImaWork1{299, 440, 230, 129};
inline constexpr Rect kImaWork2{275, 432, 222, 129};

inline constexpr std::string_view kDefaultMidiFile = "Marvok01.mid";

} // namespace forms::systemform
