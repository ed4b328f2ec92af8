// The scene model behind the box's own drawing of the movie: the frame
// script's rule, as a table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/movie_scene.h"

namespace {

using movie::Point;

TEST(MovieScene, TargetIsThePointerOnlyWithinThePullRadiusOfTheRestPosition) {
  const movie::Ball ball{100, {200, 150}, {260, 150}, {0, 0}};  // displaced: the test is on rest
  struct Case {
    const char* label;
    bool pointer;
    Point at;
    Point expected;
  } cases[] = {
      {"no pointer", false, {0, 0}, {200, 150}},
      {"on the rest position", true, {200, 150}, {200, 150}},
      {"49.9 px away", true, {249.9, 150}, {249.9, 150}},
      {"exactly 50 px away", true, {200, 200}, {200, 150}},
      {"diagonal 30-40-50", true, {230, 190}, {200, 150}},
      {"diagonal just inside", true, {229.9, 189.9}, {229.9, 189.9}},
      {"near the ball but far from rest", true, {262, 150}, {200, 150}},
  };
  for (const Case& c : cases) {
    const Point t = movie::Target(ball, c.pointer ? &c.at : nullptr);
    EXPECT_DOUBLE_EQ(t.x, c.expected.x) << c.label;
    EXPECT_DOUBLE_EQ(t.y, c.expected.y) << c.label;
  }
}

TEST(MovieScene, StepIsNinetyPercentOfTheVelocityPlusHalfTheDistance) {
  struct Case {
    double position, velocity, target;
    double newVelocity, newPosition;
  } cases[] = {
      {0, 0, 10, 5, 5},
      {5, 5, 10, 7, 12},      // 0.9 * 5 + 0.5 * 5
      {12, 7, 10, 5.3, 17.3},  // overshoots, then swings back
      {10, 0, 10, 0, 10},
      {10, -2, 10, -1.8, 8.2},
      {-4, 0, -10, -3, -7},
  };
  for (const Case& c : cases) {
    double p = c.position, v = c.velocity;
    movie::StepAxis(p, v, c.target);
    EXPECT_NEAR(v, c.newVelocity, 1e-12) << c.position << " " << c.velocity << " " << c.target;
    EXPECT_NEAR(p, c.newPosition, 1e-12) << c.position << " " << c.velocity << " " << c.target;
  }
}

TEST(MovieScene, ABallSettlesOnThePointerAndReturnsToRestWhenItGoes) {
  movie::Scene scene(movie::RandomAnchors(1));
  const Point rest = movie::kRest[4];
  const Point pointer{rest.x, rest.y + 40};
  int frames = 0;
  while (scene.Step(&pointer) && frames < 1000) ++frames;
  ASSERT_LT(frames, 1000) << "never came to a stop";
  EXPECT_DOUBLE_EQ(scene.Balls()[4].position.x, pointer.x);
  EXPECT_DOUBLE_EQ(scene.Balls()[4].position.y, pointer.y);
  for (int i = 0; i < movie::kBallCount; ++i) {
    if (i == 4) continue;
    EXPECT_DOUBLE_EQ(scene.Balls()[i].position.x, movie::kRest[i].x) << i;
    EXPECT_DOUBLE_EQ(scene.Balls()[i].position.y, movie::kRest[i].y) << i;
  }
  // Within the first second at 40 frames a second it is most of the way.
  movie::Scene fresh(movie::RandomAnchors(1));
  for (int f = 0; f < movie::kFrameRate; ++f) fresh.Step(&pointer);
  EXPECT_LT(std::hypot(fresh.Balls()[4].position.x - pointer.x, fresh.Balls()[4].position.y - pointer.y), 8);

  while (scene.Step(nullptr) && frames < 2000) ++frames;
  EXPECT_DOUBLE_EQ(scene.Balls()[4].position.x, rest.x);
  EXPECT_DOUBLE_EQ(scene.Balls()[4].position.y, rest.y);
  EXPECT_FALSE(scene.Step(nullptr)) << "a still scene reports no movement";
}

TEST(MovieScene, AnchorsLieOnTheBottomEdgeBetween20And309) {
  int low = 1000, high = -1;
  for (uint32_t seed = 0; seed < 500; ++seed) {
    for (int x : movie::RandomAnchors(seed)) {
      low = std::min(low, x);
      high = std::max(high, x);
    }
  }
  EXPECT_EQ(low, 20);
  EXPECT_EQ(high, 309);
  EXPECT_NE(movie::RandomAnchors(1), movie::RandomAnchors(2));
}

TEST(MovieScene, TheStageIsCentredUnscaledInTheBox) {
  struct Case {
    int w, h;
    double x, y;
  } cases[] = {{336, 152, -132, -124}, {600, 400, 0, 0}, {900, 600, 150, 100}, {335, 151, -133, -125}};
  for (const Case& c : cases) {
    const Point o = movie::StageOrigin(c.w, c.h);
    EXPECT_EQ(o.x, c.x) << c.w << "x" << c.h;
    EXPECT_EQ(o.y, c.y) << c.w << "x" << c.h;
  }
}

}  // namespace
