#include "platform/dispatch/Queue.h"
#include "platform/foundation/Foundation.h"
#include "platform/foundation/URLFetch.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using objc::msgSend;
using objc::Ref;

namespace {

// A one-thread HTTP server on 127.0.0.1 that answers by path: "/picture.png" with a body,
// "/missing" with 404, "/redirect" with a redirect to "/picture.png", "/trickle" with 600 bytes
// sent one every 50 ms, "/steady" with 120 KB sent 3 KB every 50 ms.
class LoopbackServer {
public:
    LoopbackServer()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_socket, 8);
        m_thread = std::thread([this] { serve(); });
    }
    ~LoopbackServer()
    {
        m_stop = true;
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
    }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
    int requests() const { return m_requests; }

    static constexpr const char* body = "\x89PNG fake picture bytes";

private:
    void serve()
    {
        while (!m_stop) {
            int client = accept(m_socket, nullptr, nullptr);
            if (client < 0)
                return;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                ssize_t got = read(client, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            ++m_requests;
            std::string path = request.substr(4, request.find(' ', 4) - 4);
            std::string response;
            if (path == "/trickle" || path == "/steady") {
                bool trickle = path == "/trickle";
                sendSlowly(client, trickle ? 600 : 40 * 3000, trickle ? 1 : 3000);
                close(client);
                continue;
            }
            if (path == "/picture.png")
                response = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " + std::to_string(std::string(body).size()) + "\r\nConnection: close\r\n\r\n" + body;
            else if (path == "/redirect")
                response = "HTTP/1.1 302 Found\r\nLocation: /picture.png\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            else
                response = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
            ssize_t ignored = write(client, response.data(), response.size());
            (void)ignored;
            close(client);
        }
    }

    // A 200 answer of `size` bytes, `piece` bytes every 50 ms, until done, the client goes or the
    // server stops.
    void sendSlowly(int client, std::size_t size, std::size_t piece)
    {
        std::string head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\nConnection: close\r\n\r\n";
        if (send(client, head.data(), head.size(), MSG_NOSIGNAL) < 0)
            return;
        std::string bytes(piece, 'x');
        for (std::size_t sent = 0; sent < size && !m_stop; sent += piece) {
            if (send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop { false };
    std::atomic<int> m_requests { 0 };
    std::thread m_thread;
};

// A port on which nothing listens.
int closedPort()
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

class URLTest : public ::testing::Test {
protected:
    void SetUp() override { registerFoundationClasses(env.runtime()); }

    Ref<NSData> fetch(const std::string& text)
    {
        auto url = NSURL::URLWithString(text);
        return msgSend<Ref<NSData>>(objc::objc_getClass("NSData"), "dataWithContentsOfURL:", url);
    }

    testing_support::TestEnvironment env;
    dispatch::RunLoop& loop = dispatch::RunLoop::main();
};

TEST_F(URLTest, ParsingSchemeAndHost)
{
    auto web = msgSend<Ref<NSURL>>(objc::objc_getClass("NSURL"), "URLWithString:", "https://images.example.com:8443/a%20b.png?size=big");
    ASSERT_TRUE(web);
    EXPECT_EQ(msgSend<std::string>(web, "scheme"), "https");
    EXPECT_EQ(msgSend<std::string>(web, "host"), "images.example.com");
    EXPECT_EQ(web->path(), "/a b.png");
    EXPECT_EQ(web->query(), "size=big");
    EXPECT_EQ(msgSend<std::string>(web, "absoluteString"), "https://images.example.com:8443/a%20b.png?size=big");
    EXPECT_FALSE(msgSend<bool>(web, "isFileURL"));

    auto words = NSURL::URLWithString("hello");
    ASSERT_TRUE(words) << "a relative reference is a URL";
    EXPECT_FALSE(words->scheme());
    EXPECT_FALSE(words->host());
    EXPECT_FALSE(NSURL::URLWithString("plain words"));
    EXPECT_FALSE(NSURL::URLWithString(""));
    EXPECT_FALSE(NSURL::URLWithString("http://bad%zz"));
    auto file = NSURL::fileURLWithPath("/var/mobile/my picture.png");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->isFileURL());
    EXPECT_EQ(file->path(), "/var/mobile/my picture.png");
}

TEST_F(URLTest, DownloadsFromALoopbackServer)
{
    LoopbackServer server;
    auto data = fetch(server.url("/picture.png"));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->view(), LoopbackServer::body);
    auto redirected = fetch(server.url("/redirect"));
    ASSERT_TRUE(redirected);
    EXPECT_EQ(redirected->view(), LoopbackServer::body);
    EXPECT_FALSE(fetch(server.url("/missing"))) << "an error page is not the picture";
}

TEST_F(URLTest, FailingDownloadsGiveNil)
{
    EXPECT_FALSE(fetch("http://127.0.0.1:" + std::to_string(closedPort()) + "/picture.png"));
    EXPECT_FALSE(fetch("ftp://127.0.0.1/picture.png"));
    EXPECT_FALSE(fetch("hello"));
    EXPECT_FALSE(msgSend<Ref<NSData>>(objc::objc_getClass("NSData"), "dataWithContentsOfURL:", static_cast<NSURL*>(nullptr)));
    LoopbackServer server;
    auto url = NSURL::URLWithString(server.url("/picture.png"));
    foundation::FetchLimits tiny;
    tiny.maximumBytes = 4;
    auto result = foundation::fetchURL(*url, tiny);
    EXPECT_FALSE(result.body) << "larger than the cap";
    EXPECT_EQ(result.errorCode, NSURLErrorDataLengthExceedsMaximum);
}

TEST_F(URLTest, ATricklingDownloadIsCutOffAndASteadyOneIsNot)
{
    LoopbackServer server;
    foundation::FetchLimits limits;
    limits.lowSpeedBytesPerSecond = 1000;
    limits.lowSpeedSeconds = 1;
    // 20 bytes a second would take 30 s for the whole answer.
    auto start = std::chrono::steady_clock::now();
    auto trickle = foundation::fetchURL(*NSURL::URLWithString(server.url("/trickle")), limits);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(trickle.body);
    EXPECT_EQ(trickle.errorCode, NSURLErrorTimedOut);
    EXPECT_LT(seconds, 5);
    // 60 KB a second, above the rate: the whole answer arrives. Judged over 3 s rather than 1, so
    // that a machine too busy to run the server's thread for a second does not make it a trickle.
    limits.lowSpeedSeconds = 3;
    auto steady = foundation::fetchURL(*NSURL::URLWithString(server.url("/steady")), limits);
    ASSERT_TRUE(steady.body);
    EXPECT_EQ(steady.body->size(), 40u * 3000u);
}

TEST_F(URLTest, FileURLsReadDevicePathsOnly)
{
    std::filesystem::create_directories(env.hostPath("/var/mobile/Media"));
    std::ofstream(env.hostPath("/var/mobile/Media/p.png")) << "local";
    auto data = fetch("file:///var/mobile/Media/p.png");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->view(), "local");
    EXPECT_FALSE(fetch("file:///../../etc/passwd"));
    EXPECT_FALSE(fetch("file:///var/mobile/Media/none.png"));
}

TEST_F(URLTest, SessionTasksCompleteOnABackgroundThread)
{
    LoopbackServer server;
    auto session = msgSend<Ref<NSURLSession>>(objc::objc_getClass("NSURLSession"), "sharedSession");
    ASSERT_EQ(session, NSURLSession::sharedSession());
    std::thread::id mainThread = std::this_thread::get_id();
    std::atomic<bool> offMain { false };
    std::string received;
    long status = 0;
    NSURLSessionDataCompletion completion = [&](NSData* data, NSHTTPURLResponse* response, NSError* error) {
        offMain = std::this_thread::get_id() != mainThread;
        ASSERT_FALSE(error);
        received = std::string(data->view());
        status = response->statusCode;
    };
    auto task = msgSend<Ref<NSURLSessionDataTask>>(session, "dataTaskWithURL:completionHandler:", NSURL::URLWithString(server.url("/picture.png")), completion);
    EXPECT_EQ(server.requests(), 0) << "nothing happens before resume";
    msgSend(task, "resume");
    loop.runUntilIdle(); // waits for the background work
    EXPECT_TRUE(offMain);
    EXPECT_EQ(received, LoopbackServer::body);
    EXPECT_EQ(status, 200);

    Ref<NSError> failure;
    NSURLSessionDataCompletion failed = [&](NSData* data, NSHTTPURLResponse*, NSError* error) {
        EXPECT_FALSE(data);
        failure = error;
    };
    auto request = msgSend<Ref<NSURLRequest>>(objc::objc_getClass("NSURLRequest"), "requestWithURL:", NSURL::URLWithString("http://127.0.0.1:" + std::to_string(closedPort()) + "/"));
    msgSend(msgSend<Ref<NSURLSessionDataTask>>(session, "dataTaskWithRequest:completionHandler:", request, failed), "resume");
    loop.runUntilIdle();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->domain(), NSURLErrorDomain);
}

} // namespace
