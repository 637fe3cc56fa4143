#pragma once
// Opening a web page with the program registered for ".htm" or ".html" files.
#include <cstddef>
#include <string>

// Command lines for the browser hold at most this many characters.
constexpr std::size_t kMaxCommandLine = 255;

// The default values of keys under HKEY_CLASSES_ROOT, as far as we read them.
class ClassesRoot {
public:
    virtual ~ClassesRoot() = default;
    // False when the key cannot be opened or the value is missing, empty or longer
    // than maxBytes (terminator included).
    virtual bool defaultValue(const std::string& subkey, std::size_t maxBytes,
                              std::string& value) = 0;
};

// The open command of the file type registered for ".htm", else for ".html"; empty
// when neither extension leads to one.
std::string findBrowserCommand(ClassesRoot& root);

// The command with the address in place of "%1" ("%%" reads as "%", other inserts are
// kept as written), or command, one space and address when there is no "%1". False,
// and nothing built, when the result would exceed kMaxCommandLine or the address could
// break out of its place on the command line (quotes, control characters).
bool buildBrowserCommandLine(const std::string& command, const std::string& address,
                             std::string& commandLine);
