// TSet<E>: the framework's small sets of enumeration values, bit n = value n.
#pragma once
#include <cstdint>
#include <initializer_list>

namespace zk {

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Values) {
        for (E V : Values) FBits |= Bit(V);
    }
    static constexpr TSet FromInt(uint32_t Bits) {
        TSet S;
        S.FBits = Bits;
        return S;
    }
    constexpr uint32_t ToInt() const { return FBits; }

    constexpr bool Contains(E V) const { return (FBits & Bit(V)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E V) { FBits |= Bit(V); return *this; }
    constexpr TSet& Exclude(E V) { FBits &= ~Bit(V); return *this; }

    constexpr TSet operator+(TSet O) const { return FromInt(FBits | O.FBits); }
    constexpr TSet operator-(TSet O) const { return FromInt(FBits & ~O.FBits); }
    constexpr TSet operator*(TSet O) const { return FromInt(FBits & O.FBits); }
    constexpr TSet& operator+=(TSet O) { FBits |= O.FBits; return *this; }
    constexpr TSet& operator-=(TSet O) { FBits &= ~O.FBits; return *this; }
    constexpr TSet& operator*=(TSet O) { FBits &= O.FBits; return *this; }
    constexpr bool operator==(const TSet&) const = default;
    // Subset test, as the framework's <= on sets.
    constexpr bool operator<=(TSet O) const { return (FBits & ~O.FBits) == 0; }

private:
    static constexpr uint32_t Bit(E V) { return uint32_t(1) << static_cast<unsigned>(V); }
    uint32_t FBits = 0;
};

}  // namespace zk
