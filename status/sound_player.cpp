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

// A sound decoded to 16-bit samples, interleaved.
struct Decoded {
    int rate = 0;
    int channels = 0;
    QByteArray samples;
};

// Reads the whole of an open sound and closes it.
std::optional<Decoded> decode(SNDFILE* file, const SF_INFO& info) {
    if (!file) {
        return std::nullopt;
    }
    // Floating-point samples span -1 to 1: scale them to the 16-bit range, or they all read 0.
    sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    Decoded sound{info.samplerate, info.channels, {}};
    // Read in blocks rather than trusting the frame count of the header.
    std::vector<short> block(4096 * static_cast<size_t>(info.channels));
    for (;;) {
        const sf_count_t frames = sf_readf_short(file, block.data(), 4096);
        if (frames <= 0) {
            break;
        }
        sound.samples.append(reinterpret_cast<const char*>(block.data()),
                             static_cast<qsizetype>(frames * info.channels * 2));
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

} // namespace

SoundPlayer::SoundPlayer(QObject* owner) : QObject(owner) {}

SoundPlayer::~SoundPlayer() {
    stop();
}

void SoundPlayer::stop() {
    sink_.reset();
    buffer_.close();
}

void SoundPlayer::play(const WatcherSound& sound) {
    stop();
    std::optional<Decoded> decoded;
    switch (sound.kind) {
    case WatcherSound::Kind::none:
        return;
    case WatcherSound::Kind::builtIn:
        decoded = decodeBuiltIn();
        break;
    case WatcherSound::Kind::file:
        decoded = decodeFile(sound.file);
        break;
    }
    if (!decoded) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(decoded->rate);
    format.setChannelCount(decoded->channels);
    format.setSampleFormat(QAudioFormat::Int16);
    const qsizetype silence =
        qsizetype(decoded->rate) * trailingSilenceMs / 1000 * decoded->channels * 2;
    samples_ = std::move(decoded->samples);
    samples_.append(silence, '\0');
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
    QAudioSink* sink = sink_.get();
    // At the end of the samples the output goes idle: release it then.
    connect(sink, &QAudioSink::stateChanged, this, [sink](QAudio::State state) {
        if (state == QAudio::IdleState) {
            sink->stop();
        }
    });
    sink->start(&buffer_);
}

} // namespace vkr
