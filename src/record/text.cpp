#include "record/text.h"

#include <cstdint>

namespace korvelan {

std::string Rechtstrimmen(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return std::string(s.substr(0, e));
}

std::string Trimmen(std::string_view s) {
  std::size_t a = 0;
  while (a < s.size() && s[a] == ' ') ++a;
  std::size_t e = s.size();
  while (e > a && s[e - 1] == ' ') --e;
  return std::string(s.substr(a, e - a));
}

void GrossInPlatz(std::string& s) {
  for (char& c : s)
    c = GrossZeichen(c);
}

std::string Gross(std::string_view s) {
  std::string r(s);
  GrossInPlatz(r);
  return r;
}

std::string Kuerzen(std::string_view s, std::size_t n) { return Rechtstrimmen(s.substr(0, n)); }

std::string Auffuellen(std::string_view s, std::size_t n) {
  std::string r(s.substr(0, n));
  r.resize(n, ' ');
  return r;
}

void ZahltextErhoehen(std::string& text) {
  std::size_t i = text.size();
  while (i > 0 && text[i - 1] == '9') text[--i] = '0';
  if (i == 0)
    text.insert(text.begin(), '1');
  else
    ++text[i - 1];
}

bool IstNumerisch(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

namespace {
// Unicode code points of Windows-1252 bytes 0x80 to 0x9F (0 where the byte is undefined).
constexpr std::uint16_t Cp1252Hoch[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

char32_t AnsiZeichen(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return Cp1252Hoch[b - 0x80] ? Cp1252Hoch[b - 0x80] : b;
  return b;
}

char AnsiByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  // The free bytes stand for themselves both ways.
  if (cp <= 0x9F && Cp1252Hoch[cp - 0x80] == 0) return static_cast<char>(cp);
  for (int k = 0; k < 32; ++k)
    if (Cp1252Hoch[k] == cp) return static_cast<char>(0x80 + k);
  return '?';
}

std::string Ansi(std::string_view utf8) {
  std::string r;
  r.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp = c;
    std::size_t laenge = 1;
    if (c >= 0xC0 && c < 0xE0 && i + 1 < utf8.size()) {
      cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      laenge = 2;
    } else if (c >= 0xE0 && c < 0xF0 && i + 2 < utf8.size()) {
      cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      laenge = 3;
    }
    i += laenge;
    r += AnsiByte(cp);
  }
  return r;
}

std::string Utf8(std::string_view ansi) {
  std::string r;
  r.reserve(ansi.size() + ansi.size() / 8);
  for (char ch : ansi) {
    std::uint32_t cp = AnsiZeichen(static_cast<unsigned char>(ch));
    if (cp < 0x80) {
      r += static_cast<char>(cp);
    } else if (cp < 0x800) {
      r += static_cast<char>(0xC0 | (cp >> 6));
      r += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      r += static_cast<char>(0xE0 | (cp >> 12));
      r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      r += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return r;
}

}  // namespace korvelan
