// The movie on the real main window: ShowMovie through the window's own
// control surface, the about tab chosen, the box's pixels read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/form.h"
#include "doubles.h"
#include "platform/browser_box.h"
#include "platform/context.h"
#include "platform/movie_scene.h"
#include "platform/window.h"
#include "resources/movie.h"

namespace {

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    platform::PumpMessages();
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

COLORREF Pixel(HWND w, int x, int y) {
  HDC dc = GetDC(w);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(w, dc);
  return c;
}

uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

TEST(AboutTab, ShowsTheMovieSceneOnlyWhileItIsTheCurrentTab) {
  platform::FormWindow window{app::MainForm(), platform::WindowEvents{}};
  ASSERT_TRUE(window.Load(true));
  HWND main = static_cast<HWND>(window.WindowHandle(nullptr));
  SetForegroundWindow(main);
  HWND box = static_cast<HWND>(window.WindowHandle(resources::kMovieBox));
  ASSERT_TRUE(box);

  testing_doubles::RecordingInteraction interaction;
  testing_doubles::NullFiles files;
  testing_doubles::NullProfile profile;
  testing_doubles::NullRegistry registry;
  Context ctx{window, interaction, files, profile, registry, Program{"C:\\run", "Talvenor.exe"}};
  resources::ShowMovie(ctx);
  Pump(200);
  EXPECT_EQ(platform::InspectBrowserBox(box).address, "C:\\run\\gy.swf");
  EXPECT_EQ(platform::InspectBrowserBox(box).navigated, "C:\\run\\gy.swf");
  EXPECT_FALSE(platform::InspectBrowserBox(box).animating) << "the start tab is current";

  window.SetCurrentTab(5);
  Pump(300);
  ASSERT_TRUE(IsWindowVisible(box));
  EXPECT_TRUE(platform::InspectBrowserBox(box).animating);
  RECT r;
  GetClientRect(box, &r);
  EXPECT_EQ(Rgb(Pixel(box, 1, 1)), movie::kStageColour);
  EXPECT_EQ(Rgb(Pixel(box, r.right - 2, r.bottom - 2)), movie::kStageColour);
  const movie::Point o = movie::StageOrigin(r.right, r.bottom);
  for (int i = 0; i < movie::kBallCount; ++i) {
    const movie::Point p = movie::kRest[i];
    EXPECT_EQ(Rgb(Pixel(box, int(p.x + o.x), int(p.y + o.y))), movie::kBallColour) << "ball " << i;
  }

  window.SetCurrentTab(0);
  Pump(200);
  EXPECT_FALSE(IsWindowVisible(box));
  EXPECT_FALSE(platform::InspectBrowserBox(box).animating);
  window.Destroy();
}

}  // namespace
