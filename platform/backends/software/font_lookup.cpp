#include "platform/backends/software/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <strings.h>

namespace {

constexpr const char* PreferredFamily = "Liberation Sans";
constexpr const char* FallbackFamily = "sans-serif";

// The best regular, upright, scalable face that fontconfig offers for family.
std::optional<FontFile> MatchFamily(const char* family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return std::nullopt;

    std::optional<FontFile> found;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        found = FontFile{reinterpret_cast<const char*>(path), 0, {}};
        FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
        FcChar8* matched_family = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matched_family) == FcResultMatch)
            found->family = reinterpret_cast<const char*>(matched_family);
    }
    FcPatternDestroy(match);
    return found;
}

} // namespace

std::optional<FontFile> FindInterfaceFont() {
    if (!FcInit())
        return std::nullopt;
    // fontconfig always answers with its nearest face; take it for the preferred family only
    // when it really is that family, else ask for the desktop's sans-serif face.
    auto preferred = MatchFamily(PreferredFamily);
    if (preferred && strcasecmp(preferred->family.c_str(), PreferredFamily) == 0)
        return preferred;
    return MatchFamily(FallbackFamily);
}
