#include "platform/sound/sound_player.h"

#include <QBuffer>

#ifdef KIRIVANE_HAVE_QT_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#endif

namespace kirivane {

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() {
#ifdef KIRIVANE_HAVE_QT_MULTIMEDIA
  if (sink_) sink_->stop();
#endif
}

void SoundPlayer::AddSound(int resource, std::vector<std::int16_t> samples, int sample_rate) {
  sounds_[resource] = {std::move(samples), sample_rate};
}

void SoundPlayer::Play(int resource) {
#ifdef KIRIVANE_HAVE_QT_MULTIMEDIA
  const auto found = sounds_.find(resource);
  if (found == sounds_.end() || found->second.samples.empty()) return;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return;
  if (sink_) sink_->stop();
  QAudioFormat format;
  format.setSampleRate(found->second.sample_rate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return;
  const auto& samples = found->second.samples;
  buffer_ = std::make_unique<QBuffer>();
  buffer_->setData(reinterpret_cast<const char*>(samples.data()),
                   static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
  buffer_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device, format);
  sink_->start(buffer_.get());
#else
  (void)resource;
#endif
}

}  // namespace kirivane
