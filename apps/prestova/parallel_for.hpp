#pragma once
// Runs work(i) for every i below count on up to `jobs` threads, each thread
// taking the next index as it becomes free. Where the C++ library has no
// threads (mingw-w64's win32 model), the work runs on the caller's thread.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
#define PRESTOVA_HAS_THREADS 1
#endif

namespace prestova {

inline unsigned available_cores()
{
#ifdef PRESTOVA_HAS_THREADS
    return std::max(1u, std::thread::hardware_concurrency());
#else
    return 1;
#endif
}

// An exception thrown by work is passed on once every thread has stopped.
template <typename Work>
void parallel_for(std::size_t count, unsigned jobs, Work&& work)
{
#ifdef PRESTOVA_HAS_THREADS
    const std::size_t threads = std::min<std::size_t>(std::max(1u, jobs), count);
    if (threads > 1) {
        std::atomic<std::size_t> next{0};
        std::exception_ptr failure;
        std::mutex failure_lock;
        auto run = [&] {
            for (std::size_t i; (i = next++) < count;) {
                try {
                    work(i);
                } catch (...) {
                    const std::lock_guard lock(failure_lock);
                    if (!failure) failure = std::current_exception();
                    next = count;
                }
            }
        };
        std::vector<std::thread> pool;
        for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(run);
        run();
        for (auto& t : pool) t.join();
        if (failure) std::rethrow_exception(failure);
        return;
    }
#else
    (void)jobs;
#endif
    for (std::size_t i = 0; i < count; ++i) work(i);
}

// Runs side() on a thread of its own while main() runs on the caller's, and
// returns once both are done, passing on an exception of either (main's
// first). Without threads, side() runs first.
template <typename Side, typename Main>
void alongside(Side&& side, Main&& main)
{
#ifdef PRESTOVA_HAS_THREADS
    std::exception_ptr failure;
    std::thread thread([&] {
        try {
            side();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        main();
    } catch (...) {
        thread.join();
        throw;
    }
    thread.join();
    if (failure) std::rethrow_exception(failure);
#else
    side();
    main();
#endif
}

}  // namespace prestova
