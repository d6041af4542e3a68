// Every test program fails a test that leaves a runtime diagnostic it did not ask for: a
// diagnostic means a fault was turned into a zero value somewhere, and that must never pass
// unnoticed. A test that expects one captures it with objc::DiagnosticCapture.

#include "platform/runtime/Diagnostics.h"

#include <gtest/gtest.h>

namespace {

const bool s_installed = [] {
    objc::setDiagnosticHandler([](const std::string& message) { ADD_FAILURE() << "unexpected runtime diagnostic: " << message; });
    return true;
}();

} // namespace
