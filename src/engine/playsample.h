#pragma once
// Sounding one of the current instrument's seven samples by pitch index.

#include <cstdint>

// Plays `sounds(pitch)`. A pitch outside 0..6 (a damaged note table) raises
// OutOfBoundsException and a sample that was never loaded NilObjectException,
// as indexing the sample table would.
void playsample(int64_t pitch);
