#pragma once

// The platform's dispatch calls (global names, as on the phone), over the main run loop (main queue) and real threads (global
// queues).

#include "RunLoop.h"

#include <cstdint>


enum class QueueKind { Main, Global };
struct dispatch_queue_s {
    QueueKind kind;
    long priority;
};
using dispatch_queue_t = dispatch_queue_s*;
using dispatch_time_t = std::uint64_t;
using dispatch_block_t = dispatch::Block;

constexpr dispatch_time_t DISPATCH_TIME_NOW = 0;
constexpr dispatch_time_t DISPATCH_TIME_FOREVER = ~0ull;
constexpr long DISPATCH_QUEUE_PRIORITY_HIGH = 2;
constexpr long DISPATCH_QUEUE_PRIORITY_DEFAULT = 0;
constexpr long DISPATCH_QUEUE_PRIORITY_LOW = -2;
constexpr long DISPATCH_QUEUE_PRIORITY_BACKGROUND = -32768;
constexpr std::int64_t NSEC_PER_SEC = 1'000'000'000;
constexpr std::int64_t NSEC_PER_MSEC = 1'000'000;

dispatch_queue_t dispatch_get_main_queue();
dispatch_queue_t dispatch_get_global_queue(long priority, unsigned long flags);

// A point in time on the main run loop's clock, `delta` nanoseconds after `when`.
dispatch_time_t dispatch_time(dispatch_time_t when, std::int64_t delta);

void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);
void dispatch_after(dispatch_time_t when, dispatch_queue_t queue, dispatch_block_t block);
// Runs `block` once per process (per `predicate`).
using dispatch_once_t = long;
void dispatch_once(dispatch_once_t* predicate, dispatch_block_t block);

