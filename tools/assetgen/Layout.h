#pragma once
// Where the window's controls sit on the bus body (client pixels), and the body's own lines.
#include <QRect>

namespace assetgen::layout {

inline constexpr QSize kBody{665, 212};

// Controls laid over the body.
inline constexpr QRect kFrontDoorway{20, 47, 73, 148};
inline constexpr QRect kMiddleDoorway{284, 47, 104, 149};
inline constexpr QRect kDestinationSign{212, 37, 52, 32};
// The signboard and the three bars framing it; the body keeps that patch plain.
inline constexpr QRect kSignboardFrame{490, 110, 104, 35};

// The body's own lines.
inline constexpr int kRoofTop = 12;
inline constexpr int kWindowTop = 34;
inline constexpr int kWindowBottom = 104;
inline constexpr int kPinstripeTop = 151;
inline constexpr int kBandTop = 155;
inline constexpr int kBandBottom = 178;
inline constexpr int kDoorGlassBottom = 146;
inline constexpr int kSkirtTop = 186;
inline constexpr int kBodyBottom = 198;
inline constexpr int kRoadTop = 204;
inline constexpr int kBodyLeft = 0;
inline constexpr int kBodyRight = 661;
inline constexpr int kWheelCentreY = 186;
inline constexpr int kFrontWheelX = 160;
inline constexpr int kRearWheelX = 522;

static_assert(kWindowBottom < kSignboardFrame.top() - 2, "windows would cut into the signboard");
static_assert(kPinstripeTop > kSignboardFrame.bottom() + 2, "the band would run under the signboard");
static_assert(kDestinationSign.top() > kWindowTop, "the sign box sits in the window line");

}
