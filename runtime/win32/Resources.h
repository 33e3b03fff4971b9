#pragma once

// Ids of the resources in sortbars.rc. Plain macros, since the resource
// compiler reads this header too.
#define SORTBARS_ICON_ID 1

#ifdef __cplusplus
namespace rt
{
inline constexpr int kAppIconId = SORTBARS_ICON_ID;
} // namespace rt
#endif
