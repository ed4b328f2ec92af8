// The scene of the about tab's movie (gy.swf), as the browser box draws it
// itself when no player can show the movie: the values the generator
// (tools/movie/make_movie.py) puts into the movie, and the movie's frame
// script as plain arithmetic. No Windows headers: built natively as well.
#pragma once

#include <array>
#include <cstdint>

namespace movie {

constexpr int kStageWidth = 600;
constexpr int kStageHeight = 400;
constexpr uint32_t kStageColour = 0xBDB7A6;  // 0xRRGGBB
constexpr uint32_t kBallColour = 0xFFFFFF;
constexpr uint32_t kLineColour = 0x333333;
constexpr int kLineAlpha = 50;  // percent
constexpr uint32_t kCaptionColour = 0x9F0039;
constexpr char kCaption[] = "Talvenor by Oskaran";
constexpr int kCaptionBox[4] = {132, 238, 336, 20};  // x, y, width, height
constexpr int kCaptionSize = 12;                     // pixels
constexpr int kBallRadius = 6;
constexpr int kCurveControlX = 300;
constexpr int kCurveControlY = 200;
constexpr int kAnchorMinX = 20;
constexpr int kAnchorSpan = 290;  // anchors lie in 20..309
constexpr int kPullRadius = 50;
constexpr double kDamping = 0.9;
constexpr double kSpring = 0.5;
constexpr int kFrameRate = 40;

struct Point {
  double x;
  double y;
};

constexpr int kBallCount = 10;
constexpr Point kRest[kBallCount] = {{170, 172}, {198, 146}, {228, 186}, {256, 150}, {286, 176},
                                     {314, 140}, {344, 182}, {372, 152}, {402, 178}, {430, 148}};

struct Ball {
  int anchorX;  // on the bottom edge, y = kStageHeight
  Point rest;
  Point position;
  Point velocity;
};

// Where a ball heads this frame: the pointer while it is less than
// kPullRadius from the ball's rest position, else the rest position.
// `pointer` is null when there is none over the movie.
Point Target(const Ball& ball, const Point* pointer);

// One axis of one frame, as the movie's script does it:
// velocity = kDamping * velocity + kSpring * (target - position);
// position += velocity.
void StepAxis(double& position, double& velocity, double target);

// Anchors as the movie draws them when it starts: kAnchorMinX plus a random
// number below kAnchorSpan, from a seed so that a test can repeat them.
std::array<int, kBallCount> RandomAnchors(uint32_t seed);

// Top-left corner of the stage in a box of the given size: an unscaled
// player centres the stage, so a smaller box shows its middle.
Point StageOrigin(int boxWidth, int boxHeight);

class Scene {
 public:
  explicit Scene(const std::array<int, kBallCount>& anchorsX);

  // One frame; `pointer` in stage coordinates, or null. Returns whether
  // anything moved, so that a still scene needs no repainting.
  bool Step(const Point* pointer);

  const std::array<Ball, kBallCount>& Balls() const { return balls_; }

 private:
  std::array<Ball, kBallCount> balls_;
};

}  // namespace movie
