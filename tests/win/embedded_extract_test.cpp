// Extraction of the carried files into a real run directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "resources/embedded.h"
#include "resources_doubles.h"

using namespace testing_resources;

namespace {

const EmbeddedFile* const kAll[] = {&SkinEngineFile(), &SkinFile(), &MovieFile()};

std::string Name(const EmbeddedFile& file) { return std::string(file.tail + 1); }

void ExtractAll(Context& ctx) {
  for (const EmbeddedFile* file : kAll) ExtractEmbeddedFile(ctx, *file);
}

// The bytes the build produced for each carried file.
std::string BuildBytes(const EmbeddedFile& file) {
  if (&file == &SkinEngineFile()) return FileBytes(BuildFile(TALVENOR_TEST_SKIN_ENGINE_DLL));
  if (&file == &SkinFile()) return FileBytes(BuildFile(TALVENOR_TEST_SKIN_FILE));
  return FileBytes(BuildFile(TALVENOR_TEST_MOVIE_SWF));
}

FILETIME WriteTime(const std::string& path) {
  FILETIME t = {};
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) t = data.ftLastWriteTime;
  return t;
}

// Far in the past, so that any rewrite would show.
void AgeFile(const std::string& path) {
  SYSTEMTIME st = {2001, 1, 1, 1, 12, 0, 0, 0};
  FILETIME old;
  SystemTimeToFileTime(&st, &old);
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  SetFileTime(h, nullptr, nullptr, &old);
  CloseHandle(h);
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

TEST(EmbeddedContent, CarriesTheBuildsFiles) {
  const struct {
    const EmbeddedFile& file;
    const char* tail;
    const char* magic;
  } rows[] = {{SkinEngineFile(), "\\SkinH_EL.dll", "MZ"}, {SkinFile(), "\\skin.she", ".SHE"},
              {MovieFile(), "\\gy.swf", "CWS\x06"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tail);
    EXPECT_STREQ(row.file.tail, row.tail);
    const std::string_view content = row.file.Content();
    ASSERT_FALSE(content.empty());
    EXPECT_EQ(content.substr(0, std::string_view(row.magic).size()), row.magic);
    EXPECT_EQ(std::string(content), BuildBytes(row.file));
  }
}

struct ExtractRow {
  const char* label;
  std::function<void(const TempDir& dir, Context& ctx)> prepare;
  std::vector<const EmbeddedFile*> written;  // in extraction order
};

TEST(ExtractEmbeddedFile, WritesOnlyWhatIsMissing) {
  const ExtractRow rows[] = {
      {"empty run directory", [](const TempDir&, Context&) {}, {&SkinEngineFile(), &SkinFile(), &MovieFile()}},
      {"second start", [](const TempDir&, Context& ctx) { ExtractAll(ctx); }, {}},
      {"only gy.swf deleted",
       [](const TempDir& dir, Context& ctx) {
         ExtractAll(ctx);
         DeleteFileA((dir / "gy.swf").c_str());
       },
       {&MovieFile()}},
      {"a directory named skin.she",
       [](const TempDir& dir, Context&) { CreateDirectoryA((dir / "skin.she").c_str(), nullptr); },
       {&SkinEngineFile(), &MovieFile()}},
      {"older files of other content",
       [](const TempDir& dir, Context&) {
         WriteWholeFile(dir / "SkinH_EL.dll", "an older library");
         WriteWholeFile(dir / "skin.she", "");
       },
       {&MovieFile()}},
  };
  for (const ExtractRow& row : rows) {
    SCOPED_TRACE(row.label);
    TempDir dir;
    RecordingFiles files;
    TestContext test(dir.path(), &files);
    row.prepare(dir, test.ctx);

    // What is there before the start, aged so that a rewrite would show.
    struct Before {
      bool present;
      std::string bytes;
      FILETIME time;
    } before[3];
    for (int i = 0; i < 3; ++i) {
      const std::string path = dir / Name(*kAll[i]);
      before[i].present = files.Win32Files::Exists(path);
      if (before[i].present && !IsDirectory(path)) {
        AgeFile(path);
        before[i].bytes = FileBytes(path);
      }
      before[i].time = WriteTime(path);
    }
    files.writeCalls.clear();

    ExtractAll(test.ctx);

    std::vector<std::string> expected;
    for (const EmbeddedFile* file : row.written) expected.push_back(dir.path() + file->tail);
    EXPECT_EQ(files.writeCalls, expected);
    for (int i = 0; i < 3; ++i) {
      const EmbeddedFile& file = *kAll[i];
      const std::string path = dir / Name(file);
      SCOPED_TRACE(path);
      const bool written = std::find(row.written.begin(), row.written.end(), &file) != row.written.end();
      if (written) {
        EXPECT_EQ(FileBytes(path), BuildBytes(file));
      } else if (IsDirectory(path)) {
        EXPECT_TRUE(before[i].present);  // still the directory it was
      } else {
        EXPECT_EQ(FileBytes(path), before[i].bytes);
        EXPECT_TRUE(SameTime(WriteTime(path), before[i].time));
      }
    }
    EXPECT_TRUE(test.interaction.messages.empty());
  }
}

// Root cannot create files in /proc either: a run directory that exists and
// refuses every write, which a read-only attribute cannot give under Wine.
TEST(ExtractEmbeddedFile, ReadOnlyRunDirectoryFailsSilently) {
  const std::string dir = "Z:\\proc";
  ASSERT_TRUE(IsDirectory(dir));
  ASSERT_FALSE(Win32Files().WriteAll(dir + "\\probe.txt", "x")) << "the folder must refuse writes";

  RecordingFiles files;
  TestContext test(dir, &files);
  ExtractAll(test.ctx);

  EXPECT_EQ(files.writeCalls.size(), 3u);  // each one tried, none made
  for (bool ok : files.writeResults) EXPECT_FALSE(ok);
  for (const EmbeddedFile* file : kAll) EXPECT_FALSE(files.Win32Files::Exists(dir + file->tail));
  EXPECT_TRUE(test.interaction.messages.empty());
}

// The tail brings the only separator, also at a drive root ("D:").
TEST(ExtractEmbeddedFile, PathsAtADriveRoot) {
  class NothingThere : public RecordingFiles {
   public:
    bool Exists(const std::string& path) override {
      existsCalls.push_back(path);
      return false;
    }
    bool WriteAll(const std::string& path, std::string_view) override {
      writeCalls.push_back(path);
      return true;
    }
  } files;
  TestContext test("D:", &files);
  ExtractAll(test.ctx);
  const std::vector<std::string> paths = {"D:\\SkinH_EL.dll", "D:\\skin.she", "D:\\gy.swf"};
  EXPECT_EQ(files.existsCalls, paths);
  EXPECT_EQ(files.writeCalls, paths);
}

}  // namespace
