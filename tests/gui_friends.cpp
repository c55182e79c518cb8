// The "Friends" window driven offscreen over a registry file in a temporary folder.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TFormFriends.h"
#include "settings/registry.h"
#include "settings/settings.h"
#include "support/launcher_fixture.h"
#include "ui_TForm1.h"
#include "ui_TFormFriends.h"

#include <QtTest>

class FriendsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TFormFriends* form() { return vkr::forms().formFriends; }
    Ui::TFormFriends* ui() { return form()->ui(); }

    QStringList shown() {
        QStringList names;
        for (int i = 0; i < ui()->FriendList->count(); ++i) {
            names << ui()->FriendList->item(i)->text();
        }
        return names;
    }
    // The stored list as a fresh launcher reads it, names joined by "|"; "<none>" without one.
    QString storedFriends() {
        const auto v = fx->stored(vkr::Hive::CurrentUser, "\\Software\\VKR Launcher2\\", "friends");
        if (!v) {
            return "<none>";
        }
        if (v->type != vkr::REG_MULTI_SZ) {
            return "<type " + QString::number(v->type) + ">";
        }
        return QString::fromStdString(v->data).replace(QChar('\0'), '|');
    }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    // Steps: "+name" types name and presses Add (Enter when it starts "+>"), "-row" selects
    // the row and presses Remove, "-" presses Remove with no row selected.
    void editing_data() {
        QTest::addColumn<QString>("before"); // the stored friends, as hex(7) bytes
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("stored");
        QTest::newRow("first friends")
            << "" << QStringList{"+Ann", "+> Bob "} << QStringList{"Ann", "Bob"} << ""
            << "Ann|Bob||";
        QTest::newRow("a friend again, other case")
            << "41,6e,6e,00,00" << QStringList{"+ aNN"} << QStringList{"Ann"}
            << "aNN is a friend already."
            << "Ann||";
        QTest::newRow("nothing typed")
            << "" << QStringList{"+  "} << QStringList{} << "Type a player name to add."
            << "<none>";
        QTest::newRow("remove") << "41,6e,6e,00,42,6f,62,00,00" << QStringList{"-0"}
                                << QStringList{"Bob"} << ""
                                << "Bob||";
        QTest::newRow("remove the last one")
            << "41,6e,6e,00,00" << QStringList{"-0"} << QStringList{} << ""
            << "|";
        QTest::newRow("an empty name inside the list keeps its place")
            << "41,00,00,42,00,00" << QStringList{"+Cy"} << QStringList{"A", "", "B", "Cy"} << ""
            << "A||B|Cy||";
        QTest::newRow("a Latin-1 name shown as Latin-1")
            << "e4,74,e4,00,42,6f,62,00,00" << QStringList{"-1"} << QStringList{"\u00e4t\u00e4"}
            << "" << QString("\ufffdt\ufffd||");
        QTest::newRow("a Latin-1 name removed")
            << "e4,74,e4,00,42,6f,62,00,00" << QStringList{"-0"} << QStringList{"Bob"} << ""
            << "Bob||";
        QTest::newRow("remove with none selected")
            << "41,6e,6e,00,00" << QStringList{"-"} << QStringList{"Ann"}
            << "Select a friend to remove."
            << "Ann||";
    }
    void editing() {
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, list);
        QFETCH(QString, note);
        QFETCH(QString, stored);
        fx->writeStandardRegistry(
            before.isEmpty() ? std::string()
                             : "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"friends\"=hex(7):" +
                                   before.toStdString() + "\n\n");
        fx->start();
        TForm1* main = vkr::forms().form1;
        main->show();
        main->ui()->Friends1->trigger();
        QVERIFY(form()->isVisible());
        for (const QString& step : steps) {
            if (step.startsWith("+")) {
                const bool enter = step.startsWith("+>");
                ui()->FriendName->setText(step.mid(enter ? 2 : 1));
                if (enter) {
                    QTest::keyClick(ui()->FriendName, Qt::Key_Return);
                } else {
                    QTest::mouseClick(ui()->AddButton, Qt::LeftButton);
                }
            } else {
                ui()->FriendList->clearSelection();
                if (step.size() > 1) {
                    ui()->FriendList->setCurrentRow(step.mid(1).toInt());
                }
                QTest::mouseClick(ui()->RemoveButton, Qt::LeftButton);
            }
        }
        QCOMPARE(shown(), list);
        QCOMPARE(ui()->Note->text(), note);
        QCOMPARE(storedFriends(), stored);
        if (QTest::currentDataTag() == QByteArray("first friends")) {
            QDir().mkpath("/tmp/shots");
            QVERIFY(form()->grab().save("/tmp/shots/friends.png"));
        } else if (QTest::currentDataTag() == QByteArray("a Latin-1 name shown as Latin-1")) {
            QDir().mkpath("/tmp/shots");
            QVERIFY(form()->grab().save("/tmp/shots/friends-latin1.png"));
        }
    }
};

QTEST_MAIN(FriendsTest)
#include "gui_friends.moc"
