// The local socket between the running window and a second start.
#include "app/gui/instance_channel.hpp"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace ls::app::gui {

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent) {}

QString InstanceChannel::serverName() {
    return QString("lieferschein-%1").arg(::getuid());
}

bool InstanceChannel::listen() {
    server_ = new QLocalServer(this);
    // A socket left by a crashed instance would block the name.
    QLocalServer::removeServer(serverName());
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (auto* socket = server_->nextPendingConnection()) {
            socket->deleteLater();
            emit activationRequested();
        }
    });
    return server_->listen(serverName());
}

bool InstanceChannel::knock() {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(2000)) return false;
    socket.write("activate\n");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

}  // namespace ls::app::gui
