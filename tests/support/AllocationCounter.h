#pragma once
// Counts the heap allocations a piece of code makes, through the AddressSanitizer's malloc
// hooks; without the sanitizer nothing can be counted and the tests skip.

#include <atomic>
#include <cstddef>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            std::size_t),
                                                         void (*freeHook)(const volatile void*));
#endif

namespace allocation_counter {
inline std::atomic<bool> counting{false};
inline std::atomic<long> count{0};
inline void OnMalloc(const volatile void*, std::size_t)
{
    if (counting.load())
        ++count;
}
inline void OnFree(const volatile void*)
{
}
} // namespace allocation_counter

// Allocations made while run() runs.
template <typename Run> long CountAllocations(Run&& run)
{
    allocation_counter::count = 0;
    allocation_counter::counting = true;
    run();
    allocation_counter::counting = false;
    return allocation_counter::count.load();
}

// Installs the hooks once; true when they are installed and see a heap allocation.
inline bool CanCountAllocations()
{
#if defined(__SANITIZE_ADDRESS__)
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks(allocation_counter::OnMalloc,
                                                  allocation_counter::OnFree) != 0;
    return installed &&
           CountAllocations([] { auto probe = std::make_unique<volatile double>(1.0); }) > 0;
#else
    return false;
#endif
}
