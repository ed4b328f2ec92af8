// The about tab's browser box, as the main window builds it: a real child
// window on a real top-level window, its pixels read back from the screen.
// Under Wine the WebBrowser control exists but has neither a browser engine
// nor a Flash player, so the box draws the movie's scene itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/browser_box.h"
#include "platform/movie_scene.h"

namespace {

constexpr int kBoxX = 6, kBoxY = 26, kBoxW = 336, kBoxH = 152;  // the form's place for it

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// The box's pixels as they are on the screen.
struct Capture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int x, int y) const { return pixels[y * width + x]; }

  static Capture Of(HWND hwnd) {
    Capture c;
    RECT r;
    GetClientRect(hwnd, &r);
    c.width = r.right;
    c.height = r.bottom;
    c.pixels.resize(c.width * c.height);
    HDC screen = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, c.width, c.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < c.pixels.size(); ++i) c.pixels[i] = p[i] & 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, screen);
    return c;
  }

  // Kept beside the test as an artifact: a 32-bit BMP.
  void Save(const char* name) const {
    const char* dir = std::getenv("TALVENOR_SCREENSHOTS");
    const std::string path = std::string(dir && *dir ? dir : ".") + "\\" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = -height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::fwrite(pixels.data(), 4, pixels.size(), f);
    std::fclose(f);
  }
};

// Stage point to box pixel.
POINT InBox(movie::Point stage) {
  const movie::Point o = movie::StageOrigin(kBoxW, kBoxH);
  return {static_cast<LONG>(std::lround(stage.x + o.x)), static_cast<LONG>(std::lround(stage.y + o.y))};
}

bool IsWhite(uint32_t c) { return c == 0xFFFFFF; }

// A ball: white all around its centre, a pixel inside its radius.
bool BallAt(const Capture& c, POINT p) {
  const int r = movie::kBallRadius - 2;
  for (POINT d : {POINT{0, 0}, POINT{r, 0}, POINT{-r, 0}, POINT{0, r}, POINT{0, -r}}) {
    const int x = p.x + d.x, y = p.y + d.y;
    if (x < 0 || y < 0 || x >= c.width || y >= c.height || !IsWhite(c.At(x, y))) return false;
  }
  return true;
}

class MovieBox : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "MovieBoxTestWindow";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, "MovieBoxTestWindow", "movie box", WS_POPUP | WS_VISIBLE, 40, 40,
                              360, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(window_);
    // Stands in for the about tab's page, which the tab control hides and shows.
    page_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 360, 200, window_, nullptr,
                            wc.hInstance, nullptr);
    box_ = static_cast<HWND>(platform::CreateBrowserBox(page_, kBoxX, kBoxY, kBoxW, kBoxH, 1007));
    ASSERT_TRUE(box_);
    SetForegroundWindow(window_);
    Pump(100);
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
  }

  // Mouse messages as the box receives them from a real pointer; the X
  // pointer itself is left alone, other tests may share the display.
  void PointAt(movie::Point stage) {
    const POINT p = InBox(stage);
    PostMessageA(box_, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }
  void PointerLeaves() { PostMessageA(box_, WM_MOUSELEAVE, 0, 0); }

  HWND window_ = nullptr, page_ = nullptr, box_ = nullptr;
};

TEST_F(MovieBox, TheControlIsHandedTheMoviesPathInTheAnsiCodePage) {
  EXPECT_EQ(platform::InspectBrowserBox(box_).address, "") << "a new box has no address";
  const std::string path = "C:\\\xBC\xD3\xC3\xDC\\gy.swf";  // C:\加密\gy.swf in code page 936
  platform::SetBrowserBoxAddress(box_, path);
  Pump(200);
  const platform::BrowserBoxState s = platform::InspectBrowserBox(box_);
  EXPECT_EQ(s.address, path);
  ASSERT_TRUE(s.hostsControl) << "the WebBrowser control was not created";
  EXPECT_EQ(s.navigated, path);
  char text[MAX_PATH] = {};
  GetWindowTextA(box_, text, sizeof text);
  EXPECT_EQ(std::string(text), path);
  EXPECT_TRUE(s.drawsScene) << "no Flash player under Wine: the box draws the scene";
}

TEST_F(MovieBox, NoSceneForAnAddressThatIsNoMovie) {
  platform::SetBrowserBoxAddress(box_, "C:\\readme.txt");
  Pump(100);
  EXPECT_FALSE(platform::InspectBrowserBox(box_).drawsScene);
  EXPECT_FALSE(platform::InspectBrowserBox(box_).animating);
}

TEST_F(MovieBox, DrawsTheStageTheBallsTheStringsAndTheCaption) {
  platform::SetBrowserBoxAddress(box_, "C:\\gy.swf");
  Pump(300);
  const Capture c = Capture::Of(box_);
  c.Save("movie_box.bmp");
  ASSERT_EQ(c.width, kBoxW);

  // The box is smaller than the stage: the stage colour reaches every edge.
  for (POINT p : {POINT{0, 0}, POINT{kBoxW - 1, 0}, POINT{0, kBoxH - 1}, POINT{kBoxW - 1, kBoxH - 1}}) {
    EXPECT_EQ(c.At(p.x, p.y), movie::kStageColour) << p.x << "," << p.y;
  }
  for (int i = 0; i < movie::kBallCount; ++i) EXPECT_TRUE(BallAt(c, InBox(movie::kRest[i]))) << "ball " << i;

  int red = 0, string = 0, whiteAway = 0;
  const int* box = movie::kCaptionBox;
  const POINT c0 = InBox({double(box[0]), double(box[1])});
  const POINT c1 = InBox({double(box[0] + box[2]), double(box[1] + box[3])});
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const uint32_t px = c.At(x, y);
      const int r = px >> 16, g = (px >> 8) & 0xFF, b = px & 0xFF;
      // Dark red: the caption's colour, or a shade of it over the stage.
      if (r > g + 40 && r > b + 20) {
        EXPECT_TRUE(x >= c0.x && x < c1.x && y >= c0.y && y < c1.y) << "red outside the caption at " << x << "," << y;
        ++red;
      }
      if (r < 0x90 && std::abs(r - g) < 8 && std::abs(g - b) < 16) ++string;
      if (IsWhite(px) && y > InBox({0, 200}).y) ++whiteAway;
    }
  }
  EXPECT_GE(red, 30);
  EXPECT_GE(string, 100) << "grey strings below the balls";
  EXPECT_EQ(whiteAway, 0) << "white only where the balls are";
}

TEST_F(MovieBox, ABallFollowsThePointerWithinFiftyPixelsOfItsRest) {
  platform::SetBrowserBoxAddress(box_, "C:\\gy.swf");
  Pump(200);
  const movie::Point rest = movie::kRest[4];
  struct Case {
    const char* label;
    movie::Point pointer;
    bool follows;
  } cases[] = {
      {"55 px below", {rest.x, rest.y + 55}, false},
      {"40 px below", {rest.x, rest.y + 40}, true},
  };
  for (const Case& k : cases) {
    PointAt(k.pointer);
    Pump(2500);  // settles well within this at 40 frames a second
    const Capture c = Capture::Of(box_);
    c.Save(k.follows ? "movie_box_pointer.bmp" : "movie_box_pointer_far.bmp");
    EXPECT_EQ(BallAt(c, InBox(k.pointer)), k.follows) << k.label;
    EXPECT_EQ(BallAt(c, InBox(rest)), !k.follows) << k.label;
    for (int i = 0; i < movie::kBallCount; ++i) {
      if (i == 4) continue;
      EXPECT_TRUE(BallAt(c, InBox(movie::kRest[i]))) << k.label << ": ball " << i << " stays";
    }
  }
  PointerLeaves();  // back to rest
  Pump(2500);
  EXPECT_TRUE(BallAt(Capture::Of(box_), InBox(rest)));
}

TEST_F(MovieBox, TheSceneRunsOnlyWhileTheBoxIsShown) {
  platform::SetBrowserBoxAddress(box_, "C:\\gy.swf");
  Pump(200);
  EXPECT_TRUE(platform::InspectBrowserBox(box_).animating);

  ShowWindow(page_, SW_HIDE);  // another tab chosen: the box itself gets no message
  Pump(200);
  EXPECT_FALSE(platform::InspectBrowserBox(box_).animating);

  ShowWindow(page_, SW_SHOW);
  Pump(200);
  EXPECT_TRUE(platform::InspectBrowserBox(box_).animating);

  ShowWindow(box_, SW_HIDE);
  Pump(100);
  EXPECT_FALSE(platform::InspectBrowserBox(box_).animating);
  ShowWindow(box_, SW_SHOW);
  Pump(200);
  EXPECT_TRUE(platform::InspectBrowserBox(box_).animating);
}

}  // namespace
