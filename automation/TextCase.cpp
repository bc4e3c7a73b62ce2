// The host's locale-independent upper-casing, taken once and kept as a table: from the C library's
// UTF-8 character classes, or on Windows from the system's invariant mapping. Where that locale is
// missing, only a to z are raised.
#include "tavrin/automation/TextCase.h"

#include <clocale>
#include <cstdint>
#include <cwctype>
#include <locale.h>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tavrin {

const char16_t* upperCaseTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
#ifdef _WIN32
        for (uint32_t c = 0; c < 0x10000; ++c) {
            wchar_t in = static_cast<wchar_t>(c), out = in;
            if ((c < 0xD800 || c > 0xDFFF) && LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &in, 1,
                                                            &out, 1, nullptr, nullptr, 0) != 1)
                out = in;
            t[c] = static_cast<char16_t>(out);
        }
#else
        locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        for (uint32_t c = 0; c < 0x10000; ++c) {
            uint32_t upper = c;
            if (utf8 && (c < 0xD800 || c > 0xDFFF))
                upper = static_cast<uint32_t>(towupper_l(static_cast<wint_t>(c), utf8));
            else if (c >= 'a' && c <= 'z')
                upper = c - 32;
            t[c] = upper < 0x10000 ? static_cast<char16_t>(upper) : static_cast<char16_t>(c);
        }
        if (utf8) freelocale(utf8);
#endif
        return t;
    }();
    return table.data();
}

} // namespace tavrin
