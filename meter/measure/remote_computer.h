#pragma once
// The computer whose counters are read: empty for this one, else a name kept in its
// full form, two backslashes and the name.
#include <string>

class RemoteComputer {
public:
    RemoteComputer() = default;
    explicit RemoteComputer(const std::string& name) { set(name); }

    // Accepts the name as the user typed it: "alpha", "\alpha" and "\\alpha" all mean
    // the same computer; a name that leaves nothing after the backslashes means this
    // computer.
    void set(const std::string& name);

    bool isSet() const { return !full_.empty(); }
    // "\\alpha": the prefix of counter paths and the machine of enumerations.
    const std::string& fullForm() const { return full_; }
    // "alpha": the name used in log file names.
    std::string bareForm() const { return full_.size() > 2 ? full_.substr(2) : std::string(); }

private:
    std::string full_;
};
