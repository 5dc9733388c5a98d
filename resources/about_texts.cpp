// The maker's web address, shown and opened. The product has no site of its own; the
// address lies in the domain reserved for examples.

#include "resources/about_texts.h"

#include <string_view>

extern constexpr char MakerWebAddress[] = "http://www.qlx.example";
extern constexpr char MakerWebTarget[] = "http://www.qlx.example/";

// The link opens exactly the address it shows, with the closing "/" added.
static_assert(std::string_view(MakerWebTarget).size() ==
              std::string_view(MakerWebAddress).size() + 1);
static_assert(std::string_view(MakerWebTarget).starts_with(MakerWebAddress));
static_assert(std::string_view(MakerWebTarget).ends_with('/'));
