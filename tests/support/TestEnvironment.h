#pragma once

#include "platform/dispatch/RunLoop.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/runtime/Runtime.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <stdlib.h>

namespace testing_support {

// A fresh device for one test: its own runtime (no classes or replacements from other tests), an
// empty device root in a temporary folder (removed afterwards), and a rewound main run loop.
class TestEnvironment {
public:
    TestEnvironment()
    {
        dispatch::RunLoop::main().reset();
        std::string pattern = (std::filesystem::temp_directory_path() / "ovrimo-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary device root");
        m_root = pattern;
        filesystem::DeviceRoot::set(m_root);
        m_runtime = std::make_unique<objc::Runtime>();
    }
    ~TestEnvironment()
    {
        dispatch::RunLoop::main().reset();
        m_runtime.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    objc::Runtime& runtime() { return *m_runtime; }
    const std::filesystem::path& root() const { return m_root; }
    // The host path of a device path inside this root.
    std::filesystem::path hostPath(const std::string& devicePath) const { return m_root / std::filesystem::path(devicePath).relative_path(); }

private:
    std::filesystem::path m_root;
    std::unique_ptr<objc::Runtime> m_runtime;
};

} // namespace testing_support
