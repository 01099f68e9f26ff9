// The module kirivane-sounds.so: the player's short sounds through Qt Multimedia.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include "platform/sound/sound_player.h"

namespace kirivane {
namespace {

class QtSoundOutput : public SoundOutput {
 public:
  ~QtSoundOutput() override {
    if (sink_) sink_->stop();
  }

  void Play(const std::int16_t* samples, std::size_t count, int sample_rate) override {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    if (sink_) sink_->stop();
    QAudioFormat format;
    format.setSampleRate(sample_rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return;
    sink_.reset();
    buffer_ = std::make_unique<QBuffer>();
    buffer_->setData(reinterpret_cast<const char*>(samples),
                     static_cast<qsizetype>(count * sizeof(std::int16_t)));
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(buffer_.get());
  }

 private:
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QAudioSink> sink_;
};

}  // namespace
}  // namespace kirivane

extern "C" __attribute__((visibility("default"))) kirivane::SoundOutput*
KirivaneCreateSoundOutput() {
  return new kirivane::QtSoundOutput();
}
