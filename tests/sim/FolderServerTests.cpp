// The scripts' web server: the files of one folder, nothing outside it, and a clear refusal when
// the port is taken.

#include "sim/FolderServer.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>

namespace {

class FolderServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_base = std::filesystem::temp_directory_path() / ("ovrimo-folder-server-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_base / "served");
        std::ofstream(m_base / "served" / "picture.png") << "picture bytes";
        std::ofstream(m_base / "secret.txt") << "not for the web";
    }
    void TearDown() override { std::filesystem::remove_all(m_base); }
    std::filesystem::path m_base;
};

} // namespace

TEST_F(FolderServerTest, ServesTheFolderAndNothingOutsideIt)
{
    sim::FolderServer server(m_base / "served", 18765);
    httplib::Client client("127.0.0.1", 18765);
    auto found = client.Get("/picture.png");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->status, 200);
    EXPECT_EQ(found->body, "picture bytes");
    EXPECT_EQ(client.Get("/missing.png")->status, 404);
    for (const char* escape : { "/../secret.txt", "/%2e%2e/secret.txt", "/..%2fsecret.txt" }) {
        auto answer = client.Get(escape);
        ASSERT_TRUE(answer) << escape;
        EXPECT_NE(answer->body, "not for the web") << escape;
    }
    EXPECT_THROW(sim::FolderServer(m_base / "served", 18765), std::runtime_error) << "the port is taken";
}

TEST_F(FolderServerTest, AMissingFolderIsRefused)
{
    EXPECT_THROW(sim::FolderServer(m_base / "nowhere", 18766), std::runtime_error);
}
