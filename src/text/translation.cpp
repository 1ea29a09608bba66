#include "translation.h"

#include <QTranslator>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "messagetext.h"

namespace {
struct Loaded {
    std::mutex mutex;  // the core's messages may be made on worker threads
    std::unique_ptr<QTranslator> translator;
    InterfaceLanguage language = InterfaceLanguage::Korean;
};

Loaded& State()
{
    static Loaded loaded;
    return loaded;
}

std::string TranslateMessage(const char* source) { return Pellin::trStd(source); }

bool StartsWithEn(const std::string& value) { return value.rfind("en", 0) == 0; }

std::string EnvOrEmpty(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}
}  // namespace

QString Pellin::tr(const char* source)
{
    Loaded& state = State();
    std::lock_guard lock(state.mutex);
    if (state.translator) {
        QString text = state.translator->translate("Pellin", source);
        if (!text.isEmpty()) return text;
    }
    return QString::fromUtf8(source);
}

InterfaceLanguage ChooseInterfaceLanguage(const std::string& lang, std::string (*getEnv)(const char* name))
{
    if (!lang.empty()) return StartsWithEn(lang) ? InterfaceLanguage::English : InterfaceLanguage::Korean;
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = getEnv(name);
        if (std::strcmp(name, "LANGUAGE") == 0) value = value.substr(0, value.find(':'));
        if (!value.empty()) return StartsWithEn(value) ? InterfaceLanguage::English : InterfaceLanguage::Korean;
    }
    return InterfaceLanguage::Korean;
}

std::string TakeLangOption(int& argc, char** argv)
{
    std::string lang;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            while (i < argc) argv[kept++] = argv[i++];
            break;
        }
        if (arg == "--lang" && i + 1 < argc) {
            lang = argv[++i];
        } else if (arg.rfind("--lang=", 0) == 0) {
            lang = arg.substr(7);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[kept] = nullptr;
    return lang;
}

InterfaceLanguage InterfaceLanguageFor(int& argc, char** argv)
{
    return ChooseInterfaceLanguage(TakeLangOption(argc, argv), &EnvOrEmpty);
}

bool UseInterfaceLanguage(InterfaceLanguage language)
{
    std::unique_ptr<QTranslator> translator;
    if (language == InterfaceLanguage::English) {
        translator = std::make_unique<QTranslator>();
        if (!translator->load(QStringLiteral(":/translations/pellin_en.qm"))) return false;
    }
    Loaded& state = State();
    {
        std::lock_guard lock(state.mutex);
        state.translator = std::move(translator);
        state.language = language;
    }
    SetMessageTranslator(language == InterfaceLanguage::English ? &TranslateMessage : nullptr);
    return true;
}

InterfaceLanguage CurrentInterfaceLanguage()
{
    Loaded& state = State();
    std::lock_guard lock(state.mutex);
    return state.language;
}
