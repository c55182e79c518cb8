#pragma once

#include <QObject>

#include <string>

// The main window's socket component. It never connects anywhere; it only tells the host's own
// address.
class TPowersock : public QObject {
    Q_OBJECT
public:
    explicit TPowersock(QObject* owner = nullptr);

    int Port = 0;
    int ReportLevel = 0;

    // The first IPv4 address the host's own name resolves to, as dotted decimal text, worked out
    // anew at each call. "127.0.0.1" when the name does not resolve to any IPv4 address.
    std::string LocalAddress();

signals:
    void OnStatus(const QString& status);

private:
    void status(const char* text, int level);
};
