#pragma once
// Progress of one long exchange with the server, as the person at the desk sees it: the
// bytes sent and received so far, the length of the payload moving when it is known, and
// a Cancel that stops the transfer. CTransferProgress is the plain logic (when to show
// the display, when to refresh it); CTransferProgressGuard installs the connection's
// progress hooks for its lifetime and drives a TransferProgressView, which the desktop
// implements as a dialog. Batch runs and tests give no view, so nothing is shown.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CClientSocket;

// What the display shows.
struct TransferFigures {
    int64_t sent = 0;       // payload bytes sent in this exchange
    int64_t received = 0;   // payload bytes received in this exchange
    int64_t itemDone = 0;   // of the payload moving now
    int64_t itemTotal = -1; // its length; -1 while not known
    enum class Activity { waiting, sending, receiving } activity = Activity::waiting;
};

// The display's text: what is going on and how far it has got ("Receiving from the
// server: 1.5 MB of 30.0 MB").
std::string TransferProgressText(const TransferFigures& figures);
// A byte count for people: "812 bytes", "12.3 KB", "1.5 MB" (units of 1024).
std::string ByteCountText(int64_t bytes);

class CTransferProgress {
public:
    using Clock = std::chrono::steady_clock;
    // Nothing is shown for an exchange shorter than this.
    static constexpr std::chrono::milliseconds kShowAfter{500};
    // Once shown, the display is refreshed (and the window repainted) at most this often.
    static constexpr std::chrono::milliseconds kRefreshEvery{50};

    enum class Direction { send, receive };

    explicit CTransferProgress(Clock::time_point start) : m_start(start) {}

    // A hook call: the running count of the payload moving in that direction (a count
    // below the last one starts the next payload; the same count is a wait) and its
    // length (-1: not known). True when the display is due to be shown or refreshed.
    bool Note(Direction direction, int64_t count, int64_t total, Clock::time_point now);

    const TransferFigures& Figures() const { return m_figures; }

private:
    Clock::time_point m_start;
    std::optional<Clock::time_point> m_lastRefresh;
    TransferFigures m_figures;
    int64_t m_sentBefore = 0;      // of the payloads sent before the one moving now
    int64_t m_receivedBefore = 0;
    int64_t m_lastSendCount = 0;
    int64_t m_lastReceiveCount = 0;
};

// The display of a long exchange.
class TransferProgressView {
public:
    virtual ~TransferProgressView() = default;
    // Shows the figures (the first call shows the display) and lets the window repaint,
    // without letting the person reach the rest of the program meanwhile.
    // False once the person asked to stop.
    virtual bool Refresh(const TransferFigures& figures) = 0;
};

using TransferProgressViewFactory = std::function<std::unique_ptr<TransferProgressView>()>;

// For its lifetime, the connection's progress hooks feed a CTransferProgress; once the
// exchange has run for half a second the factory's view is made and refreshed, and its
// Cancel stops the transfer (the connection then closes, see CClientSocket). The
// destructor removes the hooks and then drops the view, so the
// view is never called once the guard is gone. An empty factory, or one that gives no
// view, shows nothing and never stops. A guard made while hooks are installed (by an
// outer guard around the same exchange) leaves them alone and does nothing.
class CTransferProgressGuard {
public:
    using Clock = CTransferProgress::Clock;

    CTransferProgressGuard(CClientSocket& socket, TransferProgressViewFactory factory,
                           std::function<Clock::time_point()> clock = &Clock::now);
    ~CTransferProgressGuard();
    CTransferProgressGuard(const CTransferProgressGuard&) = delete;
    CTransferProgressGuard& operator=(const CTransferProgressGuard&) = delete;

    // True once the person pressed Cancel.
    bool Cancelled() const { return m_cancelled; }

private:
    int OnProgress(CTransferProgress::Direction direction, int64_t count);

    CClientSocket& m_socket;
    TransferProgressViewFactory m_factory;
    std::function<Clock::time_point()> m_clock;
    CTransferProgress m_progress;
    std::unique_ptr<TransferProgressView> m_view;
    bool m_installed = false;
    bool m_viewAsked = false;
    bool m_cancelled = false;
};
