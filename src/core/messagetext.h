// The core's user-visible messages are Korean source texts that the
// programs translate. A literal is marked with QT_TRANSLATE_NOOP("Pellin",
// ...) so that lupdate collects it; the core itself stays Qt-free, so the
// macro is defined here as a no-op when Qt's own (also a no-op) is absent.
// A message built from pieces translates its pattern first and then fills
// in the numbers and names, so the Korean output stays what it was.
#pragma once

#include <initializer_list>
#include <string>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The translation the program installed (none: the source text itself).
using MessageTranslator = std::string (*)(const char* source);
void SetMessageTranslator(MessageTranslator translator);
std::string TrMessage(const char* source);

// The pattern with %1..%9 replaced by the arguments, in one pass (an
// argument's own % signs stay as they are).
std::string FillMessage(const std::string& pattern, std::initializer_list<std::string> args);
// TrMessage then FillMessage.
std::string TrFill(const char* source, std::initializer_list<std::string> args);
