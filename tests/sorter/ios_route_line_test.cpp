#include "sorter/ios_route_line.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tess {
namespace {

const std::string S7(7, ' ');
constexpr int32_t kProtoC = 141037600;  // "C   "
constexpr int32_t kProtoO = 166203424;  // "O   "
// The protocol code of four characters: 7 bits each, the first highest.
constexpr int32_t Pack(char a, char b, char c, char d) { return ((a * 128 + b) * 128 + c) * 128 + d; }
constexpr int32_t kNone = 65535;

using Source = IosRouteLineStream::Source;

// Destination high and low, hop high and low, ProtoCode, MaskCode, mask in
// force after the line, the line's part of its table.
using Parsed = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int, int, TablePart>;

// `line` as the first line of a stream whose mask in force is `maskBefore`.
Parsed Parse(const std::string& line, int maskBefore, Source source = Source::Log) {
  IosRouteLineStream stream(source, maskBefore);
  const RouteFields f = stream.Parse(line);
  return {f.DestHigh, f.DestLow, f.HopHigh, f.HopLow, f.ProtoCode, f.MaskCode, stream.MaskInForce(), f.Part};
}

TEST(IosRouteLineStream, FieldsOfSingleLines) {
  const struct {
    std::string line;
    int maskBefore;  // mask in force of the stream when the line comes
    int32_t destHigh, destLow, hopHigh, hopLow, proto;
    int maskCode, maskAfter;
  } cases[] = {
      // The three mask notations, on headers and routes.
      {"C" + S7 + "10.1.1.0/24 is directly connected, Ethernet0", 0, 2561, 256, 0, 0, kProtoC, 23, 24},
      {"     10.0.0.0/24 is subnetted, 3 subnets", 8, 2560, 0, 0, 0, kNotRouteProto, 23, 24},
      {"     10.0.0.0 255.255.255.0 is subnetted, 3 subnets", 8, 2560, 0, 0, 0, kNotRouteProto, 23, 24},
      {"     10.0.0.0 0xFFFFFF00 is subnetted, 3 subnets", 8, 2560, 0, 0, 0, kNotRouteProto, 23, 24},
      {"C       10.0.0.0 0xffff8000 is directly connected, Vlan1", 0, 2560, 0, 0, 0, kProtoC, 16, 17},
      {"C       10.0.0.0 255.0.255.0 is directly connected, Vlan1", 0, 2560, 0, 0, 0, kProtoC, 15, 16},
      {"S       10.0.0.0 0.0.0.0 [1/0] via 10.9.9.9", 20, 2560, 0, 2569, 2313, Pack('S', ' ', ' ', ' '), 0, 0},
      {"O" + S7 + "10.1.2.0 [110/20] via 10.1.1.2, 00:00:12, Ethernet0", 24, 2561, 512, 2561, 258, kProtoO, 23, 24},
      {"S*   0.0.0.0/0 [1/0] via 192.168.0.1", 24, 0, 0, 49320, 1, Pack('S', '*', ' ', ' '), 0, 0},
      {"O E2    10.2.0.0/16 [110/20] via 10.1.1.2", 0, 2562, 0, 2561, 258, Pack('O', ' ', 'E', '2'), 15, 16},
      // Masks that do not count: the line keeps the mask in force.
      {"O       10.1.1.0/33 [110/2] via 10.1.1.2", 20, 2561, 256, 2561, 258, kProtoO, 19, 20},
      {"O       10.1.1.0 255.255.255.1 [110/2] via 10.1.1.2", 20, 2561, 256, 2561, 258, kProtoO, 19, 20},
      {"O       10.1.1.0 0XFFFFFF00 [110/2] via 10.1.1.2", 20, 2561, 256, 2561, 258, kProtoO, 19, 20},
      {"O       10.1.1.0 [110/2] via 10.1.1.2", 0, 2561, 256, 2561, 258, kProtoO, 0, 0},
      {"O       10.1.1.0/24", 20, 2561, 256, kNone, kNone, kProtoO, 19, 20},  // nor does one ending the line
      // Next hops: end of line is fine, a space or other text after the address is not.
      {"O       10.1.1.0/24 [110/2] via 10.1.1.2 (vrf), 1d", 0, 2561, 256, kNone, kNone, kProtoO, 23, 24},
      // An extra-path line of the splitter parses like its route line, also
      // a static path that ends at its next hop.
      {"O       10.1.1.0/24 [110/2] via 10.1.1.3, 00:00:05, Vlan20 *", 0, 2561, 256, 2561, 259, kProtoO, 23, 24},
      {"S       10.1.1.0/24 [1/0] via 10.1.1.3 *", 0, 2561, 256, 2561, 259, Pack('S', ' ', ' ', ' '), 23, 24},
      {"S       10.1.1.0/24 [1/0] via 10.1.1.3 *x", 0, 2561, 256, kNone, kNone, Pack('S', ' ', ' ', ' '), 23, 24},
      // Nineteen spaces then a destination: a line with a destination.
      {std::string(19, ' ') + "10.1.1.1/24 x", 0, 2561, 257, kNone, kNone, kNotRouteProto, 23, 24},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.line, c.maskBefore), (Parsed{c.destHigh, c.destLow, c.hopHigh, c.hopLow, c.proto,
                                                   c.maskCode, c.maskAfter, TablePart::Destination}))
        << c.line;
  }
  // A stream reading sort results accepts a destination that ends the line.
  EXPECT_EQ(Parse("D       10.1.0.0", 16, Source::SortResult),
            (Parsed{2561, 0, kNone, kNone, Pack('D', ' ', ' ', ' '), 15, 16, TablePart::Destination}));
}

TEST(IosRouteLineStream, NonRouteLines) {
  const std::string lines[] = {
      "Gateway of last resort is not set",
      "",
      std::string(20, ' ') + "10.1.1.1/24 is x",
      "D       10.1.0.0",                          // end of line ends no destination here
      "O       10.1.1.256/24 [110/2] via 10.1.1.2",  // octet above 255
      "O       network [110/2] via 10.1.1.2",      // route start line without destination
      "O+      10.1.1.0/24 [110/2] via 10.1.1.2",  // mark other than space or "*"
      "*       10.1.1.0/24 [110/2] via 10.1.1.2",
      "OE2     10.1.1.0/24 [110/2] via 10.1.1.2",  // column 5 is no space
      "                [110/2] via 10.1.1.3, 00:00:05, Vlan20",  // a folded path
  };
  for (const std::string& line : lines) {
    for (int maskInForce : {0, 24}) {  // MaskCode: no correction at 0
      EXPECT_EQ(Parse(line, maskInForce),
                (Parsed{kNone, kNone, kNone, kNone, kNotRouteProto, maskInForce - 1, maskInForce,
                        TablePart::BeforeFirstRoute}))
          << "[" << line << "]";
    }
  }
}

TEST(IosRouteLineStream, StreamStateAndMaskInheritance) {
  IosRouteLineStream stream1, stream2(Source::Log, 9);
  // A new stream starts before its first route with mask 0; then its lines
  // go to Destination, AfterRoute and back to Destination.
  const std::tuple<const char*, TablePart, int> steps[] = {
      {"Gateway of last resort is not set", TablePart::BeforeFirstRoute, -1},
      {"     10.0.0.0/24 is subnetted, 3 subnets", TablePart::Destination, 23},
      {"C       10.0.1.0 is directly connected, Ethernet0", TablePart::Destination, 23},
      {"", TablePart::AfterRoute, 23},
      {"foo", TablePart::AfterRoute, 23},
      {"C       10.0.2.0 is directly connected, Ethernet0", TablePart::Destination, 23},
  };
  for (const auto& [line, part, maskCode] : steps) {
    const RouteFields f = stream1.Parse(line);
    EXPECT_EQ(std::pair(f.Part, f.MaskCode), std::pair(part, maskCode)) << line;
  }
  // Another stream is untouched by stream 1; a stream that goes on keeps its
  // mask in force.
  EXPECT_EQ(stream2.Parse("C       10.0.3.0 is directly connected, Ethernet0").MaskCode, 8);
  EXPECT_EQ(stream1.MaskInForce(), 24);
  EXPECT_EQ(stream2.MaskInForce(), 9);
}

TEST(EndsAfterDestination, RecognisesWrappedRouteHeads) {
  const std::pair<const char*, bool> cases[] = {
      {"O E2    192.168.10.168", true},
      {"i L2     172.20.2.32/27", true},
      {"O       10.0.0.0 255.255.255.0", true},
      {"O       10.0.0.0 0xFFFFFF00", true},
      {"O       10.0.0.0/24 [110/2] via 10.1.1.2", false},
      {"     10.0.0.0/24", false},  // not a route start line
      {"O       10.0.0", false},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(EndsAfterDestination(line), expected) << line;
}

}  // namespace
}  // namespace tess
