// Lets a second start bring the running main window to the front.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace ls::app::gui {

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    explicit InstanceChannel(QObject* parent = nullptr);
    // The running instance listens; each knock emits activationRequested.
    bool listen();
    // A second start knocks at the running instance; false when nobody answers.
    static bool knock();
    static QString serverName();

  signals:
    void activationRequested();

  private:
    QLocalServer* server_ = nullptr;
};

}  // namespace ls::app::gui
