#pragma once

// A web server for the length of a script: the files of one host folder, read-only, on
// 127.0.0.1 only, so that a script can fetch pictures from a web address without a network.

#include <filesystem>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

namespace sim {

class FolderServer {
public:
    // Serves `folder` at http://127.0.0.1:`port`/. Throws std::runtime_error when the folder is
    // missing or the port cannot be had.
    FolderServer(const std::filesystem::path& folder, int port);
    ~FolderServer();
    FolderServer(const FolderServer&) = delete;
    FolderServer& operator=(const FolderServer&) = delete;

    int port() const { return m_port; }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port;
};

} // namespace sim
