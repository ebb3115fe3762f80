#pragma once
// Where the product's and the maker's web pages live.

#include <string>

inline constexpr char kProductSite[] = "http://scalio.vendra.example/";
inline constexpr char kMakerSite[] = "http://www.vendra.example/";

// A page of the product web site ("" for its root page).
inline std::string ProductPage(const std::string& page)
{
    return std::string(kProductSite) + page;
}
