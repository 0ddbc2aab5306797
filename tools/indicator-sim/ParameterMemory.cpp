#include "indicator-sim/ParameterMemory.h"

namespace vt::sim {

namespace {

using Image = std::array<quint8, ParameterMemory::kSize>;

void Put16(Image& image, int address, int value) {
  image[address] = quint8(value & 0xFF);
  image[address + 1] = quint8((value >> 8) & 0xFF);
}

void Put24(Image& image, int address, int value) {
  Put16(image, address, value & 0xFFFF);
  image[address + 2] = quint8((value >> 16) & 0xFF);
}

void PutDate(Image& image, int address, int day, int month, int year) {
  image[address] = quint8(day);
  image[address + 1] = quint8(month);
  Put16(image, address + 2, year);
}

}  // namespace

ParameterMemory::ParameterMemory() : cells_(FactoryImage()) {}

Image ParameterMemory::FactoryImage() {
  Image image{};
  image[0] = 176;  // RTU, 9600 bit/s, no parity, 8 data bits, 1 stop bit
  image[1] = 1;    // Modbus address
  image[2] = 0;    // response delay
  image[3] = 40;   // response time-out, 5 ms at 9600 bit/s
  image[4] = 255;
  image[5] = 5;  // filter of 32 readings
  image[6] = 7;
  image[7] = 5;                     // filter ignore time 0.5 s
  PutDate(image, 8, 15, 6, 2018);   // production date
  image[16] = 10;                   // serial number (13 to 16)
  PutDate(image, 19, 15, 6, 2018);  // calibration date
  image[23] = 3;
  image[33] = 255;
  image[34] = 255;  // scale type (reads as a single interval)
  image[35] = 255;  // division steps not set
  Put24(image, kCapacity1, 10000);
  image[kDecimalPoint] = 1;
  Put24(image, 45, 10000);      // second capacity
  image[48] = 1;                // kg
  Put24(image, 52, 5000);       // set point 1
  Put24(image, 55, 10000);      // set point 2
  Put16(image, 58, 4 * 2048);   // analog output from 4 mA
  Put16(image, 60, 20 * 2048);  // to 20 mA
  Put24(image, 90, 10000);      // analog output range
  Put24(image, 201, 250);       // filter span
  return image;
}

int ParameterMemory::Decimals() const {
  const int decimals = cells_[kDecimalPoint];
  return decimals <= 7 ? decimals : 0;
}

int ParameterMemory::Capacity() const {
  return cells_[kCapacity1] | cells_[kCapacity1 + 1] << 8 | cells_[kCapacity1 + 2] << 16;
}

}  // namespace vt::sim
