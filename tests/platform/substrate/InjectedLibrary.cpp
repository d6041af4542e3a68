// A small library for the injector tests: its two load-time initializers register marker classes
// in the runtime of the device that loads it, in order.
#include "platform/runtime/NSObject.h"

namespace {
int g_initializations = 0;
}

__attribute__((constructor(101))) static void firstInitializer()
{
    ++g_initializations;
    objc::Runtime::current().registerClass("InjectedFirst", objc::objc_getClass("NSObject"));
}

__attribute__((constructor(102))) static void secondInitializer()
{
    // Runs after the first: it can see the first one's class.
    if (objc::objc_getClass("InjectedFirst"))
        objc::Runtime::current().registerClass("InjectedSecond", objc::objc_getClass("InjectedFirst"));
}
