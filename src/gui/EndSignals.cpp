#include "gui/EndSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace kestrix {

namespace {

constexpr std::array Handled{SIGTERM, SIGHUP, SIGINT};

int pipeEnds[2] = {-1, -1}; // written by the handler, read by the loop

void writeSignal(int signal)
{
    const int savedErrno = errno;
    const char number = char(signal);
    // A full pipe already holds a signal that ends the program.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &number, 1);
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals(std::function<void(int signal)> onSignal) : m_onSignal(std::move(onSignal))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return; // the signals keep their default action: the program ends as before
    m_notifier = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        char number = 0;
        if (::read(pipeEnds[1], &number, 1) == 1)
            m_onSignal(number);
    });
    struct sigaction action{};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Handled)
        ::sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals()
{
    if (!m_notifier)
        return;
    for (const int signal : Handled)
        std::signal(signal, SIG_DFL);
    m_notifier.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

} // namespace kestrix
