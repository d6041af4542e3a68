#pragma once

// The phone in a web browser: an HTTP server (cpp-httplib) that serves the page (sim/web/), the
// screen's frames as PNG, a stream of server-sent events telling pages that a new frame is there,
// and the actions of a person's hand: touches, pinches, keys, the buttons beside the screen, a
// profile to reboot into, a picture for the photo library, text for the pasteboard and the icon
// files as a .zip. Handlers never touch the phone: they check the request, hand the work to the
// phone's thread (PhoneHost::call) and answer JSON, {"ok": true, ...} or {"error": "why"} with a
// 4xx status for a request that is refused (which then changes nothing).

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace sim {

class PhoneHost;

struct ServerOptions {
    std::string address = "127.0.0.1";
    // 0 picks a free port.
    int port = 8080;
    // Pages watching at once; one more is refused.
    int watchers = 16;
    // The largest request body: a picture or a .zip.
    std::size_t largestUpload = 64u << 20;
    // The largest JSON body of an action; a larger body is an upload.
    std::size_t largestAction = 64u << 10;
    // What one client may cost (see ConnectionIntake.h).
    std::size_t largestHead = 64u << 10;
    std::chrono::milliseconds headDeadline { 10000 };
    std::chrono::milliseconds bodyDeadline { 60000 };
    int connectionsPerClient = 32;
    int connections = 256;
    int uploadsInFlight = 2;
};

class GuardedHttpServer;
class ConnectionIntake;
class PacedStreams;
struct RouteContext;

class Server {
public:
    Server(PhoneHost& host, ServerOptions options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds the address; answers the port listened on. Throws std::runtime_error when it cannot.
    int bind();
    // Serves on a thread of its own until stop().
    void start();
    void stop();

    // "http://ADDRESS:PORT/".
    std::string address() const;

    // Every request the server answers, as "GET /api/state", in the order of its table.
    static std::vector<std::string> routes();

private:
    void addRoutes();

    PhoneHost& m_host;
    ServerOptions m_options;
    std::unique_ptr<GuardedHttpServer> m_server;
    std::unique_ptr<ConnectionIntake> m_intake;
    // The pages' paced frame streams, which their pages tell what they drew.
    std::unique_ptr<PacedStreams> m_streams;
    // What the routes answer with (sim/Server.cpp holds the table of routes).
    std::unique_ptr<RouteContext> m_context;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace sim
