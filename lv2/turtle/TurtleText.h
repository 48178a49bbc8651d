#pragma once

#include <string>

// Turtle literals and resource names as the bundle's files write them.
namespace turtle
{
// The shortest decimal that reads back as exactly v, whether a reader parses it to single or to
// double precision first, with a decimal point so that it is an xsd:decimal.
std::string number(float v);
std::string quoted(const std::string& text);
std::string uri(const std::string& address);
} // namespace turtle
