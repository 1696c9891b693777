#pragma once

#include <type_traits>

namespace vel::testing {

// A test's runner for the modal dialogs, file dialogs or popup menus of one
// seam, for one scope: the runner that was there before comes back at the end,
// even when an assertion leaves the test early.
template <class Seam> class InstalledRunner {
public:
    using Runner = std::remove_pointer_t<decltype(Seam::SetRunner(nullptr))>;

    explicit InstalledRunner(Runner* runner) : previous_(Seam::SetRunner(runner)) {}
    ~InstalledRunner() { Seam::SetRunner(previous_); }
    InstalledRunner(const InstalledRunner&) = delete;
    InstalledRunner& operator=(const InstalledRunner&) = delete;

private:
    Runner* previous_;
};

} // namespace vel::testing
