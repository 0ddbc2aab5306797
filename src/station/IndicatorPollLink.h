#pragma once

#include "link/IndicatorLink.h"
#include "station/PollLink.h"

namespace vt {

// The poll cycle's view of the indicator link.
class IndicatorPollLink : public PollLink {
 public:
  explicit IndicatorPollLink(IndicatorLink& link) : link_(link) {}
  bool PortUsable() const override { return link_.PortUsable(); }
  void SendRequest(int address, const QString& body, int expectedLen) override {
    link_.SendRequest(address, body, expectedLen);
  }
  bool ParseResponse(std::span<std::int32_t> values) override { return link_.ParseResponse(values); }
  void AbandonRequest() override { link_.AbandonRequest(); }

 private:
  IndicatorLink& link_;
};

}  // namespace vt
