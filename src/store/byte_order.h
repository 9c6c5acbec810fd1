// Little-endian loads and stores at arbitrary (possibly unaligned) byte positions.
#ifndef KORVALE_STORE_BYTE_ORDER_H_
#define KORVALE_STORE_BYTE_ORDER_H_

#include <bit>
#include <cstdint>
#include <cstring>

namespace korvale {

static_assert(std::endian::native == std::endian::little,
              "the file codecs copy little-endian fields straight into memory");

template <typename T>
inline T LoadLE(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
inline void StoreLE(uint8_t* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

}  // namespace korvale

#endif  // KORVALE_STORE_BYTE_ORDER_H_
