#include "run/command_line.h"

#include <cstdint>
#include <iostream>
#include <string>

#include "run/fatal.h"
#include "run/parameter.h"

namespace murex {
namespace {

// Shift_JIS (code page 932) bytes of the usage text.
constexpr std::string_view kUsage[] = {
    " MUREX",
    "  [\x8e\xc0\x8ds\x83p\x83\x89\x83\x81\x81[\x83^]",
    "     -c \x83N\x83\x89\x83X\x90\x94  (default 1)",
    "     -d 0 (\x96\xb3\x8c\xfc\x83O\x83\x89\x83t) or 1 (\x97L\x8c\xfc\x83O\x83\x89\x83t) or 2 "
    "(\x96\xb3\x8c\xfc\x83O\x83\x89\x83t CanonicalLabel \x83_\x83~\x81[) or 3 "
    "(\x97L\x8c\xfc\x83O\x83\x89\x83t CanonicalLabel \x83_\x83~\x81[) ",
    "     -s 0 (\x97U\x93\xb1\x95\x94\x95\xaa\x83O\x83\x89\x83t) or 1 (\x95\x94\x95\xaa\x83O\x83\x89\x83t)",
    "     -f \x83" "f\x81[\x83^\x83t\x83@\x83" "C\x83\x8b\x96\xbc for \x83N\x83\x89\x83X1\x81" "C\x83"
    "f\x81[\x83^\x83N\x83\x89\x83X\x96\xbc for \x83N\x83\x89\x83X2\x81" "C...",
    "     -t \x83" "e\x83X\x83g\x83t\x83@\x83" "C\x83\x8b\x96\xbc",
    "     -b \x83r\x81[\x83\x80\x95\x9d  (default 1)",
};

[[noreturn]] void bad_parameter() { fatal("Bad Parameter"); }

[[noreturn]] void write_usage_and_exit() {
  for (const auto& line : kUsage) {
    std::cout << line << '\n';
    std::cout.flush();
  }
  end_process(0);
}

// A numeric option value: decimal digits only (empty reads as 0). A value
// that does not fit in 32 bits is refused rather than wrapped around.
std::uint32_t digits_value(std::string_view text) {
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') bad_parameter();
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) bad_parameter();
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

const std::string_view* usage_lines(std::size_t& count) {
  count = std::size(kUsage);
  return kUsage;
}

void parse_command_line(int argc, const char* const* argv) {
  Parameter& parameter = Parameter::instance();
  std::string file_list;

  for (int a = 1; a < argc; ++a) {
    const std::string_view word = argv[a];
    if (word.size() < 2) bad_parameter();
    const char option = word[1];
    const bool exactly_two = word.size() == 2;
    auto value = [&]() -> std::string_view {
      if (a + 1 >= argc) bad_parameter();
      return argv[++a];
    };
    switch (option) {
      case 'c': {
        if (!exactly_two) bad_parameter();
        parameter.set_class_count(digits_value(value()));
        break;
      }
      case 'd': {
        const std::uint32_t d = digits_value(value());
        if (d > 3) bad_parameter();
        // 0: undirected, 1: directed, 2 and 3 the same with dummy labels.
        parameter.set_directed(d % 2 == 1 ? 1 : 0);
        parameter.set_real_canonical_label(d < 2 ? 1 : 0);
        break;
      }
      case 's': {
        const std::uint32_t s = digits_value(value());
        if (s > 1) bad_parameter();
        parameter.set_subgraph(static_cast<std::uint8_t>(s));
        break;
      }
      case 'f': {
        if (!exactly_two) bad_parameter();
        file_list = std::string(value());
        break;
      }
      case 't': {
        if (!exactly_two) bad_parameter();
        const std::string name(value());
        parameter.set_test_file(1);
        parameter.set_test_file_name(name);
        break;
      }
      case 'b': {
        if (!exactly_two) bad_parameter();
        parameter.set_beam_width(digits_value(value()));
        break;
      }
      case 'h':
        write_usage_and_exit();
      default:
        bad_parameter();
    }
  }

  parameter.initialize();
  if (file_list.empty()) bad_parameter();

  // Split at ASCII commas, one piece per class; pieces beyond the class count
  // are ignored. Once the list is used up every remaining piece is empty, and
  // an empty name is what an unnamed class holds already, so the walk stops.
  std::size_t position = 0;
  const std::uint32_t classes = parameter.get_class_count();
  for (std::uint32_t i = 0; i < classes && position <= file_list.size(); ++i) {
    std::size_t end = file_list.find(',', position);
    if (end == std::string::npos) end = file_list.size();
    parameter.set_class_file_name(i, file_list.substr(position, end - position));
    position = end + 1;
  }

  parameter.lock();
}

}  // namespace murex
