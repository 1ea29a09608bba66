#include "dib.h"

#include "afxmsg.h"
#include "bmpdecode.h"
#include "imagingmessages.h"
#include "screenform.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

namespace {
// Files larger than any bitmap the program would hold are not read in.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t(1) << 31;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
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

void CDib::Load(const std::string& pathUtf8)
{
    Free();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(pathUtf8.c_str(), "rb"));
    if (!file) {
        AfxMessageBox(pathUtf8 + "\n" + kMsgCannotOpenFile);
        return;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(pathUtf8, error);
    if (error) {
        AfxMessageBox(pathUtf8 + "\n" + kMsgCannotReadFile);
        return;
    }
    if (size > kMaxFileBytes) {
        AfxMessageBox(kMsgDibNoMemory);
        return;
    }
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[std::size_t(size) + 1]);
    if (!bytes) {
        AfxMessageBox(kMsgDibNoMemory);
        return;
    }
    // Reading one byte more than the size tells whether the file changed meanwhile.
    const std::size_t got = std::fread(bytes.get(), 1, std::size_t(size) + 1, file.get());
    if (std::ferror(file.get()) || got != size) {
        AfxMessageBox(pathUtf8 + "\n" + kMsgCannotReadFile);
        return;
    }
    file.reset();
    LoadFromMemory(bytes.get(), got);
}

bool CDib::LoadFromMemory(const std::uint8_t* data, std::size_t size)
{
    Free();
    BYTE* block = nullptr;
    switch (DecodeBmp(data, size, block)) {
    case BmpDecodeStatus::Ok: break;
    case BmpDecodeStatus::NotBitmap: AfxMessageBox(kMsgNotBitmap); return false;
    case BmpDecodeStatus::NoMemory: AfxMessageBox(kMsgDibNoMemory); return false;
    }

    m_pBMI = reinterpret_cast<BITMAPINFO*>(block);
    m_pBMIH = &m_pBMI->bmiHeader;
    m_pColors = reinterpret_cast<RGBQUAD*>(block + m_pBMIH->biSize);
    m_pBits = block + m_pBMIH->biSize + PackedColourTableBytes(m_pBMIH->biBitCount);

    const std::size_t pixels = std::size_t(m_pBMIH->biWidth) * std::size_t(m_pBMIH->biHeight);
    m_pScreenBits.reset(new (std::nothrow) std::uint32_t[pixels]);
    if (!m_pScreenBits) {
        Free();
        AfxMessageBox(kMsgDibNoMemory);
        return false;
    }
    ConvertToScreen(*m_pBMIH, m_pColors, m_pBits, m_pScreenBits.get());
    m_bLoaded = TRUE;
    return true;
}

int CDib::GetWidth() const { return m_bLoaded ? m_pBMIH->biWidth : 0; }

int CDib::GetHeight() const { return m_bLoaded ? m_pBMIH->biHeight : 0; }

WORD CDib::GetBitCount() const { return m_bLoaded ? m_pBMIH->biBitCount : WORD(0); }

int CDib::GetStride() const
{
    return m_bLoaded ? int(PackedStride(m_pBMIH->biWidth, m_pBMIH->biBitCount)) : 0;
}

const std::uint32_t* CDib::GetScreenBits() const { return m_bLoaded ? m_pScreenBits.get() : nullptr; }
