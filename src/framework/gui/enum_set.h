#pragma once

#include <cstdint>
#include <initializer_list>

namespace fw {

// A small set of the values of an enumeration whose values count from 0 up to 31: the
// control layer's flag sets (shift state, control style and state, anchors). Each value is
// a bit of its own, so a set compares, joins and intersects as a whole.
template <class E>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(E value) : bits_(Bit(value)) {}
    constexpr EnumSet(std::initializer_list<E> values)
    {
        for (E value : values) {
            bits_ |= Bit(value);
        }
    }

    static constexpr EnumSet FromBits(std::uint32_t bits)
    {
        EnumSet set;
        set.bits_ = bits;
        return set;
    }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr EnumSet& Include(E value)
    {
        bits_ |= Bit(value);
        return *this;
    }
    constexpr EnumSet& Exclude(E value)
    {
        bits_ &= ~Bit(value);
        return *this;
    }
    constexpr EnumSet& Set(E value, bool on) { return on ? Include(value) : Exclude(value); }

    friend constexpr EnumSet operator|(EnumSet a, EnumSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr EnumSet operator&(EnumSet a, EnumSet b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr EnumSet operator-(EnumSet a, EnumSet b) { return FromBits(a.bits_ & ~b.bits_); }
    constexpr EnumSet& operator|=(EnumSet other)
    {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr EnumSet& operator-=(EnumSet other)
    {
        bits_ &= ~other.bits_;
        return *this;
    }
    friend constexpr bool operator==(EnumSet, EnumSet) = default;

private:
    static constexpr std::uint32_t Bit(E value) { return std::uint32_t{1} << static_cast<unsigned>(value); }

    std::uint32_t bits_ = 0;
};

} // namespace fw
