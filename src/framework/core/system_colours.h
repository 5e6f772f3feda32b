#pragma once

#include <cstdint>

namespace fw {

// A colour as the rest of the program stores it: 0x00BBGGRR, red in the low byte. Values
// with the top bit set name a system colour by the index in their low byte (0x8000000F is
// the button face); ColorToRGB turns them into plain values. Pixels never hold anything
// but plain 24-bit values.
using Color = std::uint32_t;

inline constexpr Color SystemColorFlag = 0x80000000;

// "No colour" and "the default colour" of controls; as pixels they are whatever the low
// 24 bits say (clNone paints white), so callers test for them before drawing.
inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clDefault = 0x20000000;

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clMaroon = 0x000080;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clOlive = 0x008080;
inline constexpr Color clNavy = 0x800000;
inline constexpr Color clPurple = 0x800080;
inline constexpr Color clTeal = 0x808000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clLime = 0x00FF00;
inline constexpr Color clYellow = 0x00FFFF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clFuchsia = 0xFF00FF;
inline constexpr Color clAqua = 0xFFFF00;
inline constexpr Color clWhite = 0xFFFFFF;

// The system colours by name; the comment gives the value ColorToRGB answers.
inline constexpr Color clScrollBar = SystemColorFlag | 0;                // 0xC8C8C8
inline constexpr Color clBackground = SystemColorFlag | 1;               // 0x000000
inline constexpr Color clActiveCaption = SystemColorFlag | 2;            // 0xD1B499
inline constexpr Color clInactiveCaption = SystemColorFlag | 3;          // 0xDBCDBF
inline constexpr Color clMenu = SystemColorFlag | 4;                     // 0xF0F0F0
inline constexpr Color clWindow = SystemColorFlag | 5;                   // 0xFFFFFF
inline constexpr Color clWindowFrame = SystemColorFlag | 6;              // 0x646464
inline constexpr Color clMenuText = SystemColorFlag | 7;                 // 0x000000
inline constexpr Color clWindowText = SystemColorFlag | 8;               // 0x000000
inline constexpr Color clCaptionText = SystemColorFlag | 9;              // 0x000000
inline constexpr Color clActiveBorder = SystemColorFlag | 10;            // 0xB4B4B4
inline constexpr Color clInactiveBorder = SystemColorFlag | 11;          // 0xFCF7F4
inline constexpr Color clAppWorkSpace = SystemColorFlag | 12;            // 0xABABAB
inline constexpr Color clHighlight = SystemColorFlag | 13;               // 0xD77800
inline constexpr Color clHighlightText = SystemColorFlag | 14;           // 0xFFFFFF
inline constexpr Color clBtnFace = SystemColorFlag | 15;                 // 0xF0F0F0
inline constexpr Color clBtnShadow = SystemColorFlag | 16;               // 0xA0A0A0
inline constexpr Color clGrayText = SystemColorFlag | 17;                // 0x6D6D6D
inline constexpr Color clBtnText = SystemColorFlag | 18;                 // 0x000000
inline constexpr Color clInactiveCaptionText = SystemColorFlag | 19;     // 0x000000
inline constexpr Color clBtnHighlight = SystemColorFlag | 20;            // 0xFFFFFF
inline constexpr Color cl3DDkShadow = SystemColorFlag | 21;              // 0x696969
inline constexpr Color cl3DLight = SystemColorFlag | 22;                 // 0xE3E3E3
inline constexpr Color clInfoText = SystemColorFlag | 23;                // 0x000000
inline constexpr Color clInfoBk = SystemColorFlag | 24;                  // 0xE1FFFF
inline constexpr Color clHotLight = SystemColorFlag | 26;                // 0xCC6600
inline constexpr Color clGradientActiveCaption = SystemColorFlag | 27;   // 0xEAD1B9
inline constexpr Color clGradientInactiveCaption = SystemColorFlag | 28; // 0xF2E4D7
inline constexpr Color clMenuHighlight = SystemColorFlag | 29;           // 0xD77800
inline constexpr Color clMenuBar = SystemColorFlag | 30;                 // 0xF0F0F0

// Aliases under the names the bevel code uses.
inline constexpr Color clBtnHilight = clBtnHighlight;
inline constexpr Color cl3DHilight = clBtnHighlight;
inline constexpr Color cl3DShadow = clBtnShadow;

// How many system colours the table knows (indices 0 to SystemColorCount - 1).
inline constexpr int SystemColorCount = 31;

// The fixed value of system colour `index`: the defaults of a freshly installed desktop
// Windows (7 to 11, standard theme), listed above. The table never follows the desktop
// the program runs on, so the same drawing gives the same pixels on every machine and in
// headless tests. Index 25 (unused by Windows) and indices outside the table give black,
// as the platform's own look-up does.
Color SysColor(int index);

// A plain 0x00BBGGRR value for any colour: a system colour (top bit set) through the
// table by its low byte, anything else with its top byte dropped.
Color ColorToRGB(Color colour);

inline constexpr bool IsSystemColor(Color colour) { return (colour & SystemColorFlag) != 0; }

} // namespace fw
