#pragma once
// SIGTERM and SIGHUP (sent at logout and shutdown, or when the terminal
// closes) as events of the window's event loop: the signal handler only
// writes a byte to a pipe (async-signal-safe); a socket notifier on the pipe
// then runs the program's reaction on the window's thread, where closing the
// window the normal way, with all its saves, is safe.
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace orvane::ui {

class TermSignals : public QObject {
public:
    // Catches SIGTERM and SIGHUP from now on. One object at a time.
    TermSignals();
    // Gives both signals their default action back.
    ~TermSignals() override;
    TermSignals(const TermSignals&) = delete;
    TermSignals& operator=(const TermSignals&) = delete;

    // What the first caught signal does (called with the signal number, from
    // the event loop); later signals are ignored, the first one's reaction
    // being under way. A signal caught before a reaction is set waits for it.
    void SetReaction(std::function<void(int signal)> reaction);

    // False when the signals could not be caught (the pipe or the handlers
    // could not be set up); they then keep their default action.
    bool Active() const { return m_notifier != nullptr; }

private:
    void Drain();
    void React();

    QSocketNotifier* m_notifier = nullptr;
    std::function<void(int)> m_reaction;
    int m_pending = 0;  // the first signal caught, 0 for none
    bool m_reacted = false;
};

}  // namespace orvane::ui
