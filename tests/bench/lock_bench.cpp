// Times one lock plus unlock, through the operations and the real file
// functions, for folders of 0, 1,000 and 10,000 files. Both are one rename
// and one small file, so the figures should not grow with the folder.
// Run under Wine: scripts/wine-run.sh build/cmake/tests/win/lock_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
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

int main() {
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
  for (int count : {0, 1000, 10000}) {
    TempRoot root;
    const std::string folder = root.path() + "\\bench";
    MakeDir(folder);
    for (int i = 0; i < count; ++i) {
      WriteBytes(folder + "\\file" + std::to_string(i) + ".txt", "some content\r\n");
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
