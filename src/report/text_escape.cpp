#include "report/text_escape.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace murex::report {

std::string valid_utf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t k = 0;
  while (k < text.size()) {
    const auto byte = static_cast<unsigned char>(text[k]);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (byte < 0x80) {
      length = 1;
    } else if ((byte & 0xE0) == 0xC0) {
      length = 2;
      min = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
      length = 3;
      min = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
      length = 4;
      min = 0x10000;
    }
    bool good = length != 0 && k + length <= text.size();
    std::uint32_t code = length == 1 ? byte : byte & (0x7F >> length);
    for (std::size_t j = 1; good && j < length; ++j) {
      const auto next = static_cast<unsigned char>(text[k + j]);
      if ((next & 0xC0) != 0x80) good = false;
      code = (code << 6) | (next & 0x3F);
    }
    if (good && length > 1 && (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) good = false;
    if (good) {
      out.append(text, k, length);
      k += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++k;
    }
  }
  return out;
}

std::string json_string(const std::string& text) {
  std::string out = "\"";
  for (const char c : valid_utf8(text)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string json_number(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  // to_chars may write "1e+20"; JSON takes that, but not a bare "inf" (handled above).
  return text;
}

std::string json_number_text(const std::string& text) {
  // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  std::size_t k = 0;
  const auto digits = [&] {
    const std::size_t start = k;
    while (k < text.size() && text[k] >= '0' && text[k] <= '9') ++k;
    return k > start;
  };
  if (k < text.size() && text[k] == '-') ++k;
  if (k < text.size() && text[k] == '0') {
    ++k;
  } else if (!digits()) {
    return "null";
  }
  if (k < text.size() && text[k] == '.') {
    ++k;
    if (!digits()) return "null";
  }
  if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
    ++k;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (!digits()) return "null";
  }
  return k == text.size() ? text : "null";
}

std::string csv_field(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string html_escape(const std::string& text) {
  std::string out;
  for (const char c : valid_utf8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string dot_string(const std::string& text) {
  std::string out = "\"";
  for (const char c : valid_utf8(text)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace murex::report
