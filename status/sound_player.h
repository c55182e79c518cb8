#pragma once

#include "status/watcher_rule.h"

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <string>

class QAudioSink;

namespace vkr {

// Where the watcher's alert sounds go.
class SoundSink {
public:
    virtual void play(const WatcherSound& sound) = 0;

protected:
    ~SoundSink() = default;
};

// At most this much of a sound plays: a longer file is cut, so that no alert holds more.
inline constexpr int maxSoundSeconds = 30;

// The length of the sound in file, in seconds; 0 when it is not a sound libsndfile reads.
double soundSeconds(const std::string& file);

// A sound decoded to 16-bit samples, interleaved.
struct DecodedSound {
    int rate = 0;
    int channels = 0;
    QByteArray samples;
};

// Plays a sound asynchronously on the default audio output: the built-in chime or a WAV file
// (any file libsndfile reads), its first maxSoundSeconds at most. The file is read and decoded
// on a thread of the player's own, so the caller never waits for it; the samples are let go
// once they have played. A new sound replaces one still playing or still being decoded. A file
// that is missing or is not a sound plays nothing and reports nothing.
class SoundPlayer : public QObject, public SoundSink {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* owner = nullptr);
    ~SoundPlayer() override;

    void play(const WatcherSound& sound) override;

    // The bytes of decoded sound held now (the samples being played, or none).
    qsizetype heldBytes() const { return samples_.size(); }
    // Runs when a sound's samples are handed to the audio output.
    std::function<void()> onStarted;

private:
    void start(unsigned generation, DecodedSound& decoded);
    void stop();

    QThread decoder_;
    QObject* decoderContext_; // lives on the decoder thread: decodes run there
    unsigned generation_ = 0; // counts the sounds asked for; only the last one plays
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    QByteArray samples_;
};

} // namespace vkr
