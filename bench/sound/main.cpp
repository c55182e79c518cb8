// Times what an alert's sound costs the GUI thread: the built-in sound and a 10-minute WAV
// (44.1 kHz, stereo, 16 bits, written to a temporary folder), each from the call to play() to
// its return (the alert waits that long; target: at most 10 ms) and to the samples handed to
// the audio output, with the resident memory before, while it plays and once a new sound has
// replaced it. Plays to the PulseAudio server of the session when there is one.
#include "bench/bench_support.h"
#include "status/sound_player.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

bool writeTenMinutes(const QString& path) {
    constexpr int rate = 44100;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file) {
        return false;
    }
    std::vector<short> second(rate * 2);
    for (int i = 0; i < rate; ++i) {
        second[size_t(i) * 2] = second[size_t(i) * 2 + 1] =
            short(8000 * std::sin(2 * M_PI * 440 * i / rate));
    }
    for (int s = 0; s < 600; ++s) {
        sf_writef_short(file, second.data(), rate);
    }
    sf_close(file);
    return true;
}

void measure(const char* name, const vkr::WatcherSound& sound) {
    vkr::SoundPlayer player;
    QElapsedTimer clock;
    qint64 startedNs = -1;
    player.onStarted = [&] { startedNs = clock.nsecsElapsed(); };
    const long before = bench::residentKiB();
    clock.start();
    player.play(sound);
    const qint64 returnedNs = clock.nsecsElapsed();
    while (startedNs < 0 && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    const long playing = bench::residentKiB();
    const double held = double(player.heldBytes()) / (1 << 20);
    player.play({});
    const long after = bench::residentKiB();
    std::printf("%-22s play() returned in %.3f ms; samples playing after %.1f ms (%.1f MB "
                "held); resident memory %ld -> %ld -> %ld KiB\n",
                name, double(returnedNs) / 1e6, double(startedNs) / 1e6, held, before, playing,
                after);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("ten-minutes.wav");
    if (!writeTenMinutes(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    for (int run = 0; run < 3; ++run) {
        measure("built-in sound", {vkr::WatcherSound::Kind::builtIn, {}});
        measure("10-minute file", {vkr::WatcherSound::Kind::file, path.toStdString()});
    }
    return 0;
}
