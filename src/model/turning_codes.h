#pragma once

#include <cstdint>
#include <string_view>

// The codes with which cards are threaded, turned and twisted, shared by cards, packs,
// actions, the weaving computation and the editors.

// Threading of a card and slant of its threads.
inline constexpr std::uint8_t ThreadingS = 0;
inline constexpr std::uint8_t ThreadingZ = 1;

// Turn directions.
inline constexpr std::uint8_t TurnIdle = 0;
inline constexpr std::uint8_t TurnForwards = 1;
inline constexpr std::uint8_t TurnBackwards = 2;

// Turn distances.
inline constexpr std::uint8_t DistanceOneHole = 0;
inline constexpr std::uint8_t DistanceTwoHoles = 1;

// Twist directions: which positions of the current hole order are exchanged.
inline constexpr std::uint8_t TwistNone = 0;
inline constexpr std::uint8_t TwistV = 1;
inline constexpr std::uint8_t TwistH = 2;
inline constexpr std::uint8_t TwistAC = 3;
inline constexpr std::uint8_t TwistBD = 4;

// A threading text reads as Z when it begins with "Z" or "z", as S otherwise.
constexpr bool IsZThreading(std::string_view text)
{
    return !text.empty() && (text.front() == 'Z' || text.front() == 'z');
}

// "S" or "Z"; any code other than Z is S.
constexpr std::string_view ThreadingText(std::uint8_t threading)
{
    return threading == ThreadingZ ? "Z" : "S";
}

// The other slant.
constexpr std::uint8_t FlippedThreading(std::uint8_t threading)
{
    return threading == ThreadingZ ? ThreadingS : ThreadingZ;
}
