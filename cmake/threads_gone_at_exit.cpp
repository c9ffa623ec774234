// SPDX-License-Identifier: MIT
//
// Linked into every program of a sanitizer build. The leak check runs when the
// process exits. A thread that has been told to end (Qt's thread pools end
// theirs as the application object goes) but is still tearing itself down at
// that moment has already let go of its stack while its per-thread data is not
// yet freed: the check reports that data as leaked. Before the check, wait
// until the other threads are gone. Threads that never end (exact work left
// running at the program's end) are given up after a while; a thread asleep
// is safe to check, only one half gone is not.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

int ThreadCount()
{
    std::error_code error;
    int count = 0;
    for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end;
         it.increment(error))
        ++count;
    return error ? 1 : count;
}

void WaitForOtherThreads()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(1);
    while (ThreadCount() > 1 && Clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// Registered after the sanitizer's own exit handler, so it runs before it.
const int registered = std::atexit(WaitForOtherThreads);

} // namespace
