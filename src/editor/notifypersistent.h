#pragma once
#include <exception>
#include <functional>

namespace vellumo {

// Base of the editor's option objects. A setter stores a value only when it
// differs and then reports; changes made inside BeginUpdate/EndUpdate are
// reported once, when the outermost update ends, and only if something
// actually changed. A container wires each owned part with Own(), so a
// change deep inside reaches the top-level object's OnChange as one call
// naming the top-level object.
class TNotifyPersistent {
public:
    std::function<void(TNotifyPersistent* sender)> OnChange;

    TNotifyPersistent() = default;
    TNotifyPersistent(const TNotifyPersistent&) = delete;
    TNotifyPersistent& operator=(const TNotifyPersistent&) = delete;
    virtual ~TNotifyPersistent() = default;

    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate()
    {
        if (updateCount_ == 0) return;  // never below zero
        if (--updateCount_ == 0 && pending_) {
            pending_ = false;
            Changed();
        }
    }
    int UpdateCount() const noexcept { return updateCount_; }

protected:
    // Reports the object itself as the sender, or remembers the change while locked.
    virtual void Changed()
    {
        if (updateCount_ > 0) {
            pending_ = true;
            return;
        }
        if (OnChange) OnChange(this);
    }

    // The handler given to owned parts.
    virtual void ChildChanged(TNotifyPersistent* sender)
    {
        if (sender != this) Changed();
    }

    void Own(TNotifyPersistent& part)
    {
        part.OnChange = [this](TNotifyPersistent* sender) { ChildChanged(sender); };
    }

    // Stores value when it differs and reports; true when it changed.
    template <class T, class U>
    bool SetField(T& field, U&& value)
    {
        if (field == value) return false;
        field = std::forward<U>(value);
        Changed();
        return true;
    }

private:
    int updateCount_ = 0;
    bool pending_ = false;
};

// Holds an option object in update mode for a scope, exceptions included.
// The report at the end runs a handler that may raise: that exception
// reaches the caller (an implicitly noexcept destructor would end the
// process instead), unless the scope is already left by an exception.
class TNotifyUpdate {
public:
    explicit TNotifyUpdate(TNotifyPersistent& obj) : obj_(obj), exceptions_(std::uncaught_exceptions())
    {
        obj_.BeginUpdate();
    }
    ~TNotifyUpdate() noexcept(false)
    {
        if (std::uncaught_exceptions() == exceptions_) {
            obj_.EndUpdate();
            return;
        }
        try {
            obj_.EndUpdate();
        } catch (...) {
        }
    }
    TNotifyUpdate(const TNotifyUpdate&) = delete;
    TNotifyUpdate& operator=(const TNotifyUpdate&) = delete;

private:
    TNotifyPersistent& obj_;
    int exceptions_;
};

} // namespace vellumo
