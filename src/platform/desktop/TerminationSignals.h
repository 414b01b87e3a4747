#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace luma {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the GUI thread. The signal handler only writes
// the signal's number to a pipe; a socket notifier reads it in the event loop. One instance per
// process; the previous handlers come back when it goes.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe or a handler could not be set up; signals then act as they would.
    bool isActive() const { return notifier_ != nullptr; }

private:
    void readSignals();

    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace luma
