#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace korvane {

// One running copy per user: a second copy asks the first to come to the front and ends.
class SingleInstance : public QObject {
public:
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The per-user name the copies meet under.
    static QString DefaultKey();

    // True when another copy answered (it has been asked to come to the front).
    bool AskRunningCopy();
    // Becomes the running copy; onRaise runs when a later copy asks.
    bool Listen(std::function<void()> onRaise);

private:
    QString key_;
    QLocalServer* server_ = nullptr;
};

}  // namespace korvane
