#pragma once
// A bounded set of database connections that the client connections' threads share,
// one command at a time. Without it every client connection's thread has a database
// connection of its own: with PostgreSQL a server process each, with SQLite a page
// cache each that every write by another connection empties. Many of those side by
// side on few processors each pay for a cold start (a new PostgreSQL process touches
// the shared buffers page by page; a new SQLite cache rereads what another one already
// holds) and only share the processors ever more thinly. A few connections kept busy
// stay warm and let the others' commands wait their turn, first come first served
// (for a few seconds at most: then one more is opened for the time being).

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class CDatabase;
class CThreadConnection;

class CConnectionPool {
public:
    // size: connections at most; 0 takes two per processor, at least four.
    CConnectionPool(CDatabase& database, int size);
    ~CConnectionPool();
    CConnectionPool(const CConnectionPool&) = delete;
    CConnectionPool& operator=(const CConnectionPool&) = delete;

    int Size() const { return m_size; }

    // While it lives, what the calling thread does on the pool's database runs on one
    // connection of the pool: taken at the first statement (waiting for one when all
    // are in use) and given back when the scope ends. Transactions and statements must
    // end inside the scope. A scope inside another one of the same pool adds nothing;
    // a scope without a pool does nothing.
    class Scope {
    public:
        explicit Scope(CConnectionPool* pool);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        friend class CConnectionPool;
        CConnectionPool* m_pool;
        Scope* m_outer;
        std::unique_ptr<CThreadConnection> m_connection;
    };

    // The connection the calling thread holds in a scope of a pool of this database,
    // taken now when the scope has none yet; nullptr outside such a scope.
    static CThreadConnection* ScopedConnection(const CDatabase& database);
    // Gives the connection of the calling thread's scope back before the scope ends
    // (a later statement in the scope takes one again): for a command that has read
    // all it needs and goes on to long work without the database, such as sending a
    // large answer over a slow link. No statement of the connection may be alive; with
    // a transaction open it keeps the connection.
    static void GiveBackEarly(const CDatabase& database);

private:
    std::unique_ptr<CThreadConnection> Take();
    void GiveBack(std::unique_ptr<CThreadConnection> connection);

    struct Waiter {
        std::condition_variable handedOver;
        std::unique_ptr<CThreadConnection> connection;
        bool served = false;
    };

    CDatabase& m_database;
    const int m_size;
    std::mutex m_mutex;
    int m_open = 0;  // connections made and not closed, idle or in use
    std::vector<std::unique_ptr<CThreadConnection>> m_idle;
    std::deque<Waiter*> m_waiters;
};
