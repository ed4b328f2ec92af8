// Properties of the pure text code, shared by the sanitized checks and the
// fuzzers. Each Check function takes one input, and on a violation prints the
// property and the input bytes and aborts, so that libFuzzer keeps the input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pure {

// Printable form of a byte string: ASCII as is, other bytes as \xNN.
std::string Escaped(std::string_view bytes);

// Walking the text character by character (a byte >= 0x80 takes the next
// byte along) ends exactly at its end: no lead byte is left without a trail.
bool EndsOnBoundary(std::string_view s);

// app::SplitCommandLine on the line; app::SplitModulePath on the path.
void CheckCommandLine(std::string_view line);
void CheckModulePath(std::string_view path);

// lock::FirstLineScanner fed the content whole, and in blocks of the sizes
// of each split (their sum is the content's size; a zero feeds an empty
// block).
void CheckFirstLine(std::string_view content, const std::vector<std::vector<size_t>>& splits);

// platform::SplitRegistryPath.
void CheckRegistryPath(std::string_view path);

// settings::CollapseDoubledBackslashes and settings::MenuCommandText.
void CheckCollapse(std::string_view text, size_t keep);
void CheckMenuCommand(std::string_view runDirectory, std::string_view executableName);
// The verb's command built from a module path through SplitModulePath names
// that module, for every path that could be an executable's.
void CheckCommandOfModule(std::string_view modulePath);

// text::FindFirstSingle, FindLastSingle and HasDot for '.', with the text cut
// in two at `cut` for the laws of concatenation.
void CheckDotSearch(std::string_view s, size_t cut);
// The lock/locked_path texts for an unlocked path.
void CheckLockedPath(std::string_view unlocked);

}  // namespace pure
