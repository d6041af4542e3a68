#pragma once

// What one client may cost the server. Every accepted connection waits for its request head on
// one thread that watches them all (poll), so a client that sends slowly holds a socket and a
// buffer, never a thread; only a complete head goes to a worker, which then reads the body and
// answers. Each bound below is enforced here, before the request reaches the handlers:
// - a request head (request line and header lines) of at most `largestHead` bytes, complete
//   within `headDeadline` of when it is awaited (431 or 408 otherwise);
// - a body of at most `largestBody` bytes as sent (chunk framing included), all of it within
//   `bodyDeadline` (the connection is cut otherwise, 413 for one that is too long);
// - at most `connectionsPerClient` connections from one address and `connections` in all: at the
//   limit the oldest connection still waiting for its head makes room, so slow clients cannot keep
//   a page's own requests out; when none is waiting the newcomer is refused (503);
// - at most `uploadsInFlight` requests with a body larger than `largestAction` at once: one more is
//   refused (503) before its body is read.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Stream;
class ThreadPool;
}

namespace sim {

struct IntakeLimits {
    std::size_t largestHead = 64u << 10;
    std::chrono::milliseconds headDeadline { 10000 };
    std::size_t largestBody = 64u << 20;
    std::chrono::milliseconds bodyDeadline { 60000 };
    // A single read or write of a request that stalls this long ends it.
    std::chrono::milliseconds stallTimeout { 10000 };
    int connectionsPerClient = 32;
    int connections = 256;
    int uploadsInFlight = 2;
    std::size_t largestAction = 64u << 10;
};

class ConnectionIntake {
public:
    // Answers one request read from the stream (httplib's request processing); sets
    // `connectionClosed` when the connection is not to be kept.
    using Serve = std::function<bool(httplib::Stream&, bool& connectionClosed)>;

    ConnectionIntake(IntakeLimits limits, int workers, Serve serve);
    ~ConnectionIntake();
    ConnectionIntake(const ConnectionIntake&) = delete;
    ConnectionIntake& operator=(const ConnectionIntake&) = delete;

    // Takes over an accepted socket (closes it in the end). Any thread.
    void admit(int socket);
    // Closes every waiting connection and waits for the requests being answered.
    void stop();

    // Connections open now (waiting or being answered), for tests.
    int openConnections() const;

    struct Connection;

private:
    void watch();
    void takeArrivals(std::vector<std::shared_ptr<Connection>>& waiting);
    bool makeRoomFor(const std::string& client, std::vector<std::shared_ptr<Connection>>& waiting);
    void dispatch(std::shared_ptr<Connection> connection);
    // On a worker: the refusal, what the client still sends dropped for a moment, the end.
    void refuse(std::shared_ptr<Connection> connection, int status, std::string why);
    void serveRequest(const std::shared_ptr<Connection>& connection);
    void returnToWaiting(std::shared_ptr<Connection> connection);
    void finish(Connection& connection);
    void wake();

    IntakeLimits m_limits;
    Serve m_serve;
    std::unique_ptr<httplib::ThreadPool> m_workers;
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Connection>> m_arrivals;
    std::map<std::string, int> m_perClient;
    int m_open = 0;
    int m_uploads = 0;
    bool m_stopping = false;
    int m_wakePipe[2] = { -1, -1 };
    std::thread m_watcher;
};

} // namespace sim
