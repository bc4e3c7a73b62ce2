// Runs a piece of code when the scope ends, however it ends: a modal loop puts back what it
// changed even when an error raised inside it unwinds through it.
#pragma once

#include <utility>

namespace tavrin {

template <typename F> class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

} // namespace tavrin
