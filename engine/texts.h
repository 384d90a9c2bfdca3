// The fixed texts of the calculator: state values compared for equality, and its messages.
#pragma once

#include <string_view>

namespace engine::texts {

// Pending clear requests, carried out by the next entry key.
inline constexpr std::u16string_view ClearEntry = u"クリアしろ";
inline constexpr std::u16string_view ClearAll = u"ぜんぶクリアしろ";

// The operator lock.
inline constexpr std::u16string_view LockOn = u"連続防止モードON";
inline constexpr std::u16string_view LockOff = u"連続防止モードOFF";

inline constexpr std::u16string_view DivisionByZero = u"0でわれないよ";
inline constexpr std::u16string_view TooLarge = u"おおきすぎるよ";

} // namespace engine::texts
