#include "Diagnostics.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <utility>

namespace objc {

namespace {

std::mutex& handlerMutex()
{
    static std::mutex mutex;
    return mutex;
}

void printToStandardError(const std::string& message)
{
    std::fprintf(stderr, "runtime diagnostic: %s\n", message.c_str());
}

DiagnosticHandler& currentHandler()
{
    static DiagnosticHandler handler = printToStandardError;
    return handler;
}

} // namespace

void diagnose(const std::string& message)
{
    DiagnosticHandler handler;
    {
        std::lock_guard lock(handlerMutex());
        handler = currentHandler();
    }
    handler(message);
}

DiagnosticHandler setDiagnosticHandler(DiagnosticHandler handler)
{
    std::lock_guard lock(handlerMutex());
    DiagnosticHandler previous = std::move(currentHandler());
    currentHandler() = handler ? std::move(handler) : DiagnosticHandler(printToStandardError);
    return previous;
}

struct DiagnosticCapture::Store {
    mutable std::mutex mutex;
    std::vector<std::string> messages;
};

DiagnosticCapture::DiagnosticCapture()
    : m_store(std::make_shared<Store>())
{
    std::shared_ptr<Store> store = m_store;
    m_previous = setDiagnosticHandler([store](const std::string& message) {
        std::lock_guard lock(store->mutex);
        store->messages.push_back(message);
    });
}

DiagnosticCapture::~DiagnosticCapture() { setDiagnosticHandler(std::move(m_previous)); }

std::vector<std::string> DiagnosticCapture::messages() const
{
    std::lock_guard lock(m_store->mutex);
    return m_store->messages;
}

std::vector<std::string> DiagnosticCapture::take()
{
    std::lock_guard lock(m_store->mutex);
    return std::exchange(m_store->messages, {});
}

} // namespace objc
