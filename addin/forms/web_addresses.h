// The two web sites the add-in points to: its own (the forms' web labels and the
// help pages under it) and that of its sibling product Plexar.
#pragma once

inline constexpr char QuilletWebAddress[] = "http://www.orvektech.com";
inline constexpr char PlexarWebAddress[] = "http://www.plexar.com";
