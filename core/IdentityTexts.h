#pragma once

// Texts a person sees that are made of the identity's facts. The compiler joins them, so the
// editor neither formats nor allocates anything when it draws them or opens the link.

#include "ProductIdentity.h"

#include <cstddef>

namespace identity
{
// A joined text and its terminating zero, sized to fit exactly.
template <std::size_t Size> struct JoinedText
{
    char text[Size];
};

template <std::size_t Count> constexpr std::size_t joinedSize(const char* const (&parts)[Count])
{
    std::size_t size = 1;
    for (const char* part : parts)
        for (const char* c = part; *c != '\0'; ++c)
            ++size;
    return size;
}

template <std::size_t Size, std::size_t Count>
constexpr JoinedText<Size> join(const char* const (&parts)[Count])
{
    JoinedText<Size> joined{};
    std::size_t at = 0;
    for (const char* part : parts)
        for (const char* c = part; *c != '\0'; ++c)
            joined.text[at++] = *c;
    joined.text[at] = '\0';
    return joined;
}

namespace detail
{
constexpr const char* kVersionLabelParts[] = {"version ", kVersionText, " [?]"};
constexpr const char* kVersionLinkParts[] = {kProductUrl, "?checkversion=", kVersionText};
} // namespace detail

// The editor's version field; a click on it shows the about panel.
inline constexpr auto kVersionLabel =
    join<joinedSize(detail::kVersionLabelParts)>(detail::kVersionLabelParts);
// The about panel's link: the product's page, told which version asks.
inline constexpr auto kVersionLink =
    join<joinedSize(detail::kVersionLinkParts)>(detail::kVersionLinkParts);
} // namespace identity
