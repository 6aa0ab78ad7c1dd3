#pragma once

#include <string>

// The images of an executable's MAINICON group, read from its resources as
// Windows reads them: "32x32 4-bit, 16x16 4-bit"; "" when there is none.
std::string DescribeIcons(const std::string& exePath);

// The product name and version an executable's VERSIONINFO gives, as a
// user sees them in its properties: "layerbar 1.0.0 (file version
// 1.0.0.0)"; "" when there is none.
std::string DescribeVersion(const std::string& exePath);
