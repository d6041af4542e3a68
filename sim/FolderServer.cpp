#include "sim/FolderServer.h"

#include <httplib.h>

#include <sys/socket.h>

#include <chrono>
#include <stdexcept>

namespace sim {

FolderServer::FolderServer(const std::filesystem::path& folder, int port, dispatch::Nanoseconds delay)
    : m_server(std::make_unique<httplib::Server>())
    , m_port(port)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        throw std::runtime_error("no folder to serve at " + folder.string());
    // The mount point refuses paths that climb out of the folder.
    if (!m_server->set_mount_point("/", folder.string()))
        throw std::runtime_error("cannot serve " + folder.string());
    if (delay > 0) {
        m_server->set_pre_routing_handler([this, delay](const httplib::Request&, httplib::Response& res) {
            auto& loop = dispatch::RunLoop::main();
            if (loop.sleepUntil(loop.now() + delay, m_stopHeld.get_token()))
                return httplib::Server::HandlerResponse::Unhandled; // on to the files
            res.status = 503;
            return httplib::Server::HandlerResponse::Handled;
        });
    }
    // Address reuse only (no port sharing): a port another server holds is refused, not shared.
    m_server->set_socket_options([](int sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    if (!m_server->bind_to_port("127.0.0.1", port))
        throw std::runtime_error("port " + std::to_string(port) + " on 127.0.0.1 is taken or not allowed");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    while (!m_server->is_running() && m_thread.joinable())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

FolderServer::~FolderServer()
{
    m_stopHeld.request_stop();
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace sim
