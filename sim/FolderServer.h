#pragma once

// A web server for the length of a script: the files of one host folder, read-only, on
// 127.0.0.1 only, so that a script can fetch pictures from a web address without a network.
//
// It may hold each answer until the phone's virtual clock has moved on by a delay, so that a
// script sees what the phone shows while a download runs. The request waits as a sleeper of the
// main run loop: the loop does not wait for the download meanwhile, and releases it when its
// clock reaches the time, so every run shows the same frames.

#include "platform/dispatch/RunLoop.h"

#include <filesystem>
#include <memory>
#include <stop_token>
#include <thread>

namespace httplib {
class Server;
}

namespace sim {

class FolderServer {
public:
    // Serves `folder` at http://127.0.0.1:`port`/, each answer `delay` after its request on the
    // phone's clock. Throws std::runtime_error when the folder is missing or the port cannot be had.
    FolderServer(const std::filesystem::path& folder, int port, dispatch::Nanoseconds delay = 0);
    ~FolderServer();
    FolderServer(const FolderServer&) = delete;
    FolderServer& operator=(const FolderServer&) = delete;

    int port() const { return m_port; }

private:
    std::unique_ptr<httplib::Server> m_server;
    // Sends held requests away when the server stops (they are answered 503).
    std::stop_source m_stopHeld;
    std::thread m_thread;
    int m_port;
};

} // namespace sim
