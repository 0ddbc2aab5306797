#pragma once

#include <QtGlobal>
#include <array>

namespace vt::sim {

// The indicator's 256 byte-wide parameter cells, as they leave the factory.
class ParameterMemory {
 public:
  static constexpr int kSize = 256;
  static constexpr int kDecimalPoint = 44;  // number of decimals of the shown value
  static constexpr int kCapacity1 = 37;     // 24-bit little-endian count

  ParameterMemory();

  // The factory image: the serial link RTU 9600 8N1 at address 1, production
  // and calibration date 15 June 2018, one scale interval of capacity 10000
  // counts in kg with one decimal, set points 5000 and 10000, analog output
  // 4 to 20 mA over 10000 counts, custom filter of 32 readings.
  static std::array<quint8, kSize> FactoryImage();

  quint8 At(int address) const { return cells_[address]; }
  void Set(int address, quint8 value) { cells_[address] = value; }

  // The decimal count of the shown value (0 to 7; a cell above 7 reads 0).
  int Decimals() const;
  // The first capacity in counts.
  int Capacity() const;

 private:
  std::array<quint8, kSize> cells_;
};

}  // namespace vt::sim
