#include "meter/command_line.h"

#include "meter/app_settings.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isOption(const std::string& parameter)
{
    return !parameter.empty() && (parameter[0] == '/' || parameter[0] == '-');
}

// The program's name ends at the closing quote or the first blank; backslashes are
// path separators there, never escapes.
std::size_t readProgramName(const std::string& line, std::string& name)
{
    std::size_t i = 0;
    if (i < line.size() && line[i] == '"') {
        for (++i; i < line.size() && line[i] != '"'; ++i)
            name += line[i];
        if (i < line.size())
            ++i;
    } else {
        for (; i < line.size() && !isBlank(line[i]); ++i)
            name += line[i];
    }
    return i;
}

std::size_t readParameter(const std::string& line, std::size_t i, std::string& parameter)
{
    bool quoted = false;
    while (i < line.size() && (quoted || !isBlank(line[i]))) {
        if (line[i] == '\\') {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                parameter.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    parameter += '"';
                    ++i;
                }
            } else {
                parameter.append(slashes, '\\');
            }
        } else if (line[i] == '"') {
            quoted = !quoted;
            ++i;
        } else {
            parameter += line[i++];
        }
    }
    return i;
}

} // namespace

std::vector<std::string> splitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> parameters;
    std::string name;
    std::size_t i = readProgramName(commandLine, name);
    parameters.push_back(name);
    for (;;) {
        while (i < commandLine.size() && isBlank(commandLine[i]))
            ++i;
        if (i >= commandLine.size())
            break;
        std::string parameter;
        i = readParameter(commandLine, i, parameter);
        parameters.push_back(parameter);
    }
    return parameters;
}

std::string parseProfileName(const std::vector<std::string>& parameters)
{
    std::string profile;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (!isOption(parameters[i]) || !equalsNoCase(parameters[i].substr(1), "pref"))
            continue;
        profile.clear();
        if (i + 1 < parameters.size() && !isOption(parameters[i + 1]))
            profile = parameters[++i];
    }
    return profile;
}

std::string profileNameFromCommandLine(const std::string& commandLine)
{
    std::vector<std::string> parameters = splitCommandLine(commandLine);
    parameters.erase(parameters.begin());
    return parseProfileName(parameters);
}

std::string folderOfPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
