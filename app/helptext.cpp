#include "app/helptext.h"

namespace brelvik {
namespace {

// Lines of at most 49 characters; "  " marks the gap between paragraphs.
constexpr const wchar_t* kLines[] = {
    L"How To Use The Packers:",
    L"------------------------------------------",
    L"First choose the packer you want to",
    L"use. WinRAR is the better choice: it",
    L"can do more, for instance make .rar",
    L"archives.",
    L"  ",
    L"WinZip is offered because so many",
    L"people have it. It must be version 8.0",
    L"or later, with its command-line",
    L"support installed.",
    L"  ",
    L"Without either packer you can still",
    L"write info files and build Addonlists;",
    L"only packing is not possible then.",
    L"  ",
    L".Rar, .Zip or SFX?",
    L"----------------------------",
    L".zip is the most widespread type:",
    L"nearly everybody can unpack it, but it",
    L"packs less tightly than the others.",
    L"  ",
    L".rar saves more than 10 % of space,",
    L"but fewer people have a tool that",
    L"opens it.",
    L"  ",
    L"An SFX archive unpacks itself and",
    L"needs no tool at all.",
    L"  ",
    L"For files over 1 MB take .rar or SFX.",
    L"  ",
    L"An SFX archive is not made in one go:",
    L"a .rar archive is made first and then",
    L"turned into an SFX archive. There is",
    L"no SFX of .zip files, since everybody",
    L"can unzip anyway.",
    L"  ",
    L"Single File/Multifile Packing",
    L"--------------------------------------------",
    L"One addon: select it in the file list,",
    L"clear \"Use Addonlist\", choose packer",
    L"and archive type and press \"Pack it\".",
    L"  ",
    L"Several addons: double-click each",
    L"addon in the file list; it goes into",
    L"the Addonlist together with its info",
    L"file. Double-click an info file in the",
    L"list to take it out again if you do",
    L"not want it.",
    L"  ",
    L"Add other files (readmes, favourites",
    L"lists and the like) with \"Add Other",
    L"Files\", then save the list.",
    L"  ",
    L"Tick \"Use Addonlist\", choose packer",
    L"and archive type and press \"Pack it\".",
    L"The archive is named after the saved",
    L"list.",
    L"  ",
    L"Please use this tool and give your",
    L"addons info files. Have fun!",
};

}  // namespace

std::wstring Help_text() {
    std::wstring text;
    for (const wchar_t* line : kLines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

}  // namespace brelvik
