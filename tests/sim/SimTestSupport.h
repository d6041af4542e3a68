#pragma once

#include "device/Device.h"
#include "sim/Script.h"
#include "sim/ScriptRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace sim_testing {

// A temporary folder, removed afterwards.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ovrimo-sim-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        m_path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A phone without the tweak, booted by the runner into a fresh device root, with its own folders
// for script inputs and screenshots.
class SimulatorTest : public ::testing::Test {
protected:
    void boot(const std::string& profile)
    {
        sim::RunnerOptions options;
        options.defaultProfile = profile;
        options.deviceRootFor = [this](const std::string&) { return folder.path() / "root"; };
        options.inputFolder = folder.path() / "in";
        options.outputFolder = folder.path() / "out";
        std::filesystem::create_directories(options.inputFolder);
        runner = std::make_unique<sim::ScriptRunner>(options);
        runner->run(sim::parseScript("profile " + profile));
        device = runner->device();
    }

    // Runs script lines on the booted phone; the first line is line 1.
    void run(const std::string& text) { runner->run(sim::parseScript(text)); }

    // The error a script stops with; fails the test when it runs through.
    sim::ScriptError failure(const std::string& text)
    {
        try {
            run(text);
        } catch (const sim::ScriptError& e) {
            return e;
        }
        ADD_FAILURE() << "ran through: " << text;
        return sim::ScriptError(-1, "");
    }

    std::filesystem::path hostPath(const std::string& devicePath) const
    {
        return device->root() / std::filesystem::path(devicePath).relative_path();
    }

    void writeFile(const std::filesystem::path& path, const std::string& bytes)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    TemporaryFolder folder;
    std::unique_ptr<sim::ScriptRunner> runner;
    device::Device* device = nullptr;
};

} // namespace sim_testing
