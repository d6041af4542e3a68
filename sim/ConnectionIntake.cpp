#include "sim/ConnectionIntake.h"

#include <httplib.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

using Clock = std::chrono::steady_clock;

struct ConnectionIntake::Connection {
    int fd = -1;
    std::string client;
    int port = 0;
    // Bytes received and not yet handed to a request.
    std::string buffered;
    Clock::time_point waitingSince;
    Clock::time_point deadline;
};

namespace {

int milliseconds(Clock::duration d) { return int(std::clamp<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count(), 0, 1 << 30)); }

// Where a complete request head ends (after its blank line) in `bytes`, or npos.
std::size_t headEnd(const std::string& bytes)
{
    std::size_t crlf = bytes.find("\r\n\r\n");
    std::size_t lf = bytes.find("\n\n");
    if (crlf == std::string::npos && lf == std::string::npos)
        return std::string::npos;
    return std::min(crlf == std::string::npos ? std::string::npos : crlf + 4, lf == std::string::npos ? std::string::npos : lf + 2);
}

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// What the head says of the body to come: its declared length and whether it is chunked.
struct BodyFacts {
    std::size_t declaredLength = 0;
    bool chunked = false;
};

BodyFacts bodyFacts(const std::string& head)
{
    BodyFacts facts;
    std::size_t start = head.find('\n');
    while (start != std::string::npos && start + 1 < head.size()) {
        std::size_t end = head.find('\n', start + 1);
        std::string line = lowercase(head.substr(start + 1, (end == std::string::npos ? head.size() : end) - start - 1));
        if (line.rfind("content-length:", 0) == 0)
            facts.declaredLength = std::strtoull(line.c_str() + 15, nullptr, 10);
        else if (line.rfind("transfer-encoding:", 0) == 0 && line.find("chunked") != std::string::npos)
            facts.chunked = true;
        start = end;
    }
    return facts;
}

const char* reasonFor(int status)
{
    switch (status) {
    case 408: return "Request Timeout";
    case 413: return "Payload Too Large";
    case 431: return "Request Header Fields Too Large";
    default: return "Service Unavailable";
    }
}

// A whole refusal, written without waiting: a JSON reason and the connection's end.
void sendRefusal(int fd, int status, const std::string& why)
{
    std::string body = "{\"error\":\"" + why + "\"}";
    std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + reasonFor(status) + "\r\nContent-Type: application/json\r\nCache-Control: no-store\r\n"
        + "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    ssize_t ignored = send(fd, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    (void)ignored;
    shutdown(fd, SHUT_WR);
}

// After a refusal the client may still be sending: what arrives is read and dropped for a moment
// (while it keeps coming, at most 1 s and 4 MiB) before the socket is closed, since closing with
// unread data resets the connection and the client would lose the refusal.
void discardWhatFollows(int fd)
{
    auto until = Clock::now() + std::chrono::seconds(1);
    std::size_t dropped = 0;
    char scratch[16384];
    while (dropped < (4u << 20) && Clock::now() < until) {
        pollfd p { fd, POLLIN, 0 };
        if (poll(&p, 1, std::min(100, milliseconds(until - Clock::now()))) <= 0)
            return;
        ssize_t n = recv(fd, scratch, sizeof scratch, MSG_DONTWAIT);
        if (n <= 0)
            return;
        dropped += std::size_t(n);
    }
}

// An upload's hold on one of the slots for uploads in flight. It is given back as the request's
// answer starts to go out (a client that has its answer may send its next upload at once and must
// not be told that its last one is still being taken), or at the latest when the request is over.
class UploadSlot {
public:
    UploadSlot(std::mutex& mutex, int& uploads)
        : m_mutex(mutex)
        , m_uploads(uploads)
    {
    }
    ~UploadSlot() { release(); }
    UploadSlot(const UploadSlot&) = delete;
    UploadSlot& operator=(const UploadSlot&) = delete;

    void release()
    {
        if (!m_held)
            return;
        std::lock_guard lock(m_mutex);
        --m_uploads;
        m_held = false;
    }

private:
    std::mutex& m_mutex;
    int& m_uploads;
    bool m_held = true;
};

// One request's view of its connection for httplib: the bytes already received first, then the
// socket, with the body held to its size and deadline. A body over either bound is answered here
// (413 or 408) and the request's own answer is then dropped.
class RequestStream final : public httplib::Stream {
public:
    // `slot` is the upload's slot (null for an action), given back when the request is refused, or
    // when its answer goes out after all of the body `bodySize` announced has arrived (not at an
    // interim "100 Continue"). A chunked body's size is not known: its slot is held to the end.
    RequestStream(ConnectionIntake::Connection& connection, std::size_t headSize, const IntakeLimits& limits, UploadSlot* slot, std::optional<std::size_t> bodySize)
        : m_connection(connection)
        , m_headSize(headSize)
        , m_limits(limits)
        , m_deadline(Clock::now() + limits.bodyDeadline)
        , m_slot(slot)
        , m_requestEnd(bodySize ? headSize + *bodySize : SIZE_MAX)
    {
    }

    bool failed() const { return m_failed; }
    // Bytes of the buffer this request took.
    std::size_t bufferedTaken() const { return m_offset; }

    bool is_readable() const override { return m_offset < m_connection.buffered.size() || waitFor(POLLIN, m_limits.stallTimeout); }
    bool is_writable() const override { return !m_failed && waitFor(POLLOUT, m_limits.stallTimeout); }

    ssize_t read(char* ptr, size_t size) override
    {
        if (m_failed)
            return -1;
        const std::string& buffered = m_connection.buffered;
        if (m_offset < buffered.size()) {
            std::size_t n = std::min(size, buffered.size() - m_offset);
            std::memcpy(ptr, buffered.data() + m_offset, n);
            m_offset += n;
            return counted(n);
        }
        auto left = m_deadline - Clock::now();
        if (left <= Clock::duration::zero() || !waitFor(POLLIN, std::min<Clock::duration>(left, m_limits.stallTimeout)))
            return refuse(408, "the request body did not arrive in time");
        ssize_t n = recv(m_connection.fd, ptr, size, 0);
        if (n <= 0) {
            m_failed = true;
            return -1;
        }
        return counted(std::size_t(n));
    }

    ssize_t write(const char* ptr, size_t size) override
    {
        if (m_slot && m_taken >= m_requestEnd)
            m_slot->release();
        if (!is_writable())
            return -1;
        return send(m_connection.fd, ptr, size, MSG_NOSIGNAL);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override
    {
        ip = m_connection.client;
        port = m_connection.port;
    }

    void get_local_ip_and_port(std::string& ip, int& port) const override
    {
        sockaddr_storage address {};
        socklen_t length = sizeof address;
        ip.clear();
        port = 0;
        if (getsockname(m_connection.fd, reinterpret_cast<sockaddr*>(&address), &length) == 0 && address.ss_family == AF_INET) {
            auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
            char text[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
            ip = text;
            port = ntohs(v4->sin_port);
        }
    }

    socket_t socket() const override { return m_connection.fd; }

private:
    bool waitFor(short events, Clock::duration timeout) const
    {
        pollfd p { m_connection.fd, events, 0 };
        return poll(&p, 1, milliseconds(timeout)) > 0 && !(p.revents & POLLNVAL);
    }

    ssize_t counted(std::size_t n)
    {
        m_taken += n;
        if (m_taken > m_headSize && m_taken - m_headSize > m_limits.largestBody)
            return refuse(413, "the request body is larger than " + std::to_string(m_limits.largestBody) + " bytes");
        return ssize_t(n);
    }

    ssize_t refuse(int status, const std::string& why)
    {
        if (m_slot)
            m_slot->release();
        if (!m_failed)
            sendRefusal(m_connection.fd, status, why);
        m_failed = true;
        return -1;
    }

    ConnectionIntake::Connection& m_connection;
    std::size_t m_headSize;
    const IntakeLimits& m_limits;
    Clock::time_point m_deadline;
    std::size_t m_offset = 0;
    std::size_t m_taken = 0;
    bool m_failed = false;
    UploadSlot* m_slot;
    std::size_t m_requestEnd;
};

} // namespace

ConnectionIntake::ConnectionIntake(IntakeLimits limits, int workers, Serve serve)
    : m_limits(limits)
    , m_serve(std::move(serve))
    , m_workers(std::make_unique<httplib::ThreadPool>(std::size_t(std::max(workers, 1))))
{
    if (pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot make the server's wake-up pipe");
    m_watcher = std::thread([this] { watch(); });
}

ConnectionIntake::~ConnectionIntake()
{
    stop();
    close(m_wakePipe[0]);
    close(m_wakePipe[1]);
}

int ConnectionIntake::openConnections() const
{
    std::lock_guard lock(m_mutex);
    return m_open;
}

void ConnectionIntake::wake()
{
    char byte = 1;
    ssize_t ignored = ::write(m_wakePipe[1], &byte, 1);
    (void)ignored;
}

void ConnectionIntake::admit(int socket)
{
    auto connection = std::make_shared<Connection>();
    connection->fd = socket;
    sockaddr_storage address {};
    socklen_t length = sizeof address;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        char text[INET6_ADDRSTRLEN] = {};
        if (address.ss_family == AF_INET) {
            auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
            inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
            connection->port = ntohs(v4->sin_port);
        } else if (address.ss_family == AF_INET6) {
            auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
            inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
            connection->port = ntohs(v6->sin6_port);
        }
        connection->client = text;
    }
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
            close(socket);
            return;
        }
        m_arrivals.push_back(std::move(connection));
    }
    wake();
}

void ConnectionIntake::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    wake();
    if (m_watcher.joinable())
        m_watcher.join();
    m_workers->shutdown();
}

// Closes a connection and gives its place back. The caller holds m_mutex.
static void closeCounted(ConnectionIntake::Connection& connection, std::map<std::string, int>& perClient, int& open)
{
    if (connection.fd < 0)
        return;
    close(connection.fd);
    connection.fd = -1;
    if (--perClient[connection.client] <= 0)
        perClient.erase(connection.client);
    --open;
}

void ConnectionIntake::finish(Connection& connection)
{
    std::lock_guard lock(m_mutex);
    closeCounted(connection, m_perClient, m_open);
}

// The oldest connection waiting for its head, of that client (or of anyone when the server as a
// whole is full), is closed to make room. False when none is waiting. The caller holds m_mutex.
bool ConnectionIntake::makeRoomFor(const std::string& client, std::vector<std::shared_ptr<Connection>>& waiting)
{
    bool clientFull = m_perClient.count(client) && m_perClient[client] >= m_limits.connectionsPerClient;
    auto oldest = waiting.end();
    for (auto it = waiting.begin(); it != waiting.end(); ++it)
        if ((*it)->fd >= 0 && (!clientFull || (*it)->client == client) && (oldest == waiting.end() || (*it)->waitingSince < (*oldest)->waitingSince))
            oldest = it;
    if (oldest == waiting.end())
        return false;
    closeCounted(**oldest, m_perClient, m_open);
    waiting.erase(oldest);
    return true;
}

void ConnectionIntake::takeArrivals(std::vector<std::shared_ptr<Connection>>& waiting)
{
    std::lock_guard lock(m_mutex);
    auto now = Clock::now();
    for (auto& connection : m_arrivals) {
        if (connection->waitingSince == Clock::time_point {}) {
            // New: counted against its client and the whole, making room if need be.
            bool full = (m_perClient.count(connection->client) && m_perClient[connection->client] >= m_limits.connectionsPerClient) || m_open >= m_limits.connections;
            if (full && !makeRoomFor(connection->client, waiting)) {
                sendRefusal(connection->fd, 503, "too many connections from this address; try again shortly");
                close(connection->fd);
                continue;
            }
            ++m_perClient[connection->client];
            ++m_open;
        }
        connection->waitingSince = now;
        connection->deadline = now + m_limits.headDeadline;
        waiting.push_back(std::move(connection));
    }
    m_arrivals.clear();
}

void ConnectionIntake::watch()
{
    std::vector<std::shared_ptr<Connection>> waiting;
    std::vector<pollfd> fds;
    std::vector<char> scratch(16384);
    while (true) {
        takeArrivals(waiting);
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping) {
                for (auto& connection : waiting)
                    closeCounted(*connection, m_perClient, m_open);
                for (auto& connection : m_arrivals)
                    if (connection->waitingSince != Clock::time_point {})
                        closeCounted(*connection, m_perClient, m_open);
                    else
                        close(connection->fd);
                m_arrivals.clear();
                return;
            }
        }
        // Complete heads go to a worker; heads too long or too late are refused.
        auto now = Clock::now();
        Clock::time_point nearest = now + std::chrono::milliseconds(250);
        std::vector<std::shared_ptr<Connection>> still;
        for (auto& connection : waiting) {
            std::size_t end = headEnd(connection->buffered);
            if (end != std::string::npos && end <= m_limits.largestHead) {
                dispatch(connection);
                continue;
            }
            if (connection->buffered.size() >= m_limits.largestHead) {
                refuse(connection, 431, "the request head is larger than " + std::to_string(m_limits.largestHead) + " bytes");
                continue;
            }
            if (now >= connection->deadline) {
                if (connection->buffered.empty())
                    finish(*connection);
                else
                    refuse(connection, 408, "the request head did not arrive in time");
                continue;
            }
            nearest = std::min(nearest, connection->deadline);
            still.push_back(connection);
        }
        waiting.swap(still);

        fds.assign(1, pollfd { m_wakePipe[0], POLLIN, 0 });
        for (auto& connection : waiting)
            fds.push_back(pollfd { connection->fd, POLLIN, 0 });
        poll(fds.data(), fds.size(), milliseconds(nearest - now) + 1);
        if (fds[0].revents & POLLIN)
            while (::read(m_wakePipe[0], scratch.data(), scratch.size()) > 0) { }
        for (std::size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            Connection& connection = *waiting[i - 1];
            std::size_t room = m_limits.largestHead + 1 - std::min(connection.buffered.size(), m_limits.largestHead);
            ssize_t n = recv(connection.fd, scratch.data(), std::min(room, scratch.size()), MSG_DONTWAIT);
            if (n > 0)
                connection.buffered.append(scratch.data(), std::size_t(n));
            else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                finish(connection);
        }
        waiting.erase(std::remove_if(waiting.begin(), waiting.end(), [](const auto& c) { return c->fd < 0; }), waiting.end());
    }
}

void ConnectionIntake::dispatch(std::shared_ptr<Connection> connection)
{
    m_workers->enqueue([this, connection] { serveRequest(connection); });
}

void ConnectionIntake::refuse(std::shared_ptr<Connection> connection, int status, std::string why)
{
    m_workers->enqueue([this, connection, status, why] {
        sendRefusal(connection->fd, status, why);
        discardWhatFollows(connection->fd);
        finish(*connection);
    });
}

void ConnectionIntake::serveRequest(const std::shared_ptr<Connection>& connection)
{
    std::size_t headSize = headEnd(connection->buffered);
    BodyFacts facts = bodyFacts(connection->buffered.substr(0, headSize));
    if (facts.declaredLength > m_limits.largestBody) {
        sendRefusal(connection->fd, 413, "the request body is larger than " + std::to_string(m_limits.largestBody) + " bytes");
        discardWhatFollows(connection->fd);
        finish(*connection);
        return;
    }
    bool upload = facts.chunked || facts.declaredLength > m_limits.largestAction;
    std::optional<UploadSlot> slot;
    if (upload) {
        std::unique_lock lock(m_mutex);
        if (m_uploads >= m_limits.uploadsInFlight) {
            lock.unlock();
            sendRefusal(connection->fd, 503, "another upload is being taken; send this one when it has finished");
            discardWhatFollows(connection->fd);
            finish(*connection);
            return;
        }
        ++m_uploads;
        slot.emplace(m_mutex, m_uploads);
    }
    std::optional<std::size_t> bodySize;
    if (!facts.chunked)
        bodySize = facts.declaredLength;
    RequestStream stream(*connection, headSize, m_limits, slot ? &*slot : nullptr, bodySize);
    bool closed = false;
    bool answered = false;
    try {
        answered = m_serve(stream, closed);
    } catch (...) {
        answered = false;
    }
    if (upload) {
        slot.reset();
        // The body's pages go back to the system now rather than at some later allocation.
        malloc_trim(0);
    }
    if (stream.failed())
        discardWhatFollows(connection->fd);
    if (!answered || closed || stream.failed()) {
        finish(*connection);
        return;
    }
    connection->buffered.erase(0, stream.bufferedTaken());
    returnToWaiting(connection);
}

void ConnectionIntake::returnToWaiting(std::shared_ptr<Connection> connection)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
            closeCounted(*connection, m_perClient, m_open);
            return;
        }
        m_arrivals.push_back(std::move(connection));
    }
    wake();
}

} // namespace sim
