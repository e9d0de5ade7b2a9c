// Installs a process-wide service for the lifetime of a scope: Install(value)
// puts the value in place and returns the one it replaces, which goes back
// when the scope ends.
#pragma once

#include <type_traits>
#include <utility>

template <typename T, auto Install>
class ScopedInstall {
public:
    explicit ScopedInstall(T value) : previous_(Install(std::move(value))) {}
    // A service object is installed by its address.
    template <typename U = T>
    requires std::is_pointer_v<U>
    explicit ScopedInstall(std::remove_pointer_t<U>& service) : ScopedInstall(&service) {}
    ~ScopedInstall() { Install(std::move(previous_)); }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    T previous_;
};
