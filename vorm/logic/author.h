#pragma once
// The author's addresses, shown in the about box and in one drill phrase.
// They live under the reserved example.org domain.
#include <string_view>

namespace vorm {

inline constexpr std::string_view kAuthorEmail = "kv@example.org";
inline constexpr std::string_view kAuthorSite = "www.example.org";
inline constexpr std::string_view kAuthorSiteUrl = "https://www.example.org/";

}  // namespace vorm
