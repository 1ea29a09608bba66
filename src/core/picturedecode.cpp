#include "picturedecode.h"

#include "pngdecode.h"

BmpDecodeStatus DecodePictureFile(const std::uint8_t* data, std::size_t size, BYTE*& block, bool& transparencyFlattened)
{
    transparencyFlattened = false;
    if (HasPngSignature(data, size)) return DecodePng(data, size, block, transparencyFlattened);
    return DecodeBmp(data, size, block);
}
