// The pictures of the programs, carried in the program file itself.
#include "platform/gtk/gtk.h"

#define SCOURIX_INCBIN(symbol, file)                                                               \
    asm(".section .rodata\n.global " #symbol "\n.balign 16\n" #symbol ":\n.incbin \"" file         \
        "\"\n.global " #symbol "_end\n" #symbol "_end:\n.previous\n");                             \
    extern "C" const unsigned char symbol[], symbol##_end[];

SCOURIX_INCBIN(scourix_gatefire_bmp, SCOURIX_RESOURCES "/gatefire.bmp")
// The programs' icons, for a window of a program run where the icon theme does not have them.
#define SCOURIX_ICON(name) SCOURIX_RESOURCES "/linux/icons/hicolor/256x256/apps/" #name ".png"
SCOURIX_INCBIN(scourix_gatefire_png, SCOURIX_ICON(gatefire))
SCOURIX_INCBIN(scourix_scourix_png, SCOURIX_ICON(scourix))

namespace gtkui {

Resource resource(const std::string& name) {
    auto r = [](const unsigned char* b, const unsigned char* e) {
        return Resource{b, std::size_t(e - b)};
    };
    if (name == "GATEFIRE_BACKGROUND") return r(scourix_gatefire_bmp, scourix_gatefire_bmp_end);
    if (name == "gatefire") return r(scourix_gatefire_png, scourix_gatefire_png_end);
    if (name == "scourix") return r(scourix_scourix_png, scourix_scourix_png_end);
    return {};
}

} // namespace gtkui
