#pragma once

// Sets a test seam (a writable global of the code under test, such as file_io_testing::lockFile) for the life
// of the object and puts back what it held, however the test ends.
#include <type_traits>
#include <utility>

namespace test_support {

template <typename T> class ScopedHook {
public:
    ScopedHook(T& hook, std::type_identity_t<T> value)
        : m_hook(hook), m_saved(std::exchange(hook, std::move(value))) {}
    ~ScopedHook() { m_hook = std::move(m_saved); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    T& m_hook;
    T m_saved;
};

} // namespace test_support
