// What a screen reader and a keyboard-only user get from every window: each control has a name
// of its own, and Tab reaches it. The status colours read on light and dark palettes.
#include "app/window.h"
#include "status/TFormWatcher.h"
#include "status/contrast.h"
#include "support/dark_palette.h"
#include "support/launcher_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <map>

namespace {

// The controls the user works with: buttons, fields, boxes, lists and tables, not the parts
// Qt builds them of (a combo box's field, a view's scroll bars).
std::vector<QWidget*> controls(QWidget* window) {
    std::vector<QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
        const bool part = w->objectName().isEmpty() || w->objectName().startsWith("qt_") ||
                          qobject_cast<QComboBox*>(w->parentWidget());
        if (control && !part) {
            found.push_back(w);
        }
    }
    return found;
}

QString accessibleName(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

} // namespace

class AccessibleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

private slots:
    void init() {
        fx = std::make_unique<LauncherFixture>();
        fx->writeStandardRegistry();
        fx->start();
    }
    void cleanup() { fx.reset(); }

    // Every control of every window: a name, none the same as another's in its window, and a
    // place in the Tab order.
    void everyControlIsNamedAndReachable() {
        for (QWidget* window : launcherWindows()) {
            std::map<QString, QString> named; // name -> control
            for (QWidget* w : controls(window)) {
                const QString where = window->objectName() + "." + w->objectName();
                const QString name = accessibleName(w);
                QVERIFY2(!name.isEmpty(), qPrintable(where + " has no accessible name"));
                QVERIFY2(!named.count(name),
                         qPrintable(where + " has the name of " + named[name] + ": " + name));
                named[name] = where;
                QVERIFY2(w->focusPolicy() & Qt::TabFocus,
                         qPrintable(where + " cannot be reached by Tab"));
            }
        }
    }

    // Every label that names a field is its buddy: a screen reader reads it with the field.
    void labelsNameTheirFields_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("field");
        QTest::newRow("mod name") << "TForm2"
                                  << "Label1"
                                  << "Name";
        QTest::newRow("mod folder") << "TForm2"
                                    << "Label2"
                                    << "Dir";
        QTest::newRow("server name") << "TForm3"
                                     << "Label1"
                                     << "name";
        QTest::newRow("server host") << "TForm3"
                                     << "Label2"
                                     << "host";
        QTest::newRow("server port") << "TForm3"
                                     << "Label3"
                                     << "port";
        QTest::newRow("server mods") << "TForm3"
                                     << "Label4"
                                     << "modlistb";
        QTest::newRow("server password") << "TForm3"
                                         << "Label5"
                                         << "pass";
        QTest::newRow("server implementation") << "TForm3"
                                               << "Label6"
                                               << "impl";
        QTest::newRow("new game sound") << "TFormOptions"
                                        << "Label1"
                                        << "sound1";
        QTest::newRow("players sound") << "TFormOptions"
                                       << "Label2"
                                       << "sound2";
    }
    void labelsNameTheirFields() {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, field);
        QWidget* w = nullptr;
        for (QWidget* candidate : launcherWindows()) {
            if (candidate->objectName() == window) {
                w = candidate;
            }
        }
        QVERIFY(w);
        auto* l = w->findChild<QLabel*>(label);
        auto* f = w->findChild<QWidget*>(field);
        QVERIFY(l && f);
        QCOMPARE(l->buddy(), f);
    }

    // The watcher's status texts keep a contrast of 4.5:1 on a dark Fusion palette as on the
    // light one.
    void statusColoursRead_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void statusColoursRead() {
        QFETCH(bool, dark);
        fx.reset();
        dark ? useDarkFusion() : useLightFusion();
        fx = std::make_unique<LauncherFixture>();
        fx->writeStandardRegistry();
        fx->start();
        for (const char* name : {"players", "mission"}) {
            auto* label = vkr::forms().formWatcher->findChild<QLabel*>(name);
            QVERIFY(label);
            const QColor text = label->palette().color(QPalette::WindowText);
            const QColor back = label->palette().color(QPalette::Window);
            const double ratio = vkr::contrastRatio({text.red(), text.green(), text.blue()},
                                                    {back.red(), back.green(), back.blue()});
            QVERIFY2(ratio >= 4.5, qPrintable(QString(name) + ": " + QString::number(ratio)));
        }
        useLightFusion();
    }
};

QTEST_MAIN(AccessibleTest)
#include "gui_accessible.moc"
