#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

struct _modbus;
struct _modbus_mapping_t;

namespace vt::test {

// A libmodbus slave that plays the indicator in a thread of the test: it
// serves holding registers 0 to 119, register i holding 1000 + i at the
// start, over TCP on 127.0.0.1 or over RTU on a serial device.
class ModbusSlave {
 public:
  static constexpr int kRegisters = 120;
  static int InitialValue(int reg) { return 1000 + reg; }

  // Listens on a free port of 127.0.0.1; nothing when no port could be had.
  static std::unique_ptr<ModbusSlave> Tcp();
  // Serves slave `address` at 9600 bit/s, 8N1, on the device.
  static std::unique_ptr<ModbusSlave> Rtu(const QString& device, int address = 1);

  ~ModbusSlave();
  ModbusSlave(const ModbusSlave&) = delete;
  ModbusSlave& operator=(const ModbusSlave&) = delete;

  quint16 Port() const { return port_; }
  // Ends the thread; the registers may be read afterwards.
  void Stop();
  std::vector<std::uint16_t> Registers() const;

 private:
  ModbusSlave(_modbus* context, int listenSocket, quint16 port);
  void ServeTcp();
  void Serve();

  _modbus* context_;
  _modbus_mapping_t* mapping_;
  int listenSocket_;
  quint16 port_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vt::test
