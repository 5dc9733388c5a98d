// Template 5000, the About page: the banner picture, the title line, credits, description,
// thanks, the supported systems, and the contact box with the e-mail address and the web
// link. The order of the table is the stacking order; each title text follows the group box
// whose top edge it lies on, in the place of a group box caption. What the link does is the
// About page's job.

#include "pages/about_page.h"
#include "platform/core/dialog_template.h"
#include "resources/about_texts.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

// Kalvetra v1.2 (32-Bit) - [QLX] - Ücretsizdir
constexpr char TitleLine[] = "Kalvetra v1.2 (32-Bit) - [QLX] - \xDC\x63retsizdir";

// [QLX] tarafından C++ ve SDL2 ile yazılmıştır.
constexpr char CreditLine[] = "[QLX] taraf\xFDndan C++ ve SDL2 ile yaz\xFDlm\xFD\xFEt\xFDr.";

// Onaltılık değerlerle her türlü mantıksal hesaplamayı yapan, onaltılık bir sayıyı ikilik,
// onluk ve sekizlik tabana çeviren 32-bit hesap makinesi; makine kodu okuyanların en büyük
// yardımcısı.
constexpr char Description[] =
    "Onalt\xFDl\xFDk de\xF0\x65rlerle her t\xFCrl\xFC mant\xFDksal hesaplamay\xFD yapan, "
    "onalt\xFDl\xFDk bir say\xFDy\xFD ikilik, onluk ve sekizlik tabana \xE7\x65viren 32-bit "
    "hesap makinesi; makine kodu okuyanlar\xFDn en b\xFCy\xFCk yard\xFDmc\xFDs\xFD.";

// Teşekkürler:
// Bu programın yapımında bana yardımcı olan herkese içtenlikle teşekkür ederim.
constexpr char Thanks[] = "Te\xFE\x65kk\xFCrler:\r\n"
                          "Bu program\xFDn yap\xFDm\xFDnda bana yard\xFDmc\xFD olan herkese "
                          "i\xE7tenlikle te\xFE\x65kk\xFCr ederim.";

constexpr char SystemsLine[] = "OS: Win 9x,NT,XP SP2/SP3,Vista,Win7";

// [QLX] İletişim
constexpr char ContactHeading[] = "[QLX] \xDDleti\xFEim";

constexpr char MakerEmail[] = "qlx@qlx.example";

constexpr std::uint32_t PictureStyle = ChildStyle | SS_BITMAP | SS_CENTERIMAGE | SS_REALSIZEIMAGE;
constexpr std::uint32_t BoxedTextStyle = ChildStyle | SS_CENTER | SS_SUNKEN;

const ControlTemplate Controls[] = {
    {"STATIC", nullptr, AboutBanner, 2, 7, 293, 61, PictureStyle, 0, BannerBitmapId},
    {"BUTTON", nullptr, AboutTextGroup, 2, 72, 292, 100, GroupBoxStyle, 0},
    {"STATIC", TitleLine, AboutTitle, 10, 72, 184, 9, LabelStyle, 0},
    {"STATIC", CreditLine, AboutCredit, 10, 84, 276, 9, LabelStyle, 0},
    {"STATIC", Description, AboutDescription, 10, 99, 278, 24, LabelStyle, 0},
    {"STATIC", Thanks, AboutThanks, 10, 125, 280, 32, LabelStyle, 0},
    {"STATIC", SystemsLine, AboutSystems, 10, 158, 282, 11, LabelStyle, 0},
    {"BUTTON", nullptr, AboutContactGroup, 2, 175, 292, 33, GroupBoxStyle, 0},
    {"STATIC", ContactHeading, AboutContactHeading, 10, 175, 276, 9, BoxedTextStyle, 0},
    {"STATIC", MakerEmail, AboutEmail, 10, 192, 120, 9, BoxedTextStyle, 0},
    {"STATIC", MakerWebAddress, AboutLink, 166, 192, 120, 9, BoxedTextStyle | SS_NOTIFY,
     WS_EX_STATICEDGE},
};

// The banner is described for those who cannot see it; each box is named by the title on
// its top edge; the link says what it does.
const AccessibleNaming Naming[] = {
    // Koyu zemin üzerinde soluk bir onaltılık döküm; solda büyük harflerle Kalvetra ve altında
    // x86 Hex Hesap Makinesi, ortada 0x yazılı hesap makinesi amblemi, sağda v1.2 ve
    // [QLX] · 32-Bit.
    {AboutBanner,
     "Kalvetra v1.2",
     "Koyu zemin \xFCzerinde soluk bir onalt\xFDl\xFDk d\xF6k\xFCm; solda b\xFCy\xFCk "
     "harflerle Kalvetra ve alt\xFDnda x86 Hex Hesap Makinesi, ortada 0x yaz\xFDl\xFD hesap "
     "makinesi amblemi, sa\xF0\x64\x61 v1.2 ve [QLX] \xB7 32-Bit.",
     {}},
    {AboutTextGroup, nullptr, nullptr, {AboutTitle}},
    {AboutContactGroup, nullptr, nullptr, {AboutContactHeading}},
    // Yapımcının web sitesini tarayıcıda açar
    {AboutLink,
     nullptr,
     "Yap\xFDmc\xFDn\xFDn web sitesini taray\xFD\x63\xFD\x64\x61 a\xE7\x61r",
     {}},
};

} // namespace

const DialogTemplate AboutPageTemplate{
    AboutPageId, nullptr, 6, 13, 297, 212, PageStyle, 0, "MS Sans Serif", 8, Controls, Naming,
};
