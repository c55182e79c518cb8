// Status colours that read on the palette's background, light or dark.
#include "status/contrast.h"

#include <QtTest>

using namespace vkr;

Q_DECLARE_METATYPE(vkr::Rgb)

class ContrastTest : public QObject {
    Q_OBJECT

private slots:
    void ratio_data() {
        QTest::addColumn<Rgb>("a");
        QTest::addColumn<Rgb>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << Rgb{0, 0, 0} << Rgb{255, 255, 255} << 21.0;
        QTest::newRow("the same") << Rgb{90, 20, 200} << Rgb{90, 20, 200} << 1.0;
        QTest::newRow("either order") << Rgb{255, 255, 255} << Rgb{0, 0, 0} << 21.0;
        QTest::newRow("green on white") << Rgb{0, 128, 0} << Rgb{255, 255, 255} << 5.13;
        QTest::newRow("maroon on a dark window") << Rgb{128, 0, 0} << Rgb{53, 53, 53} << 1.12;
    }
    void ratio() {
        QFETCH(Rgb, a);
        QFETCH(Rgb, b);
        QFETCH(double, ratio);
        QVERIFY2(std::abs(contrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(contrastRatio(a, b))));
    }

    // Each status colour on the windows' backgrounds of light and dark palettes.
    void readable_data() {
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<Rgb>("background");
        QTest::addColumn<bool>("unchanged");
        const Rgb green{0, 128, 0};
        const Rgb maroon{128, 0, 0};
        const Rgb light{239, 239, 239}; // Fusion's window
        const Rgb dark{53, 53, 53};     // a usual dark window
        QTest::newRow("green, white") << green << Rgb{255, 255, 255} << true;
        QTest::newRow("maroon, white") << maroon << Rgb{255, 255, 255} << true;
        QTest::newRow("green, light grey") << green << light << false;
        QTest::newRow("maroon, light grey") << maroon << light << true;
        QTest::newRow("green, dark") << green << dark << false;
        QTest::newRow("maroon, dark") << maroon << dark << false;
        QTest::newRow("green, black") << green << Rgb{0, 0, 0} << false;
        QTest::newRow("maroon, mid grey") << maroon << Rgb{128, 128, 128} << false;
        QTest::newRow("green, maroon background") << green << maroon << false;
    }
    void readable() {
        QFETCH(Rgb, colour);
        QFETCH(Rgb, background);
        QFETCH(bool, unchanged);
        const Rgb got = readableOn(colour, background);
        QVERIFY2(contrastRatio(got, background) >= 4.5,
                 qPrintable(QString("%1,%2,%3: %4")
                                .arg(got.r)
                                .arg(got.g)
                                .arg(got.b)
                                .arg(contrastRatio(got, background))));
        QCOMPARE(got == colour, unchanged);
        // Its hue is kept: the colour's strongest channel stays the strongest.
        if (colour.g > colour.r) {
            QVERIFY(got.g > got.r && got.g > got.b);
        } else {
            QVERIFY(got.r > got.g && got.r > got.b);
        }
    }
};

QTEST_GUILESS_MAIN(ContrastTest)
#include "core_contrast.moc"
