#pragma once

#include <cstdint>
#include <string>

namespace kirivane {

// Recording and playback state (the event table itself lives beside it).
struct PerformanceState {
  int Recording = 0;              // -1 while a performance is recorded
  int Playing = 0;                // -1 while recorded data is played back
  int PlayStop = 0;               // -1 asks playback to end (looping too); 0 at each start
  std::int32_t PlayNextTime = 0;  // playback position, ms of performance time
  std::int32_t PlayIndex = 0;     // index of the next playback event
  float PlaySpeed = 1.0f;
  int MetronomeOn = 0;
  int MetronomeBeat = 0;
  int MetronomeTick = 0;
  int BeatCount = 0;  // metronome beat within the bar
  int PadPressed = 0;
  int PlayInterrupt = 0;  // -1 while playback must not catch up on lateness
  int MidiToLyr = 0;      // header key "#MidiToLyr="
  int LoopOn = 0;         // settings: 1 = loop playback
  std::int32_t ClockTicks = 0;
  std::int32_t ClockTicksSeen = 0;
  int FileFormatVer = 1;  // format version of the performance in memory
  int ClockTime = 12;     // ms per tick of recording and playback
  int ClockSetting = 1;   // settings: "Clock"
  std::string PerformanceData;
  std::uint32_t ClockStart = 0;  // clock value at the start of the current take or pass
  int Tempo = 60;                // beats per minute of the performance in memory
  std::string PerfTitle;         // title and author of the performance (UTF-8)
  std::string PerfAuthor;
  std::int32_t PlayLength = 0;  // upper index of the event columns walked by playback
  std::string LastFilePath;     // settings: path remembered by the file dialogs
};

}  // namespace kirivane
