#!/usr/bin/env python3
"""Checks that every user-visible text has an English translation.

1. lupdate collects the source texts of src/ and tools/ into a copy of
   translations/pellin_en.ts; the copy must equal the file (no new, no
   dropped texts), and no entry of the file may be unfinished or empty.
2. No Korean string literal escapes marking: every literal with Hangul in
   it stands inside Pellin::tr(...), QT_TRANSLATE_NOOP("Pellin", ...) or
   QCoreApplication::translate("Pellin", ...), or is on the short list below
   of texts that are not interface texts.

Usage: check_translations.py [LUPDATE]. Exits 1 and says what is wrong.
To bring the file up to date, see the README (Translating).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TS = os.path.join(ROOT, "translations", "pellin_en.ts")
SOURCES = ["src", "tools"]
LUPDATE_OPTIONS = ["-no-obsolete", "-locations", "none", "-no-ui-lines", "-silent"]

# Korean literals that are not interface texts: (file, literal).
NOT_INTERFACE_TEXTS = {
    # A Windows font face name that the program maps to an installed face.
    ("src/text/fonts.cpp", '"굴림"'),
    ("src/dialogs/aboutdlg.cpp", '"굴림"'),
    # The open dialog's default suffix (its first three characters).
    ("src/app/dialogprompts.cpp", '"비트맵 ( BMP )"'),
}

HANGUL = re.compile("[\uac00-\ud7a3\u3131-\u318e]")
# A string literal, a comment, or a character literal, in one pass.
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|R"([^(\s]*)\(.*?\)\1"|"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'', re.S)
MARKERS = re.compile(
    r'(?:\bPellin::tr|\bQT_TRANSLATE_NOOP\s*\(\s*"Pellin"\s*,|\btranslate\s*\(\s*"Pellin"\s*,)\s*\(?\s*$')


def lupdate_program(argv):
    if len(argv) > 1:
        return argv[1]
    for candidate in ("/usr/lib/qt6/bin/lupdate", shutil.which("lupdate6"), shutil.which("lupdate")):
        if candidate and os.path.exists(candidate):
            return candidate
    sys.exit("lupdate not found (Debian: qt6-l10n-tools)")


def check_ts(lupdate):
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, "pellin_en.ts")
        shutil.copyfile(TS, copy)
        subprocess.run([lupdate, *LUPDATE_OPTIONS, *SOURCES, "-ts", copy], cwd=ROOT, check=True)
        before = {m.findtext("source"): m for m in ET.parse(TS).iter("message")}
        after = {m.findtext("source"): m for m in ET.parse(copy).iter("message")}
    for source in after.keys() - before.keys():
        problems.append(f"no entry in translations/pellin_en.ts: {source!r}")
    for source in before.keys() - after.keys():
        problems.append(f"entry no longer in the sources: {source!r}")
    for source, message in before.items():
        translation = message.find("translation")
        if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
            problems.append(f"unfinished translation: {source!r}")
        elif not (translation.text or "").strip():
            problems.append(f"empty translation: {source!r}")
    return problems


def unmarked_literals():
    problems = []
    for folder in SOURCES:
        for directory, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, ROOT)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                previous_end = None
                marked = False
                for token in TOKEN.finditer(text):
                    literal = token.group(0)
                    if not literal.startswith(('"', 'R"')):
                        continue
                    # Adjacent literals are one string: they share the marking.
                    joined = previous_end is not None and not text[previous_end : token.start()].strip()
                    if not joined:
                        marked = bool(MARKERS.search(text[max(0, token.start() - 80) : token.start()]))
                    previous_end = token.end()
                    if not HANGUL.search(literal) or marked or (relative, literal) in NOT_INTERFACE_TEXTS:
                        continue
                    line = text.count("\n", 0, token.start()) + 1
                    problems.append(f"{relative}:{line}: Korean text not marked for translation: {literal}")
    return problems


def main(argv):
    problems = check_ts(lupdate_program(argv)) + unmarked_literals()
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} translation problem(s); see the README's Translating section")
        return 1
    print("Every interface text is marked and has an English translation")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
