#include "platform/movie_scene.h"

#include <cmath>

namespace movie {

Point Target(const Ball& ball, const Point* pointer) {
  if (pointer) {
    const double dx = pointer->x - ball.rest.x;
    const double dy = pointer->y - ball.rest.y;
    if (dx * dx + dy * dy < kPullRadius * kPullRadius) return *pointer;
  }
  return ball.rest;
}

void StepAxis(double& position, double& velocity, double target) {
  velocity = velocity * kDamping + (target - position) * kSpring;
  position += velocity;
}

std::array<int, kBallCount> RandomAnchors(uint32_t seed) {
  std::array<int, kBallCount> out{};
  uint32_t state = seed;
  for (int& x : out) {
    state = state * 1664525u + 1013904223u;
    x = kAnchorMinX + static_cast<int>((state >> 16) % kAnchorSpan);
  }
  return out;
}

Point StageOrigin(int boxWidth, int boxHeight) {
  return {std::floor((boxWidth - kStageWidth) / 2.0), std::floor((boxHeight - kStageHeight) / 2.0)};
}

Scene::Scene(const std::array<int, kBallCount>& anchorsX) {
  for (int i = 0; i < kBallCount; ++i) {
    balls_[i] = Ball{anchorsX[i], kRest[i], kRest[i], {0, 0}};
  }
}

bool Scene::Step(const Point* pointer) {
  // Below this a ball is where it is heading: snapping it there lets the
  // scene come to a stop instead of creeping closer for ever.
  constexpr double kStill = 0.01;
  bool moved = false;
  for (Ball& b : balls_) {
    const Point target = Target(b, pointer);
    const bool settled = std::fabs(b.velocity.x) < kStill && std::fabs(b.velocity.y) < kStill &&
                         std::fabs(target.x - b.position.x) < kStill &&
                         std::fabs(target.y - b.position.y) < kStill;
    if (settled) {
      moved = moved || b.position.x != target.x || b.position.y != target.y;
      b.position = target;
      b.velocity = {0, 0};
      continue;
    }
    StepAxis(b.position.x, b.velocity.x, target.x);
    StepAxis(b.position.y, b.velocity.y, target.y);
    moved = true;
  }
  return moved;
}

}  // namespace movie
