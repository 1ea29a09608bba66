// Writes the program's icon (src/resources/icon.cpp) at the sizes of the
// desktop's icon theme.
//
// Usage: pellin-icon-maker OUTDIR SIZE...  (writes OUTDIR/SIZE.png)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "icon.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const std::string path = std::string(argv[1]) + "/" + std::to_string(size) + ".png";
        if (size < 16 || !DrawProgramIcon(size).save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
