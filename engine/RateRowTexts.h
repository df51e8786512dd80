#pragma once

#include <cstdint>

// The three texts of a rate's row in the list of rates that were not
// converted: the rate in four upper-case hex digits, the rate in decimal, and
// the number (from 1) of the record where it first came. Plain arrays, so
// that a row costs no allocation.
struct RateRowTexts {
    RateRowTexts(uint16_t rate, uint64_t recordNo);

    // Each ends with a zero byte.
    char hex[5];
    char dec[6];
    char line[21];
};
