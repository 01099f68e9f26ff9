#include "platform/sound/output_volume.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <regex>
#include <string>

namespace kirivane {

namespace {

// What `pactl` prints for the arguments; nothing when it does not run or fails within a second.
std::optional<std::string> Pactl(const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(QStringLiteral("pactl"));
  if (program.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(1000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    process.kill();
    return std::nullopt;
  }
  return process.readAllStandardOutput().toStdString();
}

}  // namespace

std::optional<int> OutputVolumeFromPactl(std::string_view mute_text, std::string_view volume_text) {
  if (mute_text.find("Mute: yes") != std::string_view::npos) return 0;
  static const std::regex percent(R"((\d{1,6})%)");
  std::optional<int> loudest;
  const std::string volume(volume_text);
  for (auto it = std::sregex_iterator(volume.begin(), volume.end(), percent);
       it != std::sregex_iterator(); ++it) {
    const int value = std::stoi((*it)[1].str());
    loudest = std::max(loudest.value_or(0), value);
  }
  return loudest;
}

std::optional<int> DefaultOutputVolume() {
  const QString sink = QStringLiteral("@DEFAULT_SINK@");
  const auto mute = Pactl({QStringLiteral("get-sink-mute"), sink});
  const auto volume = Pactl({QStringLiteral("get-sink-volume"), sink});
  if (!mute || !volume) return std::nullopt;
  return OutputVolumeFromPactl(*mute, *volume);
}

}  // namespace kirivane
