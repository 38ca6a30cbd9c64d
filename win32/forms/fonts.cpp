#include "win32/forms/fonts.h"

#include <array>
#include <map>

#include "win32/forms/device.h"
#include "win32/forms/wide.h"

namespace fonts {
namespace {

// Japanese UI faces, newest first: one of them is on every Windows since 8.
constexpr std::array<std::wstring_view, 2> kFallbacks{L"Yu Gothic UI", L"Meiryo UI"};

int CALLBACK found(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM flag)
{
    *reinterpret_cast<bool *>(flag) = true;
    return 0; // one is enough
}

bool installed(std::wstring_view face)
{
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    face.copy(query.lfFaceName, face.size());
    bool any = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, found, reinterpret_cast<LPARAM>(&any), 0);
    ReleaseDC(nullptr, screen);
    return any;
}

} // namespace

std::wstring installedFace(std::u16string_view preferred)
{
    // Asked once per face: enumerating the system's fonts is slow.
    static std::map<std::u16string, std::wstring, std::less<>> known;
    if (const auto it = known.find(preferred); it != known.end())
        return it->second;
    std::wstring face = wide::string(preferred);
    if (!installed(face)) {
        for (const std::wstring_view fallback : kFallbacks) {
            if (installed(fallback)) {
                face = fallback;
                break;
            }
        }
    }
    return known.emplace(std::u16string(preferred), face).first->second;
}

gdi::Font create(const layout::Font *font, UINT dpi)
{
    const layout::Font &f = font ? *font : layout::kDefaultFont;
    LOGFONTW logFont{};
    logFont.lfHeight = device::fontHeight(f.points, dpi);
    logFont.lfWeight = f.weight;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    logFont.lfOutPrecision = OUT_TT_PRECIS;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring face = installedFace(f.face);
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return gdi::Font(CreateFontIndirectW(&logFont));
}

} // namespace fonts
