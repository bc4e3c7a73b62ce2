// The DejaVu faces travel inside the program as resources (fonts.rc, ids 101 and up) and are added
// for this process only, so text looks the same on every Windows machine and as on the software
// host.
#include "platform/win32/Win32Surface.h"

#include <windows.h>

namespace tavrin::win32 {

void addProgramFonts() {
    static const bool added = [] {
        HMODULE module = ::GetModuleHandleW(nullptr);
        for (int id = 101; id < 101 + 12; ++id) {
            HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
            if (!resource) continue;
            HGLOBAL loaded = ::LoadResource(module, resource);
            void* data = loaded ? ::LockResource(loaded) : nullptr;
            DWORD fonts = 0;
            if (data) ::AddFontMemResourceEx(data, ::SizeofResource(module, resource), nullptr, &fonts);
        }
        return true;
    }();
    (void)added;
}

} // namespace tavrin::win32
