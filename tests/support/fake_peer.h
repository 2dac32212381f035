#pragma once
// A scriptable stand-in for the far end of a connection. It listens on a free loopback
// port, accepts one connection and plays a script: write bytes, stall until the client
// starts a given readiness wait, stall until the test ends, read what the client sends,
// close or reset. Each write is one send(), so tests choose where the data splits.
//
// Waits by the client are counted through PacedClient below, which reports every
// readiness wait before making it: data released at the client's n-th wait cannot arrive
// before the client has taken in what came before.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CFakePeer {
public:
    CFakePeer();
    ~CFakePeer();  // releases any stall and joins the script thread
    CFakePeer(const CFakePeer&) = delete;
    CFakePeer& operator=(const CFakePeer&) = delete;

    int Port() const { return m_port; }

    // --- Script (built before Start) ---------------------------------------------------
    CFakePeer& Write(std::string bytes);
    // Stalls until the client has begun its n-th readiness wait (counting from 1).
    CFakePeer& UntilClientWait(int n);
    // Stalls until the peer is destroyed: the client sees a silent, open connection.
    CFakePeer& Hold();
    // Reads exactly n bytes from the client (kept in Received()).
    CFakePeer& Read(size_t n);
    // Reads one line up to and including CR LF.
    CFakePeer& ReadLine();
    // Reads a length line and then that many payload bytes.
    CFakePeer& ReadEnvelope();
    // Reads until the client closes.
    CFakePeer& ReadToEnd();
    // Orderly close (FIN).
    CFakePeer& Close();
    // Abortive close (RST).
    CFakePeer& Reset();

    // Accepts one connection and plays the script on a thread of its own.
    void Start();
    // Waits until the script has run to its end (Hold excepted) or failed.
    bool WaitDone(int seconds = 10);
    // True when a step could not be carried out (a read that timed out, say).
    bool Failed();
    std::string Received();

    // Called by PacedClient at the start of each readiness wait.
    void NoteClientWait();

private:
    using Step = std::function<bool()>;

    bool ReadExactly(size_t n);
    bool ReadOneLine();
    bool WaitForWaits(int n);
    void Run();

    int m_listenSocket = -1;
    int m_socket = -1;
    int m_port = 0;
    std::vector<Step> m_script;
    std::thread m_thread;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_clientWaits = 0;
    bool m_stopping = false;
    bool m_done = false;
    bool m_failed = false;
    std::string m_received;
};

// A client socket or session whose readiness waits are reported to a fake peer.
template <class Base>
class PacedClient : public Base {
public:
    explicit PacedClient(CFakePeer& peer) : m_peer(peer) {}
    bool WaitReadable(int seconds, int microseconds) override
    {
        m_peer.NoteClientWait();
        return Base::WaitReadable(seconds, microseconds);
    }

private:
    CFakePeer& m_peer;
};
