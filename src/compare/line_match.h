// Whether two route-block lines of a table pair say the same thing.
#pragma once

#include <string>
#include <vector>

namespace tess {

/// Lines a (log 1, block mask code maskCode1) and b (log 2, maskCode2) match
/// when they are equal, when they differ only in a mask written out on one
/// side ("/" and the other block's mask length inserted where the "/"
/// stands), or when one has one more space after its route code.
bool LinesMatch(const std::string& a, const std::string& b, int maskCode1, int maskCode2);

/// Lines of tables read as route blocks match when they are equal once
/// every IPv6 address in them is written the same way (FE80::1 = fe80::1).
bool LinesMatchAsNumbers(const std::string& a, const std::string& b);

/// Blocks are equal when they have as many lines and each pair matches.
bool BlocksMatch(const std::vector<std::string>& a, const std::vector<std::string>& b,
                 int maskCode1, int maskCode2);

}  // namespace tess
