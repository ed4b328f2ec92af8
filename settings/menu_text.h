// The text rules of the Explorer verb, as plain functions over byte strings
// (no Windows headers), so that table tests and fuzzers reach them natively.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace settings {

// Scans from the left and turns every pair of backslashes into one, so three
// in a row become two and four become two. A byte with its high bit set is
// copied together with the byte after it, so a pair starts only on a
// character boundary. The first `keep` bytes are copied unchanged.
std::string CollapseDoubledBackslashes(std::string_view text, size_t keep = 0);

// The verb's command: "<run directory>\<executable name>" "%1", the quotes
// included, with doubled backslashes collapsed. A run directory on a network
// path (\\server\share) keeps its leading pair: collapsed to one, the command
// would no longer name the executable.
std::string MenuCommandText(std::string_view runDirectory, std::string_view executableName);

}  // namespace settings
