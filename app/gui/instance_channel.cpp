// The local socket between the running window and a second start.
#include "app/gui/instance_channel.hpp"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace ls::app::gui {
namespace {

constexpr char kRequest[] = "handover\n";
constexpr char kAgreed[] = "ok\n";
constexpr char kRefusedPrefix[] = "busy ";

}  // namespace

InstanceChannel::InstanceChannel(Answer answer, QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {}

QString InstanceChannel::serverName() {
    // A test or a site with LIEFERSCHEIN_LOCK runs its own window beside the user's.
    const QString lock = qEnvironmentVariable("LIEFERSCHEIN_LOCK");
    const QString base = QString("lieferschein-%1").arg(::getuid());
    return lock.isEmpty() ? base : base + "-" + QString::number(qHash(lock), 16);
}

bool InstanceChannel::listen() {
    server_ = new QLocalServer(this);
    // Only this user may knock.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a crashed instance would block the name.
    QLocalServer::removeServer(serverName());
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (auto* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) return;
                if (socket->readLine() != kRequest) {
                    socket->disconnectFromServer();
                    return;
                }
                const auto refusal = answer_();
                if (refusal.empty()) {
                    socket->write(kAgreed);
                } else {
                    socket->write(kRefusedPrefix + QByteArray::fromStdString(refusal) + "\n");
                }
                socket->flush();
                socket->waitForBytesWritten(1000);
                if (refusal.empty()) emit handoverAgreed();
            });
        }
    });
    return server_->listen(serverName());
}

std::optional<std::string> InstanceChannel::requestHandover(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
    socket.write(kRequest);
    socket.waitForBytesWritten(timeoutMs);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return std::nullopt;
    }
    const QByteArray reply = socket.readLine().trimmed();
    socket.disconnectFromServer();
    if (reply == QByteArray(kAgreed).trimmed()) return std::string();
    if (reply.startsWith(kRefusedPrefix)) {
        return reply.mid(static_cast<int>(sizeof(kRefusedPrefix) - 1)).toStdString();
    }
    return std::nullopt;
}

}  // namespace ls::app::gui
