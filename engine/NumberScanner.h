#pragma once

#include <cstdint>

// Reads "<number> > <number>" the way the Windows C runtime's sscanf reads the
// formats " %X > %X" and " %d > %d": white space skipped around each part, an
// optional sign, an optional 0x/0X before hexadecimal digits, values kept
// modulo 2^32, text after the second number ignored. Stops at a zero byte.
enum class NumberBase { Hexadecimal, Decimal };

// Returns how many numbers were converted (0, 1 or 2); first and second hold
// the 32-bit patterns of those that were.
int ScanRatePair(const char* text, NumberBase base, uint32_t& first, uint32_t& second);
