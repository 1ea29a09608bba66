// The interface language. The program's texts are written in Korean and
// are the source texts of the translation; English comes from
// translations/pellin_en.ts, compiled into the programs. Every text goes
// through the one context "Pellin".
#pragma once

#include <QString>
#include <string>

// Pellin::tr("...") translates a Korean source text; lupdate collects the
// literals of such calls (and of QT_TRANSLATE_NOOP("Pellin", ...)).
class Pellin {
#if 0
    Q_OBJECT  // only for lupdate, which takes it as the sign of a context
#endif
public:
    static QString tr(const char* source);
    static std::string trStd(const char* source) { return tr(source).toStdString(); }
    static std::string trStd(const std::string& source) { return trStd(source.c_str()); }
};

enum class InterfaceLanguage { Korean, English };

// English when `--lang en` is given or the user's language (the first set
// of LANGUAGE's first entry, LC_ALL, LC_MESSAGES and LANG) starts with
// "en"; `--lang ko` and everything else give Korean. lang is the option's
// value or empty, getEnv returns a variable's value or an empty string.
InterfaceLanguage ChooseInterfaceLanguage(const std::string& lang, std::string (*getEnv)(const char* name));

// Takes `--lang X` or `--lang=X` out of the command line and returns X
// (empty when absent).
std::string TakeLangOption(int& argc, char** argv);

// The language from the command line and the environment.
InterfaceLanguage InterfaceLanguageFor(int& argc, char** argv);

// Loads the translation for the language (English: the embedded .qm) and
// routes Pellin::tr and the core's messages through it. Korean unloads it.
// False when the English translation could not be loaded.
bool UseInterfaceLanguage(InterfaceLanguage language);
InterfaceLanguage CurrentInterfaceLanguage();
