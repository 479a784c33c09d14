// brelvik-pack: stands in for the two packers where they are not installed, taking their
// command lines as they are and writing zip archives. Started as wzzip.exe through a link, it
// recognises that packer's form by the arguments.

#include <QApplication>
#include <QFile>
#include <QString>
#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "packer/reporter.h"
#include "packer/reportmode.h"

namespace {

// libarchive passes names through the C library's locale; paths and stored names here are
// UTF-8, and in the "C" locale libarchive would lose every name that is not ASCII.
void Use_utf8_names() {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) {
        std::setlocale(LC_CTYPE, "");
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(QFile::decodeName(argv[i]).toStdWString());
    }
    const brelvik::PackTask task = [arguments](brelvik::PackProgress& progress) {
        return brelvik::Pack_command(arguments, progress);
    };
    if (brelvik::Report_in_window(&std::getenv)) {
        QApplication application(argc, argv);  // sets the user's locale, so ours comes after
        Use_utf8_names();
        return brelvik::Pack_in_window(task);
    }
    Use_utf8_names();
    return brelvik::Pack_to_stderr(task);
}
