// The sound player against a private PulseAudio server whose only output is recorded with parec.
#include "status/sound_player.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int recordRate = 8000;

// Writes a tone of the given length as a sound file of the given format.
bool writeTone(const QString& path, int format, int rate, int channels, int ms) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!f) {
        return false;
    }
    const int frames = rate * ms / 1000;
    std::vector<float> samples(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            samples[static_cast<size_t>(i * channels + c)] =
                0.5f * static_cast<float>(std::sin(2 * M_PI * 440 * i / rate));
        }
    }
    sf_writef_float(f, samples.data(), frames);
    sf_close(f);
    return true;
}

// The span between the first and the last loud sample of a mono recording, in milliseconds;
// -1 when it is silent throughout.
int audibleMs(const QByteArray& recording) {
    const auto* s = reinterpret_cast<const int16_t*>(recording.constData());
    const qsizetype n = recording.size() / 2;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (std::abs(s[i]) > 300) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    return first < 0 ? -1 : static_cast<int>((last - first) * 1000 / recordRate);
}

} // namespace

class SoundPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess server;

    QProcess recorder;

    // The recorder's output while the player plays the sounds, each after a pause.
    QByteArray record(const std::vector<vkr::WatcherSound>& sounds, int recordMs) {
        QTest::qWait(300);
        QFile f(dir.filePath("recording.raw"));
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        const qint64 start = f.size();
        vkr::SoundPlayer player;
        for (size_t i = 0; i < sounds.size(); ++i) {
            if (i > 0) {
                QTest::qWait(400);
            }
            player.play(sounds[i]);
        }
        QTest::qWait(recordMs);
        f.seek(start & ~qint64(1));
        return f.readAll();
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
            QStandardPaths::findExecutable("parec").isEmpty()) {
            QSKIP("pulseaudio and parec (packages pulseaudio, pulseaudio-utils) are not installed");
        }
        const QString socket = dir.filePath("pulse.sock");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path());
        env.insert("XDG_RUNTIME_DIR", dir.path());
        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "-L",
                                    "module-native-protocol-unix auth-anonymous=1 socket=" + socket,
                                    "-L", "module-null-sink sink_name=cap"});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 10000);
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
        // One recorder for the whole run: a recording stream that connects anew for each case
        // can stall on the null sink's monitor.
        recorder.setStandardOutputFile(dir.filePath("recording.raw"));
        recorder.start("parec", {"--device=cap.monitor", "--raw", "--format=s16le", "--channels=1",
                                 "--latency-msec=20", QString("--rate=%1").arg(recordRate)});
        QVERIFY(recorder.waitForStarted());
        QTRY_VERIFY(QFileInfo(dir.filePath("recording.raw")).size() > 0);
        QVERIFY(
            writeTone(dir.filePath("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, 500));
        QVERIFY(
            writeTone(dir.filePath("long.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 2, 3000));
        QVERIFY(
            writeTone(dir.filePath("short.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 11025, 1, 200));
        QVERIFY(
            writeTone(dir.filePath("forty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 40000));
        QFile text(dir.filePath("text.wav"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("RIFF, but not a sound at all\n");
    }
    void cleanupTestCase() {
        recorder.terminate();
        recorder.waitForFinished();
        server.terminate();
        server.waitForFinished();
    }

    void play_data() {
        QTest::addColumn<QString>("file"); // empty for the built-in sound
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        // The whole chime plays, its end included.
        QTest::newRow("built-in") << "" << 1200 << 1500;
        QTest::newRow("float mono file at 44.1 kHz") << "tone.wav" << 420 << 650;
        QTest::newRow("missing file") << "missing.wav" << -1 << -1;
        QTest::newRow("not a sound") << "text.wav" << -1 << -1;
        QTest::newRow("none") << "none" << -1 << -1;
    }
    void play() {
        QFETCH(QString, file);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        vkr::WatcherSound sound{vkr::WatcherSound::Kind::builtIn, {}};
        if (!file.isEmpty()) {
            sound = {vkr::WatcherSound::Kind::file, QFile::exists(dir.filePath(file))
                                                        ? dir.filePath(file).toStdString()
                                                        : file.toStdString()};
        }
        const int ms = audibleMs(record({sound}, 2000));
        QVERIFY2(ms >= minMs && ms <= maxMs, qPrintable(QString::number(ms)));
    }

    // A new sound stops the one still playing: the three-second tone ends when the short one
    // starts 400 ms later, and the short one plays to its end.
    void newSoundReplacesOld() {
        const vkr::WatcherSound longTone{vkr::WatcherSound::Kind::file,
                                         dir.filePath("long.wav").toStdString()};
        const vkr::WatcherSound shortTone{vkr::WatcherSound::Kind::file,
                                          dir.filePath("short.wav").toStdString()};
        const int ms = audibleMs(record({longTone, shortTone}, 3000));
        QVERIFY2(ms > 520 && ms < 1200, qPrintable(QString::number(ms)));
    }

    // A file is decoded away from the caller, and at most its first 30 s are held: the samples
    // and 300 ms of silence after them, 16 bits each. A sound that has played is let go.
    void samplesHeld_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("heldMs");
        QTest::addColumn<bool>("released"); // let go within 2 s
        QTest::newRow("40 s: its first 30 s") << "forty.wav" << 1 << 8000 << 30300 << false;
        QTest::newRow("200 ms: whole, let go") << "short.wav" << 1 << 11025 << 500 << true;
        QTest::newRow("3 s stereo: whole, let go") << "long.wav" << 2 << 22050 << 3300 << true;
    }
    void samplesHeld() {
        QFETCH(QString, file);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(int, heldMs);
        QFETCH(bool, released);
        vkr::SoundPlayer player;
        bool started = false;
        player.onStarted = [&] { started = true; };
        player.play({vkr::WatcherSound::Kind::file, dir.filePath(file).toStdString()});
        QCOMPARE(player.heldBytes(), 0);
        QTRY_VERIFY(started);
        QCOMPARE(player.heldBytes(), qsizetype(rate) * heldMs / 1000 * channels * 2);
        if (released) {
            QTRY_COMPARE_WITH_TIMEOUT(player.heldBytes(), 0, heldMs + 2000);
        }
        QCOMPARE(vkr::soundSeconds(dir.filePath(file).toStdString()),
                 file == "forty.wav" ? 40.0 : heldMs / 1000.0 - 0.3);
    }
};

QTEST_MAIN(SoundPlayerTest)
#include "gui_sound_player.moc"
