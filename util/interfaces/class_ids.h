// The class ids of the utility library's public classes, by which the add-in creates
// them without linking the library.
#pragma once

#include "platform/com/unknown.h"

namespace class_ids {
inline constexpr platform::com::Guid clsUtil = platform::com::Guid::Parse("{ADD9B7A7-C511-4A04-B6B1-D4C38B8A6570}");
inline constexpr platform::com::Guid clsDbADO = platform::com::Guid::Parse("{02A7052C-E908-4A73-BAD9-CDDB89D3AAE3}");
inline constexpr platform::com::Guid IclsOutlook = platform::com::Guid::Parse("{AA95A06E-030B-4ED0-AD9F-DB8B31AC41A1}");
inline constexpr platform::com::Guid IclsDbADO = platform::com::Guid::Parse("{1C744487-E39E-406C-A542-78167F5BF092}");
}  // namespace class_ids
