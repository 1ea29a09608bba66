// The source bitmap: one picture read from a .bmp file, held as a packed
// block (40-byte header, a 256-entry colour table for 8-bit pictures, then
// bottom-up pixel rows of 4-byte-aligned length), whatever variant the file
// used. Views and the tile cutter read the public members directly.
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>
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
    // Replaces the held bitmap by the named file's. The previous bitmap is
    // gone whatever the outcome; failures are reported in a message box.
    void Load(const std::string& pathUtf8);
    // The same from the bytes of a whole .bmp file; true when loaded.
    bool LoadFromMemory(const std::uint8_t* data, std::size_t size);

    // Valid while loaded (0 otherwise).
    int GetWidth() const;
    int GetHeight() const;
    WORD GetBitCount() const;
    int GetStride() const;  // bytes of one stored pixel row

    // The picture for drawing 1:1: GetWidth() x GetHeight() pixels, top-down,
    // 0xFFRRGGBB, no row padding. Null while nothing is loaded.
    const std::uint32_t* GetScreenBits() const;

private:
    std::unique_ptr<std::uint32_t[]> m_pScreenBits;
};
