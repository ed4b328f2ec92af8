// The stored password is the first line of mm.dat. The line is scanned block
// by block as the file is read, so a line of any length and a two-byte
// character split between two blocks read the same as in one piece.
#pragma once

#include <string>
#include <string_view>

namespace lock {

class FirstLineScanner {
 public:
  // Takes the next block of the file. False once the line has ended: later
  // blocks would change nothing, so the caller may stop reading.
  bool Feed(std::string_view block);

  // The line read so far, without one trailing carriage return.
  std::string Line() const;

 private:
  std::string line_;
  bool trailPending_ = false;  // the last block ended on a lead byte
  bool ended_ = false;
};

}  // namespace lock
