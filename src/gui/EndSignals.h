#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace kestrix {

// SIGTERM (logout, shutdown), SIGHUP (the terminal closed) and SIGINT
// (Ctrl+C) reach the program through its event loop: the handler only writes
// the signal's number into a pipe, and onSignal runs from the loop, where
// the program may write files. One per process, made after the application
// object; its end gives the signals their default action again.
class EndSignals
{
public:
    explicit EndSignals(std::function<void(int signal)> onSignal);
    ~EndSignals();
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

private:
    std::function<void(int)> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace kestrix
