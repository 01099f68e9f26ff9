#pragma once

#include <random>

namespace kirivane {

// The program's general-purpose random source: fractions in [0, 1).
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual double NextFraction() = 0;
};

// The real one, seeded from the system's entropy. The application owns it.
class StdRandomSource : public RandomSource {
 public:
  StdRandomSource() : engine_(std::random_device{}()) {}
  double NextFraction() override {
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
  }

 private:
  std::mt19937 engine_;
};

}  // namespace kirivane
