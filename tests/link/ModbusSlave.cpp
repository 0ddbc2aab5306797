#include "link/ModbusSlave.h"

#include <modbus.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTcpServer>
#include <cerrno>
#include <chrono>

namespace vt::test {
namespace {

constexpr int kPortAttempts = 20;
constexpr uint32_t kWakeUs = 50'000;  // the thread looks at the stop flag this often
// A pseudo-terminal carries a request at once, where a real line takes the
// request's own time and the slave's turnaround before an answer can come.
// The serial slave waits before it answers, well beyond the moment the
// master has finished sending, even on a loaded machine.
constexpr auto kSerialTurnaround = std::chrono::milliseconds(50);

// A port that was free a moment ago: the test cannot hand port 0 to libmodbus.
quint16 FreePort() {
  QTcpServer probe;
  return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

}  // namespace

std::unique_ptr<ModbusSlave> ModbusSlave::Tcp() {
  for (int attempt = 0; attempt < kPortAttempts; ++attempt) {
    const quint16 port = FreePort();
    if (port == 0) continue;
    modbus_t* context = modbus_new_tcp("127.0.0.1", port);
    const int listenSocket = context ? modbus_tcp_listen(context, 1) : -1;
    if (listenSocket >= 0) return std::unique_ptr<ModbusSlave>(new ModbusSlave(context, listenSocket, port));
    if (context) modbus_free(context);
  }
  return nullptr;
}

std::unique_ptr<ModbusSlave> ModbusSlave::Rtu(const QString& device, int address) {
  modbus_t* context = modbus_new_rtu(device.toLocal8Bit().constData(), 9600, 'N', 8, 1);
  if (!context) return nullptr;
  if (modbus_set_slave(context, address) != 0 || modbus_connect(context) != 0) {
    modbus_free(context);
    return nullptr;
  }
  return std::unique_ptr<ModbusSlave>(new ModbusSlave(context, -1, 0));
}

ModbusSlave::ModbusSlave(modbus_t* context, int listenSocket, quint16 port)
    : context_(context),
      mapping_(modbus_mapping_new(0, 0, kRegisters, 0)),
      listenSocket_(listenSocket),
      port_(port) {
  for (int reg = 0; reg < kRegisters; ++reg) mapping_->tab_registers[reg] = InitialValue(reg);
  modbus_set_indication_timeout(context_, 0, kWakeUs);
  thread_ = std::thread([this] { listenSocket_ >= 0 ? ServeTcp() : Serve(); });
}

ModbusSlave::~ModbusSlave() {
  Stop();
  if (listenSocket_ >= 0) close(listenSocket_);
  modbus_close(context_);
  modbus_free(context_);
  modbus_mapping_free(mapping_);
}

void ModbusSlave::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  if (listenSocket_ >= 0) shutdown(listenSocket_, SHUT_RDWR);  // wakes a waiting accept
  thread_.join();
}

std::vector<std::uint16_t> ModbusSlave::Registers() const {
  return {mapping_->tab_registers, mapping_->tab_registers + kRegisters};
}

void ModbusSlave::ServeTcp() {
  while (!stop_) {
    const int connection = modbus_tcp_accept(context_, &listenSocket_);
    if (connection < 0) continue;
    Serve();
    modbus_close(context_);
  }
}

// Answers requests until stopped or, over TCP, until the master hangs up.
void ModbusSlave::Serve() {
  uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
  while (!stop_) {
    const int length = modbus_receive(context_, query);
    if (length > 0) {
      if (listenSocket_ < 0) std::this_thread::sleep_for(kSerialTurnaround);
      modbus_reply(context_, query, length, mapping_);
    } else if (length < 0 && errno != ETIMEDOUT && listenSocket_ >= 0) {
      return;
    } else if (length < 0 && errno != ETIMEDOUT) {
      modbus_flush(context_);
    }
  }
}

}  // namespace vt::test
