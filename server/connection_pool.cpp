#include "server/connection_pool.h"

#include "server/database.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// How long a command waits for a connection before the pool opens one beyond its size.
constexpr std::chrono::seconds kLongestWait{5};

// The innermost scope of the calling thread.
thread_local CConnectionPool::Scope* t_scope = nullptr;

int SizeFor(int size)
{
    if (size > 0)
        return size;
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    return std::max(4, 2 * processors);
}

}  // namespace

CConnectionPool::CConnectionPool(CDatabase& database, int size) : m_database(database), m_size(SizeFor(size)) {}

CConnectionPool::~CConnectionPool()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_idle.clear();
}

CConnectionPool::Scope::Scope(CConnectionPool* pool) : m_pool(pool), m_outer(t_scope)
{
    for (Scope* scope = m_outer; scope != nullptr && m_pool != nullptr; scope = scope->m_outer)
        if (scope->m_pool == m_pool)
            m_pool = nullptr;  // the outer scope's connection serves
    if (m_pool != nullptr)
        t_scope = this;
}

CConnectionPool::Scope::~Scope()
{
    if (m_pool == nullptr)
        return;
    t_scope = m_outer;
    if (m_connection)
        m_pool->GiveBack(std::move(m_connection));
}

CThreadConnection* CConnectionPool::ScopedConnection(const CDatabase& database)
{
    for (Scope* scope = t_scope; scope != nullptr; scope = scope->m_outer) {
        if (&scope->m_pool->m_database != &database)
            continue;
        if (!scope->m_connection)
            scope->m_connection = scope->m_pool->Take();
        return scope->m_connection.get();
    }
    return nullptr;
}

void CConnectionPool::GiveBackEarly(const CDatabase& database)
{
    for (Scope* scope = t_scope; scope != nullptr; scope = scope->m_outer) {
        if (&scope->m_pool->m_database != &database)
            continue;
        if (scope->m_connection && scope->m_connection->depth == 0)
            scope->m_pool->GiveBack(std::move(scope->m_connection));
        return;
    }
}

std::unique_ptr<CThreadConnection> CConnectionPool::Take()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_idle.empty()) {
        // The one given back last is the warmest.
        std::unique_ptr<CThreadConnection> connection = std::move(m_idle.back());
        m_idle.pop_back();
        return connection;
    }
    if (m_open < m_size) {
        ++m_open;
        lock.unlock();
        return m_database.NewConnection();
    }
    Waiter waiter;
    m_waiters.push_back(&waiter);
    if (waiter.handedOver.wait_for(lock, kLongestWait, [&waiter]() { return waiter.served; }))
        return std::move(waiter.connection);
    // Every connection has been held this long (by commands that wait on something
    // else: a slow client, a parent's server): one more, closed again when given back,
    // keeps them from holding up everyone.
    m_waiters.erase(std::find(m_waiters.begin(), m_waiters.end(), &waiter));
    ++m_open;
    lock.unlock();
    return m_database.NewConnection();
}

void CConnectionPool::GiveBack(std::unique_ptr<CThreadConnection> connection)
{
    // A transaction left open (which the scope's rules exclude) is not handed on: the
    // connection is closed, which ends it, and a fresh one takes its place.
    if (connection->depth != 0)
        connection = m_database.NewConnection();
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_waiters.empty()) {
        if (m_open > m_size) {
            --m_open;
            lock.unlock();
            connection.reset();
            return;
        }
        m_idle.push_back(std::move(connection));
        return;
    }
    Waiter* next = m_waiters.front();
    m_waiters.pop_front();
    next->connection = std::move(connection);
    next->served = true;
    next->handedOver.notify_one();
}
