#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"

// What the file tests check differently per platform: CFileTestPosix.cpp, CFileTestWin32.cpp.

// More names for dir/source.dvb (or for no data file at all), made in `dir`.
std::vector<std::string> OtherNamesOf(const TempDir& dir);
// Devices, each with whether a destination may be created on it.
std::vector<std::pair<const char*, bool>> DestinationDevices();
// Whether another process gets the file held here; false where the system's own rule shows it.
bool AnotherProcessOpens(const std::string& path);
// This process's open descriptors, or 0 where they are not counted.
long OpenDescriptors();
