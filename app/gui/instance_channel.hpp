// The local socket between the running window and a second start: the second start asks the
// window to hand over; an idle window agrees and closes, a busy one refuses.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QLocalServer;

namespace ls::app::gui {

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    // answer: empty to hand over, else the refusal the second start shows.
    using Answer = std::function<std::string()>;

    explicit InstanceChannel(Answer answer, QObject* parent = nullptr);
    // The running instance listens.
    bool listen();

    // A second start asks the running instance to hand over. Empty when it agreed (it is
    // closing); the refusal otherwise; nullopt when nobody answered.
    static std::optional<std::string> requestHandover(int timeoutMs = 5000);
    static QString serverName();

  signals:
    // The answer was "hand over": the window closes as its close button would.
    void handoverAgreed();

  private:
    Answer answer_;
    QLocalServer* server_ = nullptr;
};

}  // namespace ls::app::gui
