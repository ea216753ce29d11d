// Which salt balance a run computes. The specified balance is the one of the earlier program,
// to the byte: the capillary rise into the lowest root-zone layer carries the transition
// zone's salinity upward without taking it out of the transition zone, so over long runs salt
// appears from nowhere. The conserving balance takes every upward flow's salt out of the
// zone it leaves, so that the zones hold what came in less what went out.
#pragma once

#include <optional>
#include <string_view>

namespace halosoil {

enum class SaltBalanceKind { Specified, Conserving };

inline constexpr std::string_view SaltBalanceName(SaltBalanceKind kind) {
    return kind == SaltBalanceKind::Conserving ? "conserving" : "specified";
}

// The kind of a name as the front ends take it ("specified" or "conserving"); nothing for any
// other text.
inline std::optional<SaltBalanceKind> SaltBalanceNamed(std::string_view name) {
    if (name == "specified") return SaltBalanceKind::Specified;
    if (name == "conserving") return SaltBalanceKind::Conserving;
    return std::nullopt;
}

}  // namespace halosoil
