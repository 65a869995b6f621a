// Gini gain, shared by the chunk and good-pair evaluation functions.
#include <cstdint>

namespace murex {

template <class Totals, class Counts>
double gini_gain(std::size_t classes, Totals total_of, Counts count_of) {
  std::uint32_t big_n = 0;
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < classes; ++i) {
    big_n += total_of(i);
    n += count_of(i);
  }
  if (big_n == n) return 0.0;
  std::uint32_t s1 = 0;
  std::uint32_t s2 = 0;
  std::uint32_t s3 = 0;
  for (std::size_t i = 0; i < classes; ++i) {
    const std::uint32_t ni_total = total_of(i);
    const std::uint32_t ni = count_of(i);
    s1 += ni_total * ni_total;
    s2 += ni * (n - ni);
    s3 += (ni_total - ni) * ((big_n - n) - (ni_total - ni));
  }
  const std::uint32_t nn = big_n * big_n;
  const std::uint32_t nc = big_n * n;
  const std::uint32_t nr = big_n * (big_n - n);
  return 1.0 - static_cast<double>(s1) / static_cast<double>(nn) - static_cast<double>(s2) / static_cast<double>(nc) -
         static_cast<double>(s3) / static_cast<double>(nr);
}

}  // namespace murex
