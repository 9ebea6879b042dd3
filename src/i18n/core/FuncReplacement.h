// A switchable redirect of one function to another: while it is on, every
// call goes to the replacement, otherwise to the original. The localizer
// uses one for the message-string lookup and one for the step that follows
// building a form.
#pragma once

#include <functional>
#include <utility>

template <class Signature>
class TFuncReplacement;

template <class R, class... Args>
class TFuncReplacement<R(Args...)> {
public:
    using Func = std::function<R(Args...)>;

    // Starts off. Both functions must be callable.
    TFuncReplacement(Func original, Func replacement)
        : original_(std::move(original)), replacement_(std::move(replacement))
    {
    }

    bool Enabled() const { return enabled_; }

    // Switching to the state it already has does nothing.
    void SetEnabled(bool on) { enabled_ = on; }

    R operator()(Args... args) const
    {
        return enabled_ ? replacement_(std::forward<Args>(args)...) : original_(std::forward<Args>(args)...);
    }

    // The original, whatever the state (what a replacement calls to reach
    // the function it stands in for).
    R Original(Args... args) const { return original_(std::forward<Args>(args)...); }

    // Switches the redirect off for its lifetime and restores the former
    // state when it ends, also when an exception leaves the scope.
    class TSuspend {
    public:
        explicit TSuspend(TFuncReplacement& r) : r_(r), was_(r.enabled_) { r_.enabled_ = false; }
        ~TSuspend() { r_.enabled_ = was_; }
        TSuspend(const TSuspend&) = delete;
        TSuspend& operator=(const TSuspend&) = delete;

    private:
        TFuncReplacement& r_;
        bool was_;
    };

private:
    Func original_;
    Func replacement_;
    bool enabled_ = false;
};
