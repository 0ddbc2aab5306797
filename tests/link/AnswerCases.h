#pragma once

namespace vt::test {

// Frames that come back for a request, and whether they answer it: from
// the request's slave, of its function, a read's byte count twice the
// registers asked for, a write's echo of its register and value or count.
struct AnswerCase {
  const char* what;
  const char* body;  // the request from its function code on, slave 1
  int expectedLen;
  const char* frame;  // slave address, function and data, without check
  bool answers;
};

inline constexpr AnswerCase kAnswerCases[] = {
    {"the read's answer", "0300000002", 16, "010304000A000B", true},
    {"another slave's answer", "0300000002", 16, "020304000A000B", false},
    {"another function", "0300000002", 16, "011004000A000B", false},
    {"one register too many", "0300000002", 16, "010306000A000B000C", false},
    {"data beyond the byte count", "0300000002", 16, "010304000A000B000C", false},
    {"a byte count that is not the data's", "0300000002", 16, "010305000A000B", false},
    {"the read's own echo", "0300000002", 16, "010300000002", false},
    {"the write's echo", "0600010008", 14, "010600010008", true},
    {"the echo of another register", "0600010008", 14, "010600020008", false},
    {"the echo of another value", "0600010008", 14, "010600010009", false},
    {"a read's answer to a write", "0600010008", 14, "010304000A000B", false},
    {"the multiple write's echo", "10000000020400080009", 14, "011000000002", true},
    {"the echo of another count", "10000000020400080009", 14, "011000000003", false},
    {"the multiple write's own echo", "10000000020400080009", 14, "01100000000204" "00080009", false},
};

}  // namespace vt::test
