#pragma once

// Diagnostics: faults that code running inside another process's classes (a tweak) turned into a
// zero value instead of an exception — a selector the receiver does not answer, an instance
// variable that is absent or of another class, a replacement whose signature differs, an
// exception thrown below a guarded call. They are never silent: each goes to the current handler.
// The default handler prints to standard error; test programs install one that fails the test,
// and a test that expects a diagnostic captures it with DiagnosticCapture.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace objc {

using DiagnosticHandler = std::function<void(const std::string&)>;

// Reports one diagnostic (thread-safe).
void diagnose(const std::string& message);
// Replaces the handler; returns the previous one. A null handler restores the default.
DiagnosticHandler setDiagnosticHandler(DiagnosticHandler handler);

// Collects the diagnostics reported while it lives instead of passing them on, for a test that
// expects them. Captures nest; the innermost one collects.
class DiagnosticCapture {
public:
    DiagnosticCapture();
    ~DiagnosticCapture();
    DiagnosticCapture(const DiagnosticCapture&) = delete;
    DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

    std::vector<std::string> messages() const;
    // Hands the collected messages over and forgets them.
    std::vector<std::string> take();

private:
    DiagnosticHandler m_previous;
    struct Store;
    std::shared_ptr<Store> m_store;
};

} // namespace objc
