#include "link/PeerProcess.h"

#include <QFileInfo>

#include "link/ModbusSlave.h"
#include "platform/WaitFor.h"

namespace vt::test {
namespace {

// Debian's pymodbus belongs to the system interpreter.
const QString kSystemPython = QStringLiteral("/usr/bin/python3");

// Like the libmodbus serial slave, it waits 50 ms before each answer, as a
// real line and slave would take time.
const char* const kAsciiSlave = R"(
import sys, time
from pymodbus.server import StartSerialServer
from pymodbus.datastore import ModbusSlaveContext, ModbusServerContext, ModbusSequentialDataBlock
from pymodbus.transaction import ModbusAsciiFramer

class TurnaroundBlock(ModbusSequentialDataBlock):
    def validate(self, address, count=1):
        time.sleep(0.05)
        return super().validate(address, count)

count, first = int(sys.argv[2]), int(sys.argv[3])
block = TurnaroundBlock(0, [first + i for i in range(count)])
context = ModbusServerContext(slaves={1: ModbusSlaveContext(hr=block, zero_mode=True)}, single=False)
StartSerialServer(context=context, framer=ModbusAsciiFramer, port=sys.argv[1],
                  baudrate=9600, bytesize=8, parity="N", stopbits=1, timeout=0.05)
)";

}  // namespace

PeerProcess::PeerProcess(const QString& program, const QStringList& arguments) {
  process_.start(program, arguments);
  process_.waitForStarted();
}

PeerProcess::~PeerProcess() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

SocatPtyPair::SocatPtyPair(const QString& linkA, const QString& linkB)
    : socat_(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                       QStringLiteral("pty,raw,echo=0,link=") + linkA,
                                       QStringLiteral("pty,raw,echo=0,link=") + linkB}) {
  ready_ = socat_.Started() && WaitFor([&] { return QFileInfo::exists(linkA) && QFileInfo::exists(linkB); });
}

std::string SocatPtyPair::Problem() {
  if (!socat_.Started()) return "socat is missing: install the socat package";
  return "socat made no linked pair of pseudo-terminals: " + socat_.Output().toStdString();
}

PeerProcess StartAsciiSlave(const QString& device) {
  return PeerProcess(kSystemPython, {QStringLiteral("-c"), QString::fromLatin1(kAsciiSlave), device,
                                     QString::number(ModbusSlave::kRegisters),
                                     QString::number(ModbusSlave::InitialValue(0))});
}

}  // namespace vt::test
