#include "record/zeilenpuffer.h"

namespace korvelan {

void Zeilenpuffer::Wachsen(std::size_t n) {
  const std::size_t belegt = size();
  std::size_t neu = capacity() < 256 ? 256 : capacity() * 2;
  if (neu < belegt + n) neu = belegt + n;
  char* block = new char[neu];
  if (belegt > 0) std::memcpy(block, anfang_, belegt);
  delete[] anfang_;
  anfang_ = block;
  ende_ = block + belegt;
  grenze_ = block + neu;
}

}  // namespace korvelan
