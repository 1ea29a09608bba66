// What every subcommand shares: exit statuses, where messages go, and a
// small command-line parser.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

enum ExitStatus : int {
    kExitOk = 0,
    kExitFailed = 1,  // the work failed; the editor's message is on standard error
    kExitUsage = 2,   // the command line was wrong
};

// Prints a message the editor would show in a box, one line on standard error.
void ShowMessage(const std::string& message);
// Prints a failure message as the editor would show it, and returns kExitFailed.
int Fail(const std::string& message);
// Prints a usage error with a pointer to the command's help; returns kExitUsage.
int UsageError(const std::string& command, const std::string& text);

struct KnownOption {
    std::string name;  // "--tile"
    bool takesValue = false;
    std::string shortName{};  // "-o", optional
};

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;  // by long name
    std::set<std::string> flags;                // long names of options given without value

    bool Has(const std::string& name) const { return flags.count(name) || values.count(name); }
    std::optional<std::string> Value(const std::string& name) const;
};

// Accepts "--name value", "--name=value", short names, and "--" before
// positional arguments that start with a dash. "--help" and "-h" are always
// known. On a mistake returns nothing and sets error.
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, const std::vector<KnownOption>& options,
                                    std::string& error);

// A whole decimal number within [low, high], nothing otherwise.
std::optional<long long> ParseInteger(const std::string& text, long long low, long long high);

// Lower-case extension of a path without the dot ("" when there is none).
std::string ExtensionOf(const std::string& path);
