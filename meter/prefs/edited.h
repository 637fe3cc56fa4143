#pragma once
// A value a preference page shows, and whether the user has touched its control. A
// page writes back only what was touched, so a stored value that no control can show
// (shown at the nearest choice instead) survives a visit to the page.
template <typename T> class Edited {
public:
    Edited() = default;
    explicit Edited(T shown) : value_(shown) {}

    const T& value() const { return value_; }
    bool touched() const { return touched_; }
    // The user's choice.
    void set(T value)
    {
        value_ = value;
        touched_ = true;
    }

private:
    T value_{};
    bool touched_ = false;
};
