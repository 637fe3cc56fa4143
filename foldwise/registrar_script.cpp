#include "foldwise/registrar_script.h"

#include <cctype>
#include <cstddef>
#include <stdexcept>

namespace foldwise {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
    std::size_t line = 0;
};

// Thrown inside the parser only; parseRegistrarScript turns it into its error text.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(std::size_t line, const std::string& what)
{
    throw ScriptError("line " + std::to_string(line) + ": " + what);
}

bool equalsNoCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string substitute(const std::string& raw, const ScriptVariables& variables, std::size_t line)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%') {
            out += raw[i];
            continue;
        }
        const std::size_t close = raw.find('%', i + 1);
        if (close == std::string::npos)
            fail(line, "a '%' marker is not closed");
        const std::string name = raw.substr(i + 1, close - i - 1);
        if (name.empty()) {
            out += '%';
        } else {
            const auto found = variables.find(name);
            if (found == variables.end())
                fail(line, "unknown marker %" + name + "%");
            out += found->second;
        }
        i = close;
    }
    return out;
}

std::vector<Token> tokenize(const std::string& text, const ScriptVariables& variables)
{
    std::vector<Token> tokens;
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n')
            ++line;
        if (std::isspace(static_cast<unsigned char>(c)) || c == '\0') {
            ++i;
            continue;
        }
        Token token;
        token.line = line;
        if (c == '\'') {
            token.quoted = true;
            std::string raw;
            for (++i;; ++i) {
                if (i >= text.size())
                    fail(token.line, "a quoted text is not closed");
                if (text[i] == '\'') {
                    if (i + 1 < text.size() && text[i + 1] == '\'') {
                        raw += '\'';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n')
                    ++line;
                raw += text[i];
            }
            token.text = substitute(raw, variables, token.line);
        } else {
            std::string raw;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) &&
                   text[i] != '\'' && text[i] != '\0')
                raw += text[i++];
            token.text = substitute(raw, variables, token.line);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    RegistrarScript script()
    {
        RegistrarScript result;
        while (!atEnd())
            result.roots.push_back(root());
        return result;
    }

private:
    bool atEnd() const { return next_ >= tokens_.size(); }

    std::size_t line() const
    {
        if (tokens_.empty())
            return 1;
        return atEnd() ? tokens_.back().line : tokens_[next_].line;
    }

    const Token& take(const char* expected)
    {
        if (atEnd())
            fail(line(), std::string("the script ends where ") + expected + " belongs");
        return tokens_[next_++];
    }

    bool peekWord(const char* word) const
    {
        return !atEnd() && !tokens_[next_].quoted && equalsNoCase(tokens_[next_].text, word);
    }

    void expectWord(const char* word)
    {
        const Token& token = take(word);
        if (token.quoted || token.text != word)
            fail(token.line, std::string("expected '") + word + "', found '" + token.text + "'");
    }

    ScriptRoot root()
    {
        static const struct {
            const char* name;
            RegistryRoot root;
        } kRoots[] = {
            {"HKCR", RegistryRoot::classesRoot},
            {"HKEY_CLASSES_ROOT", RegistryRoot::classesRoot},
            {"HKCU", RegistryRoot::currentUser},
            {"HKEY_CURRENT_USER", RegistryRoot::currentUser},
            {"HKLM", RegistryRoot::localMachine},
            {"HKEY_LOCAL_MACHINE", RegistryRoot::localMachine},
            {"HKU", RegistryRoot::users},
            {"HKEY_USERS", RegistryRoot::users},
            {"HKCC", RegistryRoot::currentConfig},
            {"HKEY_CURRENT_CONFIG", RegistryRoot::currentConfig},
        };
        const Token& name = take("a root key");
        ScriptRoot result;
        bool known = false;
        for (const auto& entry : kRoots) {
            if (!name.quoted && equalsNoCase(name.text, entry.name)) {
                result.root = entry.root;
                known = true;
            }
        }
        if (!known)
            fail(name.line, "unknown root key '" + name.text + "'");
        expectWord("{");
        while (!peekWord("}")) {
            if (peekWord("val"))
                fail(line(), "a value cannot stand directly under a root key");
            result.keys.push_back(key());
        }
        expectWord("}");
        return result;
    }

    ScriptKey key()
    {
        ScriptKey result;
        bool marked = false;
        for (;;) {
            KeyRemoval removal;
            if (peekWord("ForceRemove"))
                removal = KeyRemoval::forceRemove;
            else if (peekWord("NoRemove"))
                removal = KeyRemoval::noRemove;
            else if (peekWord("Delete"))
                removal = KeyRemoval::deleteOnly;
            else
                break;
            if (marked)
                fail(line(), "a key carries two removal markers");
            marked = true;
            result.removal = removal;
            ++next_;
        }
        const Token& name = take("a key name");
        if (!name.quoted && (name.text == "{" || name.text == "}" || name.text == "="))
            fail(name.line, "expected a key name, found '" + name.text + "'");
        if (name.text.empty() || name.text.find('\\') != std::string::npos)
            fail(name.line, "a key name must be one non-empty name without '\\'");
        result.name = name.text;
        if (peekWord("=")) {
            ++next_;
            ScriptValue defaultValue;
            typedValue(defaultValue);
            result.values.push_back(std::move(defaultValue));
        }
        if (peekWord("{")) {
            ++next_;
            while (!peekWord("}")) {
                if (peekWord("val"))
                    result.values.push_back(namedValue());
                else
                    result.subkeys.push_back(key());
            }
            ++next_;
        }
        return result;
    }

    ScriptValue namedValue()
    {
        ++next_; // "val"
        const Token& name = take("a value name");
        if (!name.quoted && (name.text == "{" || name.text == "}" || name.text == "="))
            fail(name.line, "expected a value name, found '" + name.text + "'");
        ScriptValue value;
        value.name = name.text;
        expectWord("=");
        typedValue(value);
        return value;
    }

    void typedValue(ScriptValue& value)
    {
        const Token& type = take("a value type");
        const Token& data = take("a quoted value");
        if (!data.quoted)
            fail(data.line, "a value must be quoted, found '" + data.text + "'");
        if (type.quoted)
            fail(type.line, "a value type must not be quoted");
        if (type.text == "s") {
            value.kind = ValueKind::string;
            value.text = data.text;
        } else if (type.text == "e") {
            value.kind = ValueKind::expandString;
            value.text = data.text;
        } else if (type.text == "d") {
            value.kind = ValueKind::dword;
            value.number = number(data);
        } else if (type.text == "b") {
            value.kind = ValueKind::binary;
            value.bytes = bytes(data);
        } else {
            fail(type.line, "unknown value type '" + type.text + "'");
        }
    }

    static std::uint32_t number(const Token& data)
    {
        const std::string& text = data.text;
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        const std::size_t start = hex ? 2 : 0;
        if (text.size() == start)
            fail(data.line, "a number value is empty");
        std::uint64_t n = 0;
        for (std::size_t i = start; i < text.size(); ++i) {
            const int digit = digitValue(text[i]);
            if (digit < 0 || digit >= (hex ? 16 : 10))
                fail(data.line, "'" + text + "' is not a number");
            n = n * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
            if (n > 0xFFFFFFFFull)
                fail(data.line, "'" + text + "' does not fit in 32 bits");
        }
        return static_cast<std::uint32_t>(n);
    }

    static std::vector<std::uint8_t> bytes(const Token& data)
    {
        const std::string& text = data.text;
        if (text.size() % 2 != 0)
            fail(data.line, "binary data needs two hex digits a byte");
        std::vector<std::uint8_t> out;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            const int high = digitValue(text[i]);
            const int low = digitValue(text[i + 1]);
            if (high < 0 || high > 15 || low < 0 || low > 15)
                fail(data.line, "'" + text + "' is not hex data");
            out.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
        return out;
    }

    static int digitValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    std::vector<Token> tokens_;
    std::size_t next_ = 0;
};

} // namespace

bool parseRegistrarScript(const std::string& text, const ScriptVariables& variables,
                          RegistrarScript& script, std::string& error)
{
    try {
        script = Parser(tokenize(text, variables)).script();
        error.clear();
        return true;
    } catch (const ScriptError& e) {
        error = e.what();
        return false;
    }
}

} // namespace foldwise
