#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures as 0xRRGGBB pixels, row by row.

// Writes an opaque RGB PNG; for looking at what a test saw.
bool writeRgbPng(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                 int height);
// Reads a PNG of any colour type; alpha is dropped (the pictures compared here are opaque).
bool readRgbPng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height);

// Pixels whose largest channel difference exceeds `tolerance`; `worst` receives the largest.
int countDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance,
                   int& worst);
