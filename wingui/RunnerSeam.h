#pragma once

namespace vel::wingui {

// The one runner that every modal dialog or menu of a kind goes through: the
// modal default, or one a test installs so that nothing waits for a user.
template <class Runner, class Modal> class RunnerSeam {
public:
    Runner& Get() { return *current_; }

    // Installs the replacement, null for the modal default; answers the
    // previous one, null when that was the default.
    Runner* Set(Runner* replacement) {
        Runner* previous = current_;
        current_ = replacement ? replacement : &modal_;
        return previous == &modal_ ? nullptr : previous;
    }

private:
    Modal modal_;
    Runner* current_ = &modal_;
};

} // namespace vel::wingui
