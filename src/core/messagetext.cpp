#include "messagetext.h"

#include <atomic>
#include <vector>

namespace {
// Set once at start-up; read from worker threads (the map reader).
std::atomic<MessageTranslator> g_translator{nullptr};
}  // namespace

void SetMessageTranslator(MessageTranslator translator) { g_translator.store(translator); }

std::string TrMessage(const char* source)
{
    const MessageTranslator translator = g_translator.load();
    return translator ? translator(source) : std::string(source);
}

std::string FillMessage(const std::string& pattern, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && std::size_t(next - '1') < values.size()) {
            out += values[std::size_t(next - '1')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string TrFill(const char* source, std::initializer_list<std::string> args)
{
    return FillMessage(TrMessage(source), args);
}
