#include "dib.h"

#include "bmpdecode.h"
#include "imagingmessages.h"
#include "picturedecode.h"
#include "screenform.h"
#include "messagetext.h"

#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

namespace {
// Files larger than any bitmap the program would hold are not read in.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t(1) << 31;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool ReadExactly(std::FILE* file, void* to, std::size_t bytes) { return std::fread(to, 1, bytes, file) == bytes; }
}  // namespace

CDib::CDib() { Init(); }

CDib::~CDib() { Free(); }

void CDib::Init()
{
    m_pBMIH = nullptr;
    m_pColors = nullptr;
    m_pBMI = nullptr;
    m_pBits = nullptr;
    m_bLoaded = FALSE;
    m_pScreenBits.reset();
    m_bTransparencyFlattened = false;
}

void CDib::Free()
{
    if (m_pBMI != nullptr) {
        delete[] reinterpret_cast<BYTE*>(m_pBMI);
        Init();
    }
    m_bLoaded = FALSE;
    m_pScreenBits.reset();
}

ImagingResult CDib::Load(const std::string& pathUtf8)
{
    Free();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(pathUtf8.c_str(), "rb"));
    if (!file) return {pathUtf8 + "\n" + TrMessage(kMsgCannotOpenFile)};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(pathUtf8, error);
    if (error) return {pathUtf8 + "\n" + TrMessage(kMsgCannotReadFile)};
    if (size > kMaxFileBytes) return {kMsgDibNoMemory};

    switch (ReadRowsDirectly(file.get(), size)) {
    case DirectRead::Loaded: return {};
    case DirectRead::NoMemory: return {kMsgDibNoMemory};
    case DirectRead::Undecided: break;
    }

    // Whatever the direct read could not take is judged on the whole file,
    // which tells a file that is not a bitmap from one that cannot be read.
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) return {pathUtf8 + "\n" + TrMessage(kMsgCannotReadFile)};
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[std::size_t(size) + 1]);
    if (!bytes) return {kMsgDibNoMemory};
    // Reading one byte more than the size tells whether the file changed meanwhile.
    const std::size_t got = std::fread(bytes.get(), 1, std::size_t(size) + 1, file.get());
    if (std::ferror(file.get()) || got != size) return {pathUtf8 + "\n" + TrMessage(kMsgCannotReadFile)};
    file.reset();
    return LoadFromMemory(bytes.get(), got);
}

// The usual case without holding the file twice: the headers (everything
// before the pixel rows) are read first, then the rows go straight into the
// block. Undecided covers every file this does not load, however it failed.
CDib::DirectRead CDib::ReadRowsDirectly(std::FILE* file, std::uint64_t fileBytes)
{
    std::uint8_t fileHeader[kBmpFileHeaderBytes];
    if (fileBytes < sizeof fileHeader || !ReadExactly(file, fileHeader, sizeof fileHeader))
        return DirectRead::Undecided;
    const std::uint64_t headBytes = BmpPixelOffset(fileHeader);
    if (headBytes < sizeof fileHeader || headBytes > fileBytes) return DirectRead::Undecided;
    std::unique_ptr<std::uint8_t[]> head(new (std::nothrow) std::uint8_t[std::size_t(headBytes)]);
    if (!head) return DirectRead::Undecided;
    std::memcpy(head.get(), fileHeader, sizeof fileHeader);
    if (!ReadExactly(file, head.get() + sizeof fileHeader, std::size_t(headBytes) - sizeof fileHeader))
        return DirectRead::Undecided;

    BmpFileLayout layout;
    if (!ReadBmpLayout(head.get(), headBytes, fileBytes, layout)) return DirectRead::Undecided;
    BYTE* block = nullptr;
    BYTE* bits = nullptr;
    if (NewBmpBlock(layout, head.get(), block, bits) != BmpDecodeStatus::Ok) return DirectRead::NoMemory;
    std::unique_ptr<BYTE[]> owned(block);

    const std::size_t stride = std::size_t(layout.stride);
    const std::size_t rows = std::size_t(layout.rows);
    if (!layout.topDown) {
        if (!ReadExactly(file, bits, stride * rows)) return DirectRead::Undecided;
    } else {
        for (std::size_t r = 0; r < rows; ++r)
            if (!ReadExactly(file, bits + (rows - 1 - r) * stride, stride)) return DirectRead::Undecided;
    }
    Adopt(owned.release());
    return DirectRead::Loaded;
}

ImagingResult CDib::LoadFromMemory(const std::uint8_t* data, std::size_t size)
{
    Free();
    BYTE* block = nullptr;
    bool flattened = false;
    switch (DecodePictureFile(data, size, block, flattened)) {
    case BmpDecodeStatus::Ok: break;
    case BmpDecodeStatus::NotBitmap: return {kMsgNotBitmap};
    case BmpDecodeStatus::NoMemory: return {kMsgDibNoMemory};
    }
    Adopt(block);
    m_bTransparencyFlattened = flattened;
    return {};
}

void CDib::Adopt(BYTE* block)
{
    m_pBMI = reinterpret_cast<BITMAPINFO*>(block);
    m_pBMIH = &m_pBMI->bmiHeader;
    m_pColors = reinterpret_cast<RGBQUAD*>(block + m_pBMIH->biSize);
    m_pBits = block + m_pBMIH->biSize + PackedColourTableBytes(m_pBMIH->biBitCount);
    m_bLoaded = TRUE;
}

int CDib::GetWidth() const { return m_bLoaded ? m_pBMIH->biWidth : 0; }

int CDib::GetHeight() const { return m_bLoaded ? m_pBMIH->biHeight : 0; }

WORD CDib::GetBitCount() const { return m_bLoaded ? m_pBMIH->biBitCount : WORD(0); }

int CDib::GetStride() const { return m_bLoaded ? int(PackedStride(m_pBMIH->biWidth, m_pBMIH->biBitCount)) : 0; }

bool CDib::ConvertToScreen(int left, int top, int width, int height, std::uint32_t* out) const
{
    if (!m_bLoaded || out == nullptr || left < 0 || top < 0 || width <= 0 || height <= 0 || width > GetWidth() - left ||
        height > GetHeight() - top)
        return false;
    ConvertRectToScreen(*m_pBMIH, m_pColors, m_pBits, left, top, width, height, out, std::size_t(width));
    return true;
}

const std::uint32_t* CDib::GetScreenBits() const
{
    if (!m_bLoaded) return nullptr;
    if (!m_pScreenBits) {
        const std::size_t pixels = std::size_t(GetWidth()) * std::size_t(GetHeight());
        m_pScreenBits.reset(new (std::nothrow) std::uint32_t[pixels]);
        if (m_pScreenBits) ::ConvertToScreen(*m_pBMIH, m_pColors, m_pBits, m_pScreenBits.get());
    }
    return m_pScreenBits.get();
}
