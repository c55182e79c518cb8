#pragma once

#include "status/watcher_rule.h"

#include <QBuffer>
#include <QByteArray>
#include <QObject>

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

// Plays a sound asynchronously on the default audio output: the built-in chime or a WAV file
// (any file libsndfile reads). A new sound replaces one still playing. A file that is missing
// or is not a sound plays nothing and reports nothing.
class SoundPlayer : public QObject, public SoundSink {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* owner = nullptr);
    ~SoundPlayer() override;

    void play(const WatcherSound& sound) override;

private:
    void stop();

    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    QByteArray samples_;
};

} // namespace vkr
