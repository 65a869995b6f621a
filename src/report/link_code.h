#pragma once
// Decoding a canonical label's link code back into the links of its pattern.
//
// Positions run from 1 to N (the node count). The code has one entry per
// ordered pair of positions (directed runs, N*N entries) or per unordered
// pair (undirected runs, N*(N+1)/2 entries); an entry holds the link label
// number joining the two positions, 0 for none. Directed real labels keep
// shell order: shell k lists the links from positions 1..k-1 to k, then
// those from k to 1..k. Runs with dummy labels (-d 3) list the link from a to
// b at (b-1)*N + (a-1) instead. Undirected codes have one layout: shell k
// lists positions 1..k paired with k.

#include <cstdint>
#include <optional>
#include <vector>

namespace murex::report {

enum class Code_layout { undirected, directed_shell, directed_node_order };

struct Coded_link {
  std::size_t from = 0;  // 1-based position
  std::size_t to = 0;    // 1-based position; in undirected runs from <= to
  std::int64_t label = 0;  // link label number, never 0
  bool operator==(const Coded_link&) const = default;
};

// The number of code entries of an N-node pattern.
std::size_t code_length(std::size_t node_count, Code_layout layout);

// The links of the code in code order; std::nullopt when the code's length
// does not fit `node_count` nodes.
std::optional<std::vector<Coded_link>> decode_links(std::size_t node_count, const std::vector<std::int64_t>& code,
                                                    Code_layout layout);

}  // namespace murex::report
