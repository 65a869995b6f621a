#pragma once
// Quoting label names and identities for each output format. Label names are
// byte strings; the JSON, HTML and DOT outputs must be UTF-8, so invalid
// bytes there become U+FFFD. CSV keeps the bytes as they are.

#include <string>

namespace murex::report {

// `text` with every byte sequence that is not valid UTF-8 replaced by U+FFFD.
std::string valid_utf8(const std::string& text);

// A JSON string literal, quotes included.
std::string json_string(const std::string& text);

// A JSON number for a score; null for NaN and infinities, which JSON lacks.
std::string json_number(double value);

// `text` itself when it is a JSON number (murex writes scores that way), else null.
std::string json_number_text(const std::string& text);

// One CSV field per RFC 4180: quoted when it holds a comma, quote, CR or LF
// (or starts or ends with a blank), with quotes doubled.
std::string csv_field(const std::string& text);

// Text for HTML element content and attribute values.
std::string html_escape(const std::string& text);

// A DOT double-quoted string, quotes included.
std::string dot_string(const std::string& text);

}  // namespace murex::report
