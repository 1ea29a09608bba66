// What the document asks of the person using it and what it tells them:
// questions, messages, the files to open and save, and the values of the
// dialogs its commands run. The editor answers with its real dialogs and
// message boxes (app/dialogprompts.h); the document makes no window.
#pragma once

#include "wintypes.h"

#include <optional>
#include <string>

// What the new-map dialog edits: the tile size in pixels and the map size in cells.
struct NewMapSettings {
    BYTE tileWidth = 0;
    BYTE tileHeight = 0;
    unsigned mapWidth = 0;
    unsigned mapHeight = 0;
};

// The colour of the numbers printed over tiles.
struct TextColour {
    BYTE red = 0;
    BYTE green = 0;
    BYTE blue = 0;
};

class CDocumentPrompts {
public:
    enum class Answer { Yes, No, Cancel };
    // How a message looks: the program's box (exclamation icon), a warning
    // (the same, named so), or the plain box of a window (no icon).
    enum class Look { Standard, Warning, Plain };
    // The files the document opens.
    enum class FileKind { Map, Bitmap };

    virtual ~CDocumentPrompts() = default;

    virtual void ShowMessage(const std::string& text, Look look = Look::Standard) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    virtual Answer AskYesNoCancel(const std::string& question) = 0;
    // The chosen file, or none when the person cancels.
    virtual std::optional<std::string> AskOpenPath(FileKind kind) = 0;
    virtual std::optional<std::string> AskMapSavePath() = 0;
    // Each shows the values passed in and, on OK, puts back what was
    // chosen; false (values untouched) when cancelled.
    virtual bool EditNewMap(NewMapSettings& settings) = 0;
    virtual bool EditTilesPerRow(int& count) = 0;
    virtual bool EditTileAttribute(BYTE& value) = 0;
    virtual bool EditTextColour(TextColour& colour) = 0;
    // The map attribute dialog, for the cells about to be set.
    virtual bool EditMapAttribute(short& /*value*/) { return false; }
    // A note in the status bar; none without a window.
    virtual void StatusNote(const std::string& /*text*/) {}
};
