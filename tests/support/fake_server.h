#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

// tools/fake-server on ports of 127.0.0.1 chosen by the system, recording what it receives.
// Header-only: it needs VKR_BINARY_DIR, which every test executable is compiled with.
class FakeServer {
public:
    std::vector<int> ports;

    // servers: the script's "servers" array; empty for the default replies.
    bool start(int count, const QJsonArray& servers = {}, QStringList extra = {}) {
        QStringList args{"--count",  QString::number(count),    "--lifetime", "120000",
                         "--record", dir.filePath("record.txt")};
        if (!servers.isEmpty()) {
            QFile script(dir.filePath("script.json"));
            if (!script.open(QIODevice::WriteOnly)) {
                return false;
            }
            script.write(QJsonDocument(QJsonObject{{"servers", servers}}).toJson());
            args << "--script" << script.fileName();
        }
        process.start(VKR_BINARY_DIR "/tools/fake-server", args + extra);
        if (!process.waitForStarted()) {
            return false;
        }
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(10000)) {
                return false;
            }
        }
        QList<QByteArray> words = process.readLine().trimmed().split(' ');
        if (words.value(0) != "ready") {
            return false;
        }
        for (int i = 1; i < words.size(); ++i) {
            ports.push_back(words[i].toInt());
        }
        return static_cast<int>(ports.size()) == count;
    }
    ~FakeServer() {
        process.kill();
        process.waitForFinished();
    }

    // What the server received: "LOCALPORT FROMIP:FROMPORT HEXBYTES" per datagram.
    QStringList received() const {
        QFile f(dir.filePath("record.txt"));
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir dir;
    QProcess process;
};
