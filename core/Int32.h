#pragma once
// 32-bit two's-complement arithmetic that wraps around, as the analysis's position
// arithmetic does, written without signed overflow. Every sum and product of numbers taken
// from a file goes through these.

#include <cstdint>

inline int32_t Add32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t Mul32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
