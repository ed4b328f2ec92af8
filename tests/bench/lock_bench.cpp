// Times one lock plus unlock, through the operations and the real file
// functions, by default for folders of 0, 1,000 and 10,000 files. Both are
// one rename and one small file, so nothing of the program's own grows with
// the folder; under Wine creating and looking up a name the folder does not
// hold yet does (the last column).
// Run under Wine: scripts/wine-run.sh build/cmake/tests/win/lock_bench.exe
//   lock_bench [COUNT | COUNT=FOLDER]...
// A COUNT makes a folder of that many files; COUNT=FOLDER times a folder
// made beforehand (scripts/bench.sh makes the big ones from the Unix side:
// under Wine every new name costs a scan of the folder, so 100,000 files
// made one by one would take far longer than the measurement).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_surface.h"
#include "lock_fixture.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace locktest;
  constexpr int kRounds = 9;
  FakeSurface surface;
  RecordingInteraction seam;
  NullProfile profile;
  NullRegistry registry;
  platform::Files& files = platform::RealFiles();
  Context ctx{surface, seam, files, profile, registry, Program{}};

  // The last column is Wine's own price for a name the folder does not hold
  // yet (a case-insensitive scan of the folder): creating and deleting one
  // file, which the lock cannot do without.
  std::printf("%8s  %10s  %10s  %14s  %16s   (medians of %d, ms)\n", "files", "lock", "unlock",
              "lock+unlock", "new file alone", kRounds);
  std::vector<std::string> cases(argv + 1, argv + argc);
  if (cases.empty()) cases = {"0", "1000", "10000"};
  for (const std::string& arg : cases) {
    const int count = std::atoi(arg.c_str());
    const size_t equals = arg.find('=');
    TempRoot root;
    std::string folder = root.path() + "\\bench";
    if (equals != std::string::npos) {
      folder = arg.substr(equals + 1);
    } else {
      MakeDir(folder);
      for (int i = 0; i < count; ++i) {
        WriteBytes(folder + "\\file" + std::to_string(i) + ".txt", "some content\r\n");
      }
    }
    if (!IsDir(folder) || NamesIn(folder).size() != static_cast<size_t>(count)) {
      std::printf("%s does not hold %d entries\n", folder.c_str(), count);
      return 1;
    }
    std::vector<double> lock, unlock, both, newFile;
    for (int round = 0; round < kRounds; ++round) {
      LARGE_INTEGER t0, t1, t2, t3, t4;
      surface.texts["加密_路径"] = folder;
      surface.texts["加密_密码"] = surface.texts["加密_密码2"] = "abc";
      QueryPerformanceCounter(&t0);
      LockFolder(ctx);
      QueryPerformanceCounter(&t1);
      surface.texts["解密_路径"] = folder + ".";
      surface.texts["解密_密码"] = "abc";
      UnlockFolder(ctx);
      QueryPerformanceCounter(&t2);
      if (!seam.messages.empty() || !IsDir(folder) || IsFile(folder + "\\mm.dat")) {
        std::printf("round %d with %d files did not lock and unlock cleanly\n", round, count);
        return 1;
      }
      QueryPerformanceCounter(&t3);
      files.WriteAll(folder + "\\probe.tmp", "abc");
      files.Delete(folder + "\\probe.tmp");
      QueryPerformanceCounter(&t4);
      lock.push_back(Milliseconds(t0, t1));
      unlock.push_back(Milliseconds(t1, t2));
      both.push_back(Milliseconds(t0, t2));
      newFile.push_back(Milliseconds(t3, t4));
    }
    std::printf("%8d  %10.3f  %10.3f  %14.3f  %16.3f\n", count, Median(lock), Median(unlock),
                Median(both), Median(newFile));
  }
  return 0;
}
