// Addresses read as numbers: every way a router writes one, where reading
// stops, and the canonical text that makes FE80::1 and fe80::0:1 equal.
// Their order is the numbers' (a defaulted <=>); routes sorted by it are
// checked in dialect_sort_test.cpp.
#include "sorter/address128.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

Address128 V6(uint64_t high, uint64_t low) { return {high, low}; }

TEST(Address128, ReadsEachWayAnAddressIsWritten) {
  const struct {
    const char* text;
    size_t length;  // 0: no address
    Address128 value;
  } cases[] = {
      {"10.1.2.3", 8, Address128::FromIpv4(0x0A010203)},
      {"10.1.2.3/24", 8, Address128::FromIpv4(0x0A010203)},
      {"::", 2, V6(0, 0)},
      {"::/0", 2, V6(0, 0)},
      {"::1", 3, V6(0, 1)},
      {"2001:DB8::/32", 10, V6(0x20010DB800000000, 0)},
      {"2001:db8:0:0:0:0:0:1", 20, V6(0x20010DB800000000, 1)},
      {"FE80::A8BB:CCFF:FE02:8B00,", 25, V6(0xFE80000000000000, 0xA8BBCCFFFE028B00)},
      {"fe80::1%Gi0/0", 7, V6(0xFE80000000000000, 1)},
      {"::ffff:10.1.1.1", 15, Address128::FromIpv4(0x0A010101)},
      {"2001:db8::10.1.1.1", 18, V6(0x20010DB800000000, 0x0A010101)},
      {"2001:::1", 6, V6(0x2001000000000000, 0)},  // "2001::", then text
      {"1:2:3:4:5:6:7:8:9", 15, V6(0x0001000200030004, 0x0005000600070008)},
      {"12345::1", 0, {}},
      {"2001:db8", 0, {}},
      {"1:2:3:4:5:6:7", 0, {}},
      {"Eth1/1", 0, {}},
      {"01:52:23", 0, {}},
      {"256.1.1.1", 0, {}},
      {"", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Address128 value;
    EXPECT_EQ(ReadAddress(c.text, value), c.length);
    if (c.length > 0) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST(Address128, WritesIpv6AddressesOneWay) {
  const struct {
    const char* line;
    const char* canonical;
  } cases[] = {
      {"    *via FE80::5054:FF:FE64:BD2E, Eth1/3", "    *via fe80::5054:ff:fe64:bd2e, Eth1/3"},
      {"2001:0DB8:0000:0000:0000:0000:0000:0001/128", "2001:db8::1/128"},
      {"via 2001:db8:0:1:0:0:0:1, x", "via 2001:db8:0:1::1, x"},
      {"::ffff:10.1.1.1%default:IPv4", "::ffff:a01:101%default:IPv4"},
      {"10.1.1.1, 01:52:23, 1w2d", "10.1.1.1, 01:52:23, 1w2d"},
      {"GigabitEthernet0/0/0/1 cafe:: beef", "GigabitEthernet0/0/0/1 cafe:: beef"},
      // An address that runs on into ":" or "." is text: rewritten, the
      // first would read as the second, another address.
      {"::1.1.1.1:2, FE80::1:", "::1.1.1.1:2, FE80::1:"},
      {"::101:101:2, fe80::1.", "::101:101:2, fe80::1."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithCanonicalAddresses(c.line), c.canonical) << c.line;
    EXPECT_EQ(WithCanonicalAddresses(WithCanonicalAddresses(c.line)), c.canonical) << c.line;
  }
}

}  // namespace
}  // namespace tess
