#include "net/transfer_progress.h"

#include "net/client_socket.h"

#include <cstdio>
#include <iterator>

std::string ByteCountText(int64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    static const char* const kUnits[] = {"KB", "MB", "GB"};
    double value = static_cast<double>(bytes) / 1024.0;
    size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

std::string TransferProgressText(const TransferFigures& figures)
{
    using Activity = TransferFigures::Activity;
    if (figures.activity == Activity::waiting)
        return "Waiting for the server's reply...";
    std::string text = figures.activity == Activity::sending ? "Sending to the server: " : "Receiving from the server: ";
    text += ByteCountText(figures.itemDone);
    if (figures.itemTotal >= 0)
        text += " of " + ByteCountText(figures.itemTotal);
    return text;
}

bool CTransferProgress::Note(Direction direction, int64_t count, int64_t total, Clock::time_point now)
{
    const bool sending = direction == Direction::send;
    int64_t& last = sending ? m_lastSendCount : m_lastReceiveCount;
    int64_t& before = sending ? m_sentBefore : m_receivedBefore;
    if (count < last)
        before += last;  // the next payload has begun
    last = count;
    m_figures.sent = m_sentBefore + m_lastSendCount;
    m_figures.received = m_receivedBefore + m_lastReceiveCount;
    m_figures.itemDone = count;
    m_figures.itemTotal = total;
    // A receive hook with nothing of the payload yet is the wait for the reply.
    m_figures.activity = sending ? TransferFigures::Activity::sending
                         : count > 0 ? TransferFigures::Activity::receiving
                                     : TransferFigures::Activity::waiting;

    if (now - m_start < kShowAfter)
        return false;
    if (m_lastRefresh && now - *m_lastRefresh < kRefreshEvery)
        return false;
    m_lastRefresh = now;
    return true;
}

CTransferProgressGuard::CTransferProgressGuard(CClientSocket& socket, TransferProgressViewFactory factory,
                                               std::function<Clock::time_point()> clock)
    : m_socket(socket), m_factory(std::move(factory)), m_clock(std::move(clock)), m_progress(m_clock())
{
    if (!m_factory || socket.ReceiveProgressHook() || socket.SendProgressHook())
        return;
    m_installed = true;
    socket.SetReceiveProgressHook(
        [this](int64_t count) { return OnProgress(CTransferProgress::Direction::receive, count); });
    socket.SetSendProgressHook([this](int64_t count) { return OnProgress(CTransferProgress::Direction::send, count); });
}

CTransferProgressGuard::~CTransferProgressGuard()
{
    if (m_installed) {
        m_socket.SetReceiveProgressHook(nullptr);
        m_socket.SetSendProgressHook(nullptr);
    }
    m_view.reset();
}

int CTransferProgressGuard::OnProgress(CTransferProgress::Direction direction, int64_t count)
{
    if (m_cancelled)
        return 0;
    if (!m_progress.Note(direction, count, m_socket.ProgressTotal(), m_clock()))
        return 1;
    if (!m_viewAsked) {
        m_viewAsked = true;
        m_view = m_factory();
    }
    if (!m_view)
        return 1;
    if (!m_view->Refresh(m_progress.Figures())) {
        m_cancelled = true;
        return 0;
    }
    return 1;
}
