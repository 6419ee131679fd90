#pragma once
// The web addresses behind the Help menu's "Visit" items: the maker's home
// page and second site.

namespace orvane::ui {

inline constexpr const char* kHomePageUrl = "https://orvane.example.org/";
inline constexpr const char* kSecondSiteUrl = "https://sites.example.org/orvane/";

}  // namespace orvane::ui
