#include "sorter/parse_route_line.h"

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

const std::string S7(7, ' ');
constexpr int32_t kProtoC = 141037600;   // "C   "
constexpr int32_t kProtoO = 166203424;   // "O   "
constexpr int32_t kProtoS = 174755872;   // "S*  "
// The protocol code of four characters: 7 bits each, the first highest.
constexpr int32_t Pack(char a, char b, char c, char d) { return ((a * 128 + b) * 128 + c) * 128 + d; }
constexpr int32_t kNone = 65535;

struct LineCase {
  std::string line;
  int maskBefore;  // mask in force of the stream when the line comes
  int32_t destHigh, destLow, hopHigh, hopLow, proto;
  int maskCode;
  int maskAfter;
};

TEST(ParseRouteLine, FieldsOfSingleLines) {
  const LineCase cases[] = {
      {"C" + S7 + "10.1.1.0/24 is directly connected, Ethernet0", 0, 2561, 256, 0, 0, kProtoC, 23, 24},
      {"     10.0.0.0/24 is subnetted, 3 subnets", 8, 2560, 0, 0, 0, kNotRouteProto, 23, 24},
      {"     10.0.0.0 255.255.255.0 is subnetted, 3 subnets", 8, 2560, 0, 0, 0, kNotRouteProto, 23, 24},
      {"     10.0.0.0 0xFFFFFF00 is subnetted, 3 subnets", 8, 2560, 0, 0, 0, kNotRouteProto, 23, 24},
      {"O" + S7 + "10.1.2.0 [110/20] via 10.1.1.2, 00:00:12, Ethernet0", 24, 2561, 512, 2561, 258, kProtoO, 23, 24},
      {"S*   0.0.0.0/0 [1/0] via 192.168.0.1", 24, 0, 0, 49320, 1, kProtoS, 0, 0},
      {"O E2    10.2.0.0/16 [110/20] via 10.1.1.2", 0, 2562, 0, 2561, 258, 166208178, 15, 16},
      // Hexadecimal and dotted masks, contiguous or not.
      {"C       10.0.0.0 0xffff8000 is directly connected, Vlan1", 0, 2560, 0, 0, 0, kProtoC, 16, 17},
      {"C       10.0.0.1 0xFFFFFFFF is directly connected, Vlan1", 0, 2560, 1, 0, 0, kProtoC, 31, 32},
      {"C       10.0.0.0 255.0.255.0 is directly connected, Vlan1", 0, 2560, 0, 0, 0, kProtoC, 15, 16},
      {"S       10.0.0.0 0.0.0.0 [1/0] via 10.9.9.9", 20, 2560, 0, 2569, 2313, Pack('S', ' ', ' ', ' '), 0, 0},
      // Masks that do not count: the line keeps the mask in force.
      {"O       10.1.1.0/33 [110/2] via 10.1.1.2", 20, 2561, 256, 2561, 258, kProtoO, 19, 20},
      {"O       10.1.1.0/24", 20, 2561, 256, kNone, kNone, kProtoO, 19, 20},
      {"O       10.1.1.0 255.255.255.0", 20, 2561, 256, kNone, kNone, kProtoO, 19, 20},
      {"O       10.1.1.0 255.255.255.1 [110/2] via 10.1.1.2", 20, 2561, 256, 2561, 258, kProtoO, 19, 20},
      {"O       10.1.1.0 0XFFFFFF00 [110/2] via 10.1.1.2", 20, 2561, 256, 2561, 258, kProtoO, 19, 20},
      {"O       10.1.1.0 [110/2] via 10.1.1.2", 0, 2561, 256, 2561, 258, kProtoO, 0, 0},
      // Next hops: end of line is fine, a space after the address is not.
      {"O       10.1.1.0/24 [110/2] via 10.1.1.2", 0, 2561, 256, 2561, 258, kProtoO, 23, 24},
      {"O       10.1.1.0/24 [110/2] via 10.1.1.2 (vrf), 1d", 0, 2561, 256, kNone, kNone, kProtoO, 23, 24},
      {"B       10.1.1.0/24 [200/0] via 2109:1::2 (red:ipv6), 1d", 0, 2561, 256, kNone, kNone, Pack('B', ' ', ' ', ' '), 23, 24},
      // An extra-path line of the splitter parses like its route line.
      {"O       10.1.1.0/24 [110/2] via 10.1.1.3, 00:00:05, Vlan20 *", 0, 2561, 256, 2561, 259, kProtoO, 23, 24},
      // ... also a static path that ends at its next hop.
      {"S       10.1.1.0/24 [1/0] via 10.1.1.3 *", 0, 2561, 256, 2561, 259, Pack('S', ' ', ' ', ' '), 23, 24},
      {"S       10.1.1.0/24 [1/0] via 10.1.1.3 *x", 0, 2561, 256, kNone, kNone, Pack('S', ' ', ' ', ' '), 23, 24},
      // Nineteen spaces then a destination: a line with a destination.
      {std::string(19, ' ') + "10.1.1.1/24 x", 0, 2561, 257, kNone, kNone, kNotRouteProto, 23, 24},
  };
  for (const LineCase& c : cases) {
    ParserState state;
    state.CurrentMaskLen[1] = c.maskBefore;
    RouteFields f;
    int lineState = kBeforeFirstRoute;
    ParseRouteLine(c.line, 1, f, lineState, state);
    SCOPED_TRACE(c.line);
    EXPECT_EQ(f.DestHigh, c.destHigh);
    EXPECT_EQ(f.DestLow, c.destLow);
    EXPECT_EQ(f.HopHigh, c.hopHigh);
    EXPECT_EQ(f.HopLow, c.hopLow);
    EXPECT_EQ(f.ProtoCode, c.proto);
    EXPECT_EQ(f.MaskCode, c.maskCode);
    EXPECT_EQ(state.CurrentMaskLen[1], c.maskAfter);
    EXPECT_EQ(lineState, kDestinationLine);
  }
}

TEST(ParseRouteLine, NonRouteLines) {
  const std::string lines[] = {
      "Gateway of last resort is not set",
      "",
      "Codes: L - local, C - connected, S - static, R - RIP, M - mobile, B - BGP",
      std::string(20, ' ') + "10.1.1.1",
      std::string(20, ' ') + "10.1.1.1/24 is x",
      "D       10.1.0.0",                          // end of line ends no destination here
      "O       10.1.1.256/24 [110/2] via 10.1.1.2",  // octet above 255
      "O       10.1.1.1000/24 [110/2] via 10.1.1.2",
      "O       network [110/2] via 10.1.1.2",      // route start line without destination
      "O+      10.1.1.0/24 [110/2] via 10.1.1.2",  // mark other than space or "*"
      "*       10.1.1.0/24 [110/2] via 10.1.1.2",
      "OE2     10.1.1.0/24 [110/2] via 10.1.1.2",  // column 5 is no space
      "                [110/2] via 10.1.1.3, 00:00:05, Vlan20",  // a folded path
      "Router#",
  };
  for (const std::string& line : lines) {
    for (int maskInForce : {0, 24}) {
      ParserState state;
      state.CurrentMaskLen[1] = maskInForce;
      RouteFields f;
      int lineState = kBeforeFirstRoute;
      ParseRouteLine(line, 1, f, lineState, state);
      SCOPED_TRACE("[" + line + "]");
      EXPECT_EQ(f.DestHigh, kNone);
      EXPECT_EQ(f.DestLow, kNone);
      EXPECT_EQ(f.HopHigh, kNone);
      EXPECT_EQ(f.HopLow, kNone);
      EXPECT_EQ(f.ProtoCode, kNotRouteProto);
      EXPECT_EQ(f.MaskCode, maskInForce - 1);  // no correction at 0
      EXPECT_EQ(state.CurrentMaskLen[1], maskInForce);
      EXPECT_EQ(lineState, kBeforeFirstRoute);
    }
  }
}

TEST(ParseRouteLine, ResultReadModeAcceptsADestinationThatEndsTheLine) {
  ParserState state;
  state.ResultReadMode = true;
  state.CurrentMaskLen[2] = 16;
  RouteFields f;
  int lineState = kBeforeFirstRoute;
  ParseRouteLine("D       10.1.0.0", 2, f, lineState, state);
  EXPECT_EQ(f.DestHigh, 2561);
  EXPECT_EQ(f.DestLow, 0);
  EXPECT_EQ(f.MaskCode, 15);
  EXPECT_EQ(f.ProtoCode, Pack('D', ' ', ' ', ' '));
  EXPECT_EQ(lineState, kDestinationLine);
}

TEST(ParseRouteLine, StreamStateAndMaskInheritance) {
  ParserState state;
  state.CurrentMaskLen = {5, 7, 9};
  int ls1 = kStreamStart, ls2 = kBeforeFirstRoute;
  RouteFields f;
  // LineState: 0 starts the stream (mask 0), then 1, 2, 3 and back to 2.
  ParseRouteLine("Gateway of last resort is not set", 1, f, ls1, state);
  EXPECT_EQ(ls1, kBeforeFirstRoute);
  EXPECT_EQ(f.MaskCode, -1);
  ParseRouteLine("     10.0.0.0/24 is subnetted, 3 subnets", 1, f, ls1, state);
  EXPECT_EQ(ls1, kDestinationLine);
  ParseRouteLine("C       10.0.1.0 is directly connected, Ethernet0", 1, f, ls1, state);
  EXPECT_EQ(f.MaskCode, 23);
  ParseRouteLine("", 1, f, ls1, state);
  EXPECT_EQ(ls1, kAfterRoute);
  EXPECT_EQ(f.MaskCode, 23);
  ParseRouteLine("foo", 1, f, ls1, state);
  EXPECT_EQ(ls1, kAfterRoute);
  ParseRouteLine("C       10.0.2.0 is directly connected, Ethernet0", 1, f, ls1, state);
  EXPECT_EQ(ls1, kDestinationLine);
  // The other streams are untouched by stream 1.
  EXPECT_EQ(state.CurrentMaskLen[0], 5);
  EXPECT_EQ(state.CurrentMaskLen[2], 9);
  // A stream continued with LineState 1 keeps its mask in force.
  ParseRouteLine("C       10.0.3.0 is directly connected, Ethernet0", 2, f, ls2, state);
  EXPECT_EQ(f.MaskCode, 8);
  EXPECT_EQ(state.CurrentMaskLen[1], 24);
}

TEST(EndsAfterDestination, RecognisesWrappedRouteHeads) {
  const std::pair<const char*, bool> cases[] = {
      {"O E2    192.168.10.168", true},
      {"i L2     172.20.2.32/27", true},
      {"O       10.0.0.0 255.255.255.0", true},
      {"O       10.0.0.0 0xFFFFFF00", true},
      {"O       10.0.0.0/24 [110/2] via 10.1.1.2", false},
      {"O       10.0.0.0/", false},
      {"     10.0.0.0/24", false},  // not a route start line
      {"O       10.0.0", false},
      {"Gateway of last resort is 10.0.0.1", false},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(EndsAfterDestination(line), expected) << line;
}

}  // namespace
}  // namespace tess
