// grab-screen FILE.png [SECONDS]: waits until the display shows something other than its empty
// background (at most SECONDS, default 20), then saves the whole screen of $DISPLAY to FILE.png.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

bool blank(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 8) {
        for (int x = 0; x < image.width(); x += 8) {
            if (image.pixel(x, y) != first) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab-screen FILE.png [SECONDS]\n");
        return 1;
    }
    QGuiApplication app(argc, argv);
    const int limitMs = (argc > 2 ? std::atoi(argv[2]) : 20) * 1000;
    QElapsedTimer clock;
    clock.start();
    QImage shot;
    do {
        shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        if (!shot.isNull() && !blank(shot)) {
            // Give the window a moment to finish painting.
            QThread::msleep(700);
            shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            break;
        }
        QThread::msleep(200);
    } while (clock.elapsed() < limitMs);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "grab-screen: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
