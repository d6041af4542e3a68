#include "Queue.h"

#include <thread>


dispatch_queue_t dispatch_get_main_queue()
{
    static dispatch_queue_s queue { QueueKind::Main, 0 };
    return &queue;
}

dispatch_queue_t dispatch_get_global_queue(long priority, unsigned long)
{
    static dispatch_queue_s high { QueueKind::Global, DISPATCH_QUEUE_PRIORITY_HIGH };
    static dispatch_queue_s normal { QueueKind::Global, DISPATCH_QUEUE_PRIORITY_DEFAULT };
    static dispatch_queue_s low { QueueKind::Global, DISPATCH_QUEUE_PRIORITY_LOW };
    static dispatch_queue_s background { QueueKind::Global, DISPATCH_QUEUE_PRIORITY_BACKGROUND };
    if (priority > 0)
        return &high;
    if (priority == 0)
        return &normal;
    return priority == DISPATCH_QUEUE_PRIORITY_BACKGROUND ? &background : &low;
}

dispatch_time_t dispatch_time(dispatch_time_t when, std::int64_t delta)
{
    if (when == DISPATCH_TIME_FOREVER)
        return when;
    std::int64_t base = when == DISPATCH_TIME_NOW ? dispatch::RunLoop::main().now() : static_cast<std::int64_t>(when);
    std::int64_t t = base + delta;
    // 0 means "now"; keep a real instant distinct from it.
    return t <= 0 ? 1 : static_cast<dispatch_time_t>(t);
}

static void runInBackground(dispatch_block_t block)
{
    dispatch::RunLoop& loop = dispatch::RunLoop::main();
    loop.backgroundStarted();
    std::thread([block = std::move(block), &loop] {
        block();
        loop.backgroundFinished();
    }).detach();
}

void dispatch_async(dispatch_queue_t queue, dispatch_block_t block)
{
    if (!queue || !block)
        return;
    if (queue->kind == QueueKind::Main)
        dispatch::RunLoop::main().post(std::move(block));
    else
        runInBackground(std::move(block));
}

void dispatch_after(dispatch_time_t when, dispatch_queue_t queue, dispatch_block_t block)
{
    if (!queue || !block || when == DISPATCH_TIME_FOREVER)
        return;
    dispatch::RunLoop& loop = dispatch::RunLoop::main();
    std::int64_t delay = when == DISPATCH_TIME_NOW ? 0 : static_cast<std::int64_t>(when) - loop.now();
    if (queue->kind == QueueKind::Main)
        loop.post(std::move(block), delay);
    else
        loop.post([block = std::move(block)] { runInBackground(block); }, delay);
}

void dispatch_once(dispatch_once_t* predicate, dispatch_block_t block)
{
    if (!predicate || *predicate)
        return;
    *predicate = ~0l;
    block();
}

