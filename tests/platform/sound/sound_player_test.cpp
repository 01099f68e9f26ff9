#include "platform/sound/sound_player.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <fstream>
#include <iterator>
#include <string>

namespace kirivane {
namespace {

bool SoundsModuleLoaded() {
  std::ifstream maps("/proc/self/maps");
  const std::string text((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  return text.find(kSoundsModuleFile) != std::string::npos;
}

// The start pays nothing for sound: the module with Qt Multimedia comes with the first sound
// played (silent where this machine has no audio output), and a sound never added loads nothing.
TEST(SoundPlayer, LoadsItsOutputWithTheFirstSoundPlayed) {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives for the whole test program
  }
  ASSERT_FALSE(SoundsModuleLoaded());
  SoundPlayer sounds;
  sounds.AddSound(7, std::vector<std::int16_t>(4410, 1000), 44100);
  sounds.Play(8);
  EXPECT_FALSE(SoundsModuleLoaded());
  sounds.Play(7);
  EXPECT_TRUE(SoundsModuleLoaded());
  sounds.Play(7);  // cuts off the first
}

}  // namespace
}  // namespace kirivane
