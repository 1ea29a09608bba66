// The source bitmap: one picture read from a .bmp or .png file, held as a
// packed block (40-byte header, a 256-entry colour table for 8-bit pictures,
// then bottom-up pixel rows of 4-byte-aligned length), whatever variant the
// file used. Views and the tile cutter read the public members directly.
#pragma once

#include "imagingmessages.h"
#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class CDib {
public:
    BITMAPINFOHEADER* m_pBMIH;  // start of the block
    RGBQUAD* m_pColors;         // the colour table, right after the header
    BITMAPINFO* m_pBMI;         // the block again; owns it
    BYTE* m_pBits;              // the first stored (bottom) pixel row
    BOOL m_bLoaded;             // the other members mean something only while TRUE

    CDib();
    ~CDib();
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    void Init();
    void Free();
    // Replaces the held bitmap by the named file's, a .bmp or (by its
    // signature) a .png; see pngdecode.h for what a PNG becomes. The
    // previous bitmap is gone whatever the outcome. A failure comes back
    // with its message ("비트맵 화일이 아닙니다" for a damaged file of
    // either kind; the path on a line of its own before a file that cannot
    // be opened or read).
    ImagingResult Load(const std::string& pathUtf8);
    // The same from the bytes of a whole file; Ok when loaded.
    ImagingResult LoadFromMemory(const std::uint8_t* data, std::size_t size);

    // True after a load that composited transparent or partly transparent
    // pixels over black (a PNG with alpha, a tRNS key or palette alphas):
    // the editor then says so in its status bar, with kMsgTransparencyFlattened.
    bool TransparencyWasFlattened() const { return m_bLoaded && m_bTransparencyFlattened; }

    // Valid while loaded (0 otherwise).
    int GetWidth() const;
    int GetHeight() const;
    WORD GetBitCount() const;
    int GetStride() const;  // bytes of one stored pixel row

    // The picture rectangle [left, left + width) x [top, top + height)
    // (top-left origin) as screen pixels, 0xFFRRGGBB, into width x height
    // words at out: what a view converts to draw the part it shows. False,
    // with out untouched, while nothing is loaded or when the rectangle is
    // empty or not inside the picture.
    bool ConvertToScreen(int left, int top, int width, int height, std::uint32_t* out) const;

    // The whole picture for drawing 1:1: GetWidth() x GetHeight() pixels,
    // top-down, 0xFFRRGGBB, no row padding. Made on the first call and kept
    // (4 bytes a pixel, so drawing code should prefer ConvertToScreen). Null
    // while nothing is loaded, or if that memory cannot be had.
    const std::uint32_t* GetScreenBits() const;

private:
    // Puts the file's pixel rows straight into a new block; see dib.cpp.
    enum class DirectRead { Loaded, NoMemory, Undecided };
    DirectRead ReadRowsDirectly(std::FILE* file, std::uint64_t fileBytes);
    void Adopt(BYTE* block);

    mutable std::unique_ptr<std::uint32_t[]> m_pScreenBits;
    bool m_bTransparencyFlattened = false;
};
