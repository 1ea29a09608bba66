#include "toolsupport.h"
#include "messagetext.h"

#include "progress.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

void ShowMessage(const std::string& message)
{
    ProgressLine::EraseShowing();
    std::fprintf(stderr, "%s\n", TrMessage(message.c_str()).c_str());
    std::fflush(stderr);
}

int Fail(const std::string& message)
{
    ShowMessage(message);
    return kExitFailed;
}

int UsageError(const std::string& command, const std::string& text)
{
    const std::string message =
        TrFill(QT_TRANSLATE_NOOP("Pellin", "zellmap %1: %2\n'zellmap %3 --help'로 사용법을 보십시오.\n"),
               {command, TrMessage(text.c_str()), command});
    std::fputs(message.c_str(), stderr);
    return kExitUsage;
}

std::optional<std::string> ParsedArgs::Value(const std::string& name) const
{
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, const std::vector<KnownOption>& options,
                                    std::string& error)
{
    std::vector<KnownOption> known = options;
    known.push_back({"--help", false, "-h"});
    const auto OptionNamed = [&](const std::string& name) -> const KnownOption* {
        for (const KnownOption& option : known)
            if (option.name == name || (!option.shortName.empty() && option.shortName == name)) return &option;
        return nullptr;
    };

    ParsedArgs parsed;
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg == "-" || arg.empty() || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        const KnownOption* option = OptionNamed(name);
        if (!option) {
            error = TrFill(QT_TRANSLATE_NOOP("Pellin", "알 수 없는 옵션입니다: %1"), {name});
            return std::nullopt;
        }
        if (!option->takesValue) {
            if (inlineValue) {
                error = TrFill(QT_TRANSLATE_NOOP("Pellin", "%1 옵션은 값을 받지 않습니다"), {option->name});
                return std::nullopt;
            }
            parsed.flags.insert(option->name);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = TrFill(QT_TRANSLATE_NOOP("Pellin", "%1 옵션에 값이 없습니다"), {option->name});
                return std::nullopt;
            }
            inlineValue = args[++i];
        }
        parsed.values[option->name] = *inlineValue;
    }
    return parsed;
}

std::optional<long long> ParseInteger(const std::string& text, long long low, long long high)
{
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '+'))
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || value < low || value > high) return std::nullopt;
    return value;
}

std::string ExtensionOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}
