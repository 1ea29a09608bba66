// zellmap thumbnail: a small PNG of the whole map for file managers, drawn
// straight at its size from the file (see mapthumbnail.h), so that even the
// largest maps take a fraction of a second and little memory.
#include "commands.h"
#include "messagetext.h"
#include "imagesink.h"
#include "mapfile.h"
#include "mapthumbnail.h"
#include "outputfile.h"
#include "toolsupport.h"

const char* const kThumbnailHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap thumbnail MAP IMAGE [--size N]\n"
                      "\n"
                      "맵 전체를 N x N 픽셀 안에 들도록 줄인 PNG 그림을 만듭니다 (가로세로 비율은\n"
                      "그대로, 맵이 더 작으면 제 크기로). 화일 관리자의 미리 보기가 이 명령을\n"
                      "씁니다. 줄인 그림을 바로 그리므로 큰 맵도 빠르고 메모리를 적게 씁니다.\n"
                      "IMAGE의 이름과 관계없이 PNG로 씁니다.\n"
                      "\n"
                      "  -s, --size N  그림의 가장 긴 변 (1-4096, 기본 256)\n"
                      "\n"
                      "맵을 읽지 못하면 편집기의 메시지를 표준 오류에 쓰고 그림을 만들지 않고\n"
                      "1로 끝납니다.\n");

namespace {

constexpr int kDefaultSize = 256;
constexpr int kLargestSize = 4096;
// The map view's message when its map image cannot be made.
constexpr const char* kMsgCannotMakeScreen = QT_TRANSLATE_NOOP("Pellin", "화면을 만들수 없습니다");

}  // namespace

int RunThumbnail(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--size", true, "-s"}}, error);
    if (!parsed) return UsageError("thumbnail", error);
    if (parsed->positional.size() != 2)
        return UsageError("thumbnail", QT_TRANSLATE_NOOP("Pellin", "맵 화일과 그림 화일을 주십시오"));
    const std::string& output = parsed->positional[1];
    int size = kDefaultSize;
    if (const auto text = parsed->Value("--size")) {
        const auto value = ParseInteger(*text, 1, kLargestSize);
        if (!value) return UsageError("thumbnail", QT_TRANSLATE_NOOP("Pellin", "--size는 1에서 4096까지의 정수입니다"));
        size = int(*value);
    }

    MapThumbnail thumbnail;
    switch (MakeMapThumbnail(parsed->positional[0], size, thumbnail)) {
    case ThumbnailResult::Ok: break;
    case ThumbnailResult::CannotOpen: return Fail(kMsgMapOpenFailed);
    case ThumbnailResult::Invalid: return Fail(kMsgMapInvalid);
    case ThumbnailResult::NoPicture: return Fail(kMsgCannotMakeScreen);
    }

    OutputFile file(output);
    if (!file.Open()) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 만들 수 없습니다"), {output}));
    auto sink = MakeImageSink(ImageFormat::Png, file.Stream(), thumbnail.width, thumbnail.height, error);
    if (!sink) return Fail(error);
    if (!sink->WriteRows(thumbnail.pixels.data(), thumbnail.height, thumbnail.width) || !sink->Finish() ||
        !file.Commit())
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 쓸 수 없습니다"), {output}));
    return kExitOk;
}
