#pragma once

#include <initializer_list>
#include <vector>

namespace vt::test {

// Every address from first to last.
inline std::vector<int> Range(int first, int last) {
  std::vector<int> list;
  for (int address = first; address <= last; ++address) list.push_back(address);
  return list;
}

// The lists one after the other.
inline std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> list;
  for (const auto& part : parts) list.insert(list.end(), part.begin(), part.end());
  return list;
}

}  // namespace vt::test
