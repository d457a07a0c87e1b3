#pragma once
// A growable byte buffer for the output line. The writers build every line field by field; a
// field is a few bytes, so appending is kept inline: a capacity test and a copy by words, no
// library call per field. Only growing the buffer is out of line.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "record/bytebloecke.h"

namespace korvelan {

// Copies n bytes between buffers that do not overlap, by blocks of sixteen bytes or, when shorter,
// by eight- and four-byte words (the last block or word may overlap the one before it). Short
// fields cost a few instructions instead of a memcpy call.
inline void BytesKopieren(char* ziel, const char* quelle, std::size_t n) {
  if (n >= 16) {
    // Long texts by blocks of sixteen.
    std::size_t i = 0;
    for (; i + 16 < n; i += 16) BlockSpeichern(ziel + i, BlockLaden(quelle + i));
    BlockSpeichern(ziel + n - 16, BlockLaden(quelle + n - 16));
  } else if (n >= 8) {
    std::memcpy(ziel, quelle, 8);
    std::memcpy(ziel + n - 8, quelle + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(ziel, quelle, 4);
    std::memcpy(ziel + n - 4, quelle + n - 4, 4);
  } else if (n > 0) {
    // 1 to 3 bytes: first, middle and last cover them all.
    ziel[0] = quelle[0];
    ziel[n / 2] = quelle[n / 2];
    ziel[n - 1] = quelle[n - 1];
  }
}

// Writes n times the byte c, by words like BytesKopieren (a byte loop would become a memset call).
inline void BytesFuellen(char* ziel, char c, std::size_t n) {
  const std::uint64_t wort = 0x0101010101010101ULL * static_cast<unsigned char>(c);
  if (n >= 8) {
    std::size_t i = 0;
    for (; i + 8 < n; i += 8) std::memcpy(ziel + i, &wort, 8);
    std::memcpy(ziel + n - 8, &wort, 8);
  } else if (n >= 4) {
    std::memcpy(ziel, &wort, 4);
    std::memcpy(ziel + n - 4, &wort, 4);
  } else if (n > 0) {
    ziel[0] = c;
    ziel[n / 2] = c;
    ziel[n - 1] = c;
  }
}

class Zeilenpuffer {
 public:
  Zeilenpuffer() = default;
  Zeilenpuffer(const Zeilenpuffer& andere) { append(andere); }
  Zeilenpuffer& operator=(const Zeilenpuffer& andere) {
    if (this != &andere) {
      clear();
      append(andere);
    }
    return *this;
  }
  ~Zeilenpuffer() { delete[] anfang_; }

  // Replaces the content; the text must not lie in this buffer.
  Zeilenpuffer& operator=(std::string_view text) {
    clear();
    return append(text);
  }

  std::size_t size() const { return static_cast<std::size_t>(ende_ - anfang_); }
  bool empty() const { return ende_ == anfang_; }
  std::size_t capacity() const { return static_cast<std::size_t>(grenze_ - anfang_); }
  // Bytes that can be appended without growing.
  std::size_t Frei() const { return static_cast<std::size_t>(grenze_ - ende_); }
  char* data() { return anfang_; }
  const char* data() const { return anfang_; }
  char& operator[](std::size_t i) { return anfang_[i]; }
  char operator[](std::size_t i) const { return anfang_[i]; }
  char& back() { return ende_[-1]; }
  char back() const { return ende_[-1]; }
  operator std::string_view() const { return std::string_view(anfang_, size()); }  // NOLINT: used like a text

  void clear() { ende_ = anfang_; }
  void reserve(std::size_t n) {
    if (n > capacity()) Wachsen(n - size());
  }
  // Cuts the content to n bytes; a larger n appends "\0" bytes up to n.
  void resize(std::size_t n) {
    if (n <= size())
      ende_ = anfang_ + n;
    else
      append(n - size(), '\0');
  }

  Zeilenpuffer& operator+=(char c) {
    push_back(c);
    return *this;
  }
  Zeilenpuffer& operator+=(std::string_view text) { return append(text); }
  void push_back(char c) {
    if (ende_ == grenze_) Wachsen(1);
    *ende_++ = c;
  }
  // Appends a text; it must not lie in this buffer.
  Zeilenpuffer& append(std::string_view text) {
    BytesKopieren(Platz(text.size()), text.data(), text.size());
    ende_ += text.size();
    return *this;
  }
  // Appends n times the character c.
  Zeilenpuffer& append(std::size_t n, char c) {
    BytesFuellen(Platz(n), c, n);
    ende_ += n;
    return *this;
  }

  // Room for n more bytes: returns where they go. Writing there and then calling Vorruecken
  // with the count written lets a caller format straight into the line.
  char* Platz(std::size_t n) {
    if (static_cast<std::size_t>(grenze_ - ende_) < n) Wachsen(n);
    return ende_;
  }
  // Takes n bytes written at Platz() into the content.
  void Vorruecken(std::size_t n) { ende_ += n; }

 private:
  // Makes room for at least n bytes after the content (out of line: rare).
  void Wachsen(std::size_t n);

  char* anfang_ = nullptr;
  char* ende_ = nullptr;
  char* grenze_ = nullptr;
};

}  // namespace korvelan
