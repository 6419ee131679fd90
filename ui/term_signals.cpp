#include "ui/term_signals.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace orvane::ui {
namespace {

// The pipe between the handler and the event loop; only the handler and the
// one TermSignals object touch it.
int g_pipe[2] = {-1, -1};

constexpr int kSignals[] = {SIGTERM, SIGHUP};

extern "C" void OnTermSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    ssize_t ignored = write(g_pipe[1], &byte, 1);  // a full pipe holds enough already
    (void)ignored;
    errno = saved;
}

}  // namespace

TermSignals::TermSignals() {
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = OnTermSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { Drain(); });
}

TermSignals::~TermSignals() {
    if (!m_notifier) return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TermSignals::SetReaction(std::function<void(int)> reaction) {
    m_reaction = std::move(reaction);
    // A signal that came first is answered from the event loop, as it would
    // have been.
    if (m_pending && !m_reacted) QTimer::singleShot(0, this, [this] { React(); });
}

void TermSignals::Drain() {
    unsigned char bytes[64];
    ssize_t n;
    while ((n = read(g_pipe[0], bytes, sizeof bytes)) > 0)
        if (!m_pending) m_pending = bytes[0];
    React();
}

void TermSignals::React() {
    if (!m_pending || m_reacted || !m_reaction) return;
    m_reacted = true;
    m_reaction(m_pending);
}

}  // namespace orvane::ui
