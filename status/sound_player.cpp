#include "status/sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace vkr {

namespace {

using Decoded = DecodedSound;

// Reads an open sound, its first maxSoundSeconds at most, and closes it.
std::optional<Decoded> decode(SNDFILE* file, const SF_INFO& info) {
    if (!file) {
        return std::nullopt;
    }
    // Floating-point samples span -1 to 1: scale them to the 16-bit range, or they all read 0.
    sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    Decoded sound{info.samplerate, info.channels, {}};
    // Read in blocks rather than trusting the frame count of the header.
    constexpr sf_count_t blockFrames = 4096;
    std::vector<short> block(blockFrames * static_cast<size_t>(info.channels));
    sf_count_t left = sf_count_t(info.samplerate) * maxSoundSeconds;
    while (left > 0) {
        const sf_count_t frames = sf_readf_short(file, block.data(), std::min(blockFrames, left));
        if (frames <= 0) {
            break;
        }
        sound.samples.append(reinterpret_cast<const char*>(block.data()),
                             static_cast<qsizetype>(frames * info.channels * 2));
        left -= frames;
    }
    sf_close(file);
    if (sound.samples.isEmpty()) {
        return std::nullopt;
    }
    return sound;
}

std::optional<Decoded> decodeFile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    return decode(file, info);
}

// libsndfile reading from bytes in memory.
struct MemoryFile {
    QByteArray bytes;
    sf_count_t position = 0;

    static sf_count_t length(void* self) { return static_cast<MemoryFile*>(self)->bytes.size(); }
    static sf_count_t seek(sf_count_t offset, int whence, void* self) {
        auto* m = static_cast<MemoryFile*>(self);
        const sf_count_t base = whence == SEEK_CUR   ? m->position
                                : whence == SEEK_END ? m->bytes.size()
                                                     : 0;
        m->position = std::clamp<sf_count_t>(base + offset, 0, m->bytes.size());
        return m->position;
    }
    static sf_count_t read(void* out, sf_count_t count, void* self) {
        auto* m = static_cast<MemoryFile*>(self);
        const sf_count_t n = std::min<sf_count_t>(count, m->bytes.size() - m->position);
        std::memcpy(out, m->bytes.constData() + m->position, static_cast<size_t>(n));
        m->position += n;
        return n;
    }
    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* self) { return static_cast<MemoryFile*>(self)->position; }
};

std::optional<Decoded> decodeBuiltIn() {
    QFile resource(":/watcher.wav");
    if (!resource.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    MemoryFile memory{resource.readAll()};
    SF_VIRTUAL_IO io{&MemoryFile::length, &MemoryFile::seek, &MemoryFile::read, &MemoryFile::write,
                     &MemoryFile::tell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    return decode(file, info);
}

// The audio output drops the end of what it is fed: this much silence follows the samples.
constexpr int trailingSilenceMs = 300;

std::optional<Decoded> decodeSound(const WatcherSound& sound) {
    switch (sound.kind) {
    case WatcherSound::Kind::none:
        break;
    case WatcherSound::Kind::builtIn:
        return decodeBuiltIn();
    case WatcherSound::Kind::file:
        return decodeFile(sound.file);
    }
    return std::nullopt;
}

} // namespace

double soundSeconds(const std::string& file) {
    SF_INFO info{};
    SNDFILE* sound = sf_open(file.c_str(), SFM_READ, &info);
    if (!sound) {
        return 0;
    }
    sf_close(sound);
    return info.samplerate > 0 ? double(info.frames) / info.samplerate : 0;
}

SoundPlayer::SoundPlayer(QObject* owner) : QObject(owner), decoderContext_(new QObject) {
    decoderContext_->moveToThread(&decoder_);
    decoder_.start();
}

SoundPlayer::~SoundPlayer() {
    // A decode under way ends first; what it hands back is dropped with this object.
    decoder_.quit();
    decoder_.wait();
    delete decoderContext_;
    stop();
}

void SoundPlayer::stop() {
    sink_.reset();
    buffer_.close();
    buffer_.setData(QByteArray());
    samples_ = QByteArray();
}

void SoundPlayer::play(const WatcherSound& sound) {
    stop();
    const unsigned generation = ++generation_;
    if (sound.kind == WatcherSound::Kind::none) {
        return;
    }
    QMetaObject::invokeMethod(decoderContext_, [this, sound, generation] {
        std::optional<Decoded> decoded = decodeSound(sound);
        if (!decoded) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, d = std::make_shared<Decoded>(std::move(*decoded))] {
                start(generation, *d);
            },
            Qt::QueuedConnection);
    });
}

void SoundPlayer::start(unsigned generation, DecodedSound& decoded) {
    if (generation != generation_) {
        return; // a later sound was asked for meanwhile
    }
    QAudioFormat format;
    format.setSampleRate(decoded.rate);
    format.setChannelCount(decoded.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    const qsizetype silence =
        qsizetype(decoded.rate) * trailingSilenceMs / 1000 * decoded.channels * 2;
    samples_ = std::move(decoded.samples);
    samples_.append(silence, '\0');
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
    QAudioSink* sink = sink_.get();
    // At the end of the samples the output goes idle: release it and the samples then, once
    // the output's own signal has returned.
    connect(sink, &QAudioSink::stateChanged, this, [this, sink, generation](QAudio::State state) {
        if (state == QAudio::IdleState) {
            sink->stop();
            QMetaObject::invokeMethod(
                this,
                [this, generation] {
                    if (generation == generation_) {
                        stop();
                    }
                },
                Qt::QueuedConnection);
        }
    });
    sink->start(&buffer_);
    if (onStarted) {
        onStarted();
    }
}

} // namespace vkr
