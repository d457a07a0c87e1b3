#pragma once
// Sixteen bytes tested at once. Line ends and the bytes the character tables change are looked
// for in every byte of a file; a block of sixteen is compared in a few instructions with the
// compiler's vector type, and the bytes a comparison marks are taken as a mask of sixteen bits.
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvelan {

// Sixteen bytes as signed values: bytes 0x80 and above are negative. A comparison gives a block
// with all bits set in each byte where it holds.
using Byteblock = signed char __attribute__((vector_size(16)));

inline Byteblock BlockLaden(const char* p) {
  Byteblock b;
  std::memcpy(&b, p, 16);
  return b;
}

inline void BlockSpeichern(char* p, Byteblock b) { std::memcpy(p, &b, 16); }

// The same value in every byte, to compare a block with.
constexpr Byteblock BlockAus(signed char c) { return Byteblock{} + c; }

// Mask of a comparison result without vector instructions: bit i is set where byte i is marked.
// The high bit of each byte is gathered into the top byte of a word by one multiplication.
inline unsigned TrefferbitsOhneVektor(Byteblock markiert) {
  std::uint64_t h[2];
  std::memcpy(h, &markiert, 16);
  constexpr std::uint64_t Hoch = 0x8080808080808080ULL;
  constexpr std::uint64_t Sammeln = 0x0002040810204081ULL;  // byte i's high bit to bit 56 + i
  const auto haelfte = [](std::uint64_t w) { return static_cast<unsigned>(((w & Hoch) * Sammeln) >> 56); };
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "byte i is taken from the low end of a word");
  return haelfte(h[0]) | (haelfte(h[1]) << 8);
}

// Bit i set where byte i of a comparison result is marked (one instruction with SSE2).
inline unsigned Trefferbits(Byteblock markiert) {
#if defined(__SSE2__)
  return static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(markiert)));
#else
  return TrefferbitsOhneVektor(markiert);
#endif
}

// First CR or LF in [p, e), or e: how the input file and the viewer's line index find line ends,
// thirty-two bytes compared per step.
inline const char* ZeilenendeSuchen(const char* p, const char* e) {
  const Byteblock lf = BlockAus('\n'), cr = BlockAus('\r');
  for (; e - p >= 32; p += 32) {
    const Byteblock b1 = BlockLaden(p), b2 = BlockLaden(p + 16);
    const unsigned treffer = Trefferbits((b1 == lf) | (b1 == cr)) | (Trefferbits((b2 == lf) | (b2 == cr)) << 16);
    if (treffer != 0) return p + __builtin_ctz(treffer);
  }
  for (; e - p >= 16; p += 16) {
    const Byteblock b = BlockLaden(p);
    const unsigned treffer = Trefferbits((b == lf) | (b == cr));
    if (treffer != 0) return p + __builtin_ctz(treffer);
  }
  while (p < e && *p != '\n' && *p != '\r') ++p;
  return p;
}

}  // namespace korvelan
